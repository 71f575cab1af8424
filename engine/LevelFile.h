#pragma once

#include "core/UniqueId.h"
#include "engine/ABBox.h"
#include "engine/Vec3.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace GAME {

// A level as text: '#' starts a comment line; first the regions, one a line,
//     region ID OFFSET_X OFFSET_Y OFFSET_Z MIN_X MIN_Y MIN_Z MAX_X MAX_Y MAX_Z
// then the entities, one a line,
//     RECORD REGION X Y Z YAW_DEGREES [UNIQUE_ID|-] [GROUP]
// where the unique id is four hexadecimal words joined by '-'. Every number must be finite and
// every entity must stand in a region named above it.
struct LevelFile {
    struct RegionLine {
        uint32_t id = 0;
        Vec3 offset;
        ABBox bounds;
    };
    struct EntityLine {
        std::string record;
        uint32_t regionId = 0;
        Vec3 position;
        float yawDegrees = 0.0f;
        bool hasUniqueId = false;
        UniqueId uniqueId;
        std::string group;
        size_t line = 0;
    };
    // Beyond these a level file is refused rather than allocated for. The entity limit holds for
    // what the level makes, spawn-pool members included (World::LoadLevel counts those): a level
    // of as many monsters loads in about two seconds and 560 MB; ten times that would exhaust
    // the machine long before it played.
    static constexpr size_t kMaxRegions = 1024;
    static constexpr size_t kMaxEntities = 10000;

    std::vector<RegionLine> regions;
    std::vector<EntityLine> entities;

    // False on the first broken line, with "NAME:LINE: what" in `error`; `out` is then empty.
    static bool Parse(std::string_view text, const std::string& name, LevelFile& out,
                      std::string& error);
};

} // namespace GAME
