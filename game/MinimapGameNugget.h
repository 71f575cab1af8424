#pragma once

#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <string>

namespace GAME {

// One marker of the detail map: what it is, its text, where it stands and which way it faces.
struct MinimapGameNugget {
    bool partyMember = false;
    uint32_t type = 0;
    std::wstring text;
    WorldVec3 position;
    Vec3 facing;
};

} // namespace GAME
