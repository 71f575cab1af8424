#include "engine/RegionLoader.h"

#include <algorithm>
#include <utility>

namespace GAME {

int32_t RegionLoader::defaultFramesToLoad = RegionLoader::kDefaultFramesToLoad;

RegionLoader::RegionLoader(std::vector<uint32_t> regionIds)
    : regionIds(std::move(regionIds)), framesToLoad(defaultFramesToLoad)
{}

void RegionLoader::Update()
{
    if (!GetIsDone())
        ++framesDone;
}

void RegionLoader::SetFramesToLoad(int32_t frames)
{
    defaultFramesToLoad = std::max(frames, 0);
}

} // namespace GAME
