#include "engine/NetworkEntityList.h"

#include <utility>

namespace GAME {

void NetworkEntityList::SetFrustumEntry(int32_t host, const WorldFrustum& frustum)
{
    auto entry = std::make_unique<FrustumEntry>();
    entry->host = host;
    entry->frustum = frustum;
    entries[host] = std::move(entry);
}

const NetworkEntityList::FrustumEntry* NetworkEntityList::GetFrustumEntry(int32_t host) const
{
    auto found = entries.find(host);
    return found == entries.end() ? nullptr : found->second.get();
}

std::unique_ptr<NetworkEntityList::FrustumEntry>
NetworkEntityList::StealFrustumEntryOfHost(int32_t host)
{
    auto found = entries.find(host);
    if (found == entries.end())
        return nullptr;
    std::unique_ptr<FrustumEntry> entry = std::move(found->second);
    entries.erase(found);
    ++stealCount;
    return entry;
}

void NetworkEntityList::ReturnFrustumEntry(std::unique_ptr<FrustumEntry> entry,
                                           const WorldFrustum& frustum)
{
    if (!entry)
        return;
    entry->frustum = frustum;
    ++returnCount;
    const int32_t host = entry->host;
    entries[host] = std::move(entry);
}

} // namespace GAME
