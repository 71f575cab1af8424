#include "engine/RecordKeyIndex.h"

#include "engine/LoadTable.h"

namespace GAME {

RecordKeyIndex& RecordKeyIndex::Instance()
{
    static RecordKeyIndex index;
    return index;
}

size_t RecordKeyIndex::Learn(const std::function<bool(const LoadTable&)>& loadEmpty)
{
    std::lock_guard<std::mutex> guard(lock);
    const LoadTable empty;
    LoadTable::KeyWatch watch;
    const bool foundInEmpty = loadEmpty(empty);
    const size_t loader = count++;
    if (loader >= kMaxLoaders)
        return loader;
    always.set(loader, foundInEmpty);
    for (const std::string& key : watch.GetKeys()) {
        std::vector<uint16_t>& loaders = loadersByKey[key];
        if (loaders.empty() || loaders.back() != loader)
            loaders.push_back(static_cast<uint16_t>(loader));
    }
    return loader;
}

RecordKeyIndex::Loaders RecordKeyIndex::Find(const LoadTable& record) const
{
    std::lock_guard<std::mutex> guard(lock);
    if (record.GetKeyCount() > count)
        return Loaders().set();
    Loaders found = always;
    record.ForEachKey([&](std::string_view key) {
        if (const auto known = loadersByKey.find(key); known != loadersByKey.end())
            for (const uint16_t loader : known->second)
                found.set(loader);
    });
    return found;
}

} // namespace GAME
