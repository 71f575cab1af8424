#include "engine/NetworkIndex.h"

#include "core/StringHelpers.h"
#include "engine/ObjectManager.h"

#include <algorithm>

namespace GAME {

namespace {

uint32_t PlaceOf(const std::vector<std::string>& paths, const std::string& key)
{
    const auto found = std::lower_bound(paths.begin(), paths.end(), key);
    return found != paths.end() && *found == key ? uint32_t(found - paths.begin())
                                                 : kNoNetworkIndex;
}

} // namespace

uint32_t StringToNetworkIndex(const std::string& recordPath)
{
    std::string key = NormalizeFileName(recordPath);
    key.erase(0, key.find_first_not_of('\\'));
    Database& database = ObjectManager::Instance().GetDatabase();
    uint32_t index = PlaceOf(database.GetSortedRecordPaths(), key);
    // A record written since the folder was last read is found as every look-up finds it.
    if (index == kNoNetworkIndex && !database.ResolvePath(key).empty())
        index = PlaceOf(database.GetSortedRecordPaths(), key);
    return index;
}

std::string NetworkIndexToString(uint32_t index)
{
    const std::vector<std::string>& paths =
        ObjectManager::Instance().GetDatabase().GetSortedRecordPaths();
    return index < paths.size() ? paths[index] : std::string();
}

} // namespace GAME
