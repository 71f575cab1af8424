#pragma once

#include "engine/Coords.h"
#include "engine/Name.h"

#include <cstdint>
#include <vector>

namespace GAME {

class GraphicsAnim;

// A skeleton's pose: which animation and frame it was taken from, and the bones someone placed
// (relative to the actor). No skeleton is loaded here, so a pose has only the bones it was given.
struct SkeletalPose {
    struct Bone {
        Name name;
        Coords coords;
    };

    const GraphicsAnim* animation = nullptr;
    int32_t frame = -1;
    std::vector<Bone> bones;

    // False, leaving `out` alone, for a bone the pose lacks.
    bool GetBoneCoords(const Name& name, Coords& out) const
    {
        for (const Bone& bone : bones) {
            if (bone.name == name) {
                out = bone.coords;
                return true;
            }
        }
        return false;
    }
    void SetBoneCoords(const Name& name, const Coords& coords)
    {
        for (Bone& bone : bones) {
            if (bone.name == name) {
                bone.coords = coords;
                return;
            }
        }
        bones.push_back(Bone{name, coords});
    }
};

} // namespace GAME
