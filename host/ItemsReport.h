#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Item;
struct HostOptions;

// `gamehost --items`: twenty items rolled from the sample weapons and armour with affixes and
// seeds drawn from `--seed`, each printed with its records, name, classification,
// requirements, price and tooltip. Each is then made again from its replica record alone, as a
// client would, and compared line by line; last one item's cost summary is dumped.
class ItemsReport {
public:
    static constexpr int kItems = 20;

    ItemsReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    ItemsReport(const ItemsReport&) = delete;
    ItemsReport& operator=(const ItemsReport&) = delete;

    // False, with one line on `err`, when the library does not start or a record makes nothing.
    bool Run();

private:
    bool Show();
    static std::vector<std::string> Describe(const Item& item);

    uint32_t seed;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
