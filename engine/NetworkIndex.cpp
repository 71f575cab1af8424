#include "engine/NetworkIndex.h"

#include "core/StringHelpers.h"
#include "engine/ObjectManager.h"

#include <algorithm>

namespace GAME {

uint32_t StringToNetworkIndex(const std::string& recordPath)
{
    std::string key = NormalizeFileName(recordPath);
    key.erase(0, key.find_first_not_of('\\'));
    const std::vector<std::string>& paths =
        ObjectManager::Instance().GetDatabase().GetSortedRecordPaths();
    const auto found = std::lower_bound(paths.begin(), paths.end(), key);
    if (found == paths.end() || *found != key)
        return kNoNetworkIndex;
    return uint32_t(found - paths.begin());
}

std::string NetworkIndexToString(uint32_t index)
{
    const std::vector<std::string>& paths =
        ObjectManager::Instance().GetDatabase().GetSortedRecordPaths();
    return index < paths.size() ? paths[index] : std::string();
}

} // namespace GAME
