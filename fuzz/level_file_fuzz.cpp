// A hostile level file: it is read, and when it is accepted every entity stands in a region it
// names, every number is finite, and its regions can be made in a fresh world. A refusal names
// the file and a line.
#include "engine/LevelFile.h"
#include "engine/World.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool Finite(const GAME::Vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace GAME;
    LevelFile level;
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!LevelFile::Parse(text, "fuzz.lvl", level, error)) {
        if (error.rfind("fuzz.lvl:", 0) != 0 || !level.entities.empty() || !level.regions.empty())
            abort();
        return 0;
    }
    World world;
    for (const LevelFile::RegionLine& region : level.regions) {
        if (!Finite(region.offset) ||
            world.CreateRegion(region.id, region.offset, region.bounds) == nullptr)
            abort();
    }
    for (const LevelFile::EntityLine& entity : level.entities) {
        if (world.GetRegionById(entity.regionId) == nullptr || !Finite(entity.position) ||
            !std::isfinite(entity.yawDegrees) || entity.record.empty())
            abort();
    }
    return 0;
}
