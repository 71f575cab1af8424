#include "engine/EditorFilter.h"

namespace GAME {

EditorFilter& EditorFilter::Instance()
{
    static EditorFilter instance;
    return instance;
}

int32_t EditorFilter::GetFilterType(uint32_t objectId) const
{
    const auto found = objects.find(objectId);
    return found == objects.end() ? -1 : found->second;
}

} // namespace GAME
