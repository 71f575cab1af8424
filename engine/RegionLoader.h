#pragma once

#include <cstdint>
#include <vector>

namespace GAME {

// Streams in the regions a frustum touches. Nothing is read from disk: the regions count as
// loaded after a set number of updates, so the waiting around a load can be exercised.
class RegionLoader {
public:
    static constexpr int32_t kDefaultFramesToLoad = 3;

    explicit RegionLoader(std::vector<uint32_t> regionIds);

    // One frame of loading.
    void Update();
    bool GetIsDone() const { return framesDone >= framesToLoad; }
    const std::vector<uint32_t>& GetRegionIds() const { return regionIds; }

    // For loaders made afterwards; below 0 counts as 0.
    static void SetFramesToLoad(int32_t frames);
    static int32_t GetFramesToLoad() { return defaultFramesToLoad; }

private:
    std::vector<uint32_t> regionIds;
    int32_t framesToLoad;
    int32_t framesDone = 0;

    static int32_t defaultFramesToLoad;
};

} // namespace GAME
