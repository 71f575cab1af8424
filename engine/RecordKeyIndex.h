#pragma once

#include "core/StringHelpers.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace GAME {

class LoadTable;

// Which loaders of a reader of many kinds (the attribute stores) may find anything in a record.
// A loader's keys are learnt once, by watching what it asks of an empty record. A record that
// holds none of them gives the loader just what an empty record gives, so the record's own keys
// name every loader worth running: a reader walks the few keys a record has rather than asking
// it for every kind it knows, and still runs the kinds it runs in their order.
class RecordKeyIndex {
public:
    static constexpr size_t kMaxLoaders = 512;
    using Loaders = std::bitset<kMaxLoaders>;

    static RecordKeyIndex& Instance();

    // Runs `loadEmpty` on an empty record once, learning the keys it asks; it answers whether it
    // found anything even there, and such a loader always runs. Answers the loader's number.
    size_t Learn(const std::function<bool(const LoadTable&)>& loadEmpty);
    // The loaders that may find something in the record, those not learnt yet among them; every
    // one for a record of more keys than there are loaders, whose walk would cost more than
    // asking.
    Loaders Find(const LoadTable& record) const;
    static bool MayFind(const Loaders& found, size_t loader)
    {
        return loader >= kMaxLoaders || found.test(loader);
    }

private:
    mutable std::mutex lock;
    std::unordered_map<std::string, std::vector<uint16_t>, StringViewHash, std::equal_to<>>
        loadersByKey;
    // Loaders that found something in an empty record, or are not learnt yet.
    Loaders always = Loaders().set();
    size_t count = 0;
};

// The number of the loader of `Kind` that `loadEmpty` runs, learnt on first use.
template <typename Kind, typename LoadEmpty> size_t RecordLoaderOf(LoadEmpty loadEmpty)
{
    static const size_t loader = RecordKeyIndex::Instance().Learn(loadEmpty);
    return loader;
}

} // namespace GAME
