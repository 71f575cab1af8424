#pragma once

#include "engine/ABBox.h"
#include "engine/Color.h"
#include "engine/Coords.h"
#include "engine/Name.h"
#include "engine/OBBox.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace GAME {

class GraphicsAnim;

// A mesh placed for drawing, with one animation channel. Nothing is drawn: the instance keeps
// its mesh, colour and placement, plays its animation on by the updates' time and calls the
// bound entity back with the animation's events and "End" once a non-looping one has run out.
class GraphicsMeshInstance {
public:
    using Callback = std::function<void(int32_t kind, const Name& name)>;

    void SetMesh(const std::string& name) { meshName = name; }
    const std::string& GetMesh() const { return meshName; }
    void SetObjectToRegionCoords(const Coords& coords) { objectToRegion = coords; }
    const Coords& GetObjectToRegionCoords() const { return objectToRegion; }
    void SetDiffuseColor(const Color& color) { diffuse = color; }
    const Color& GetDiffuseColor() const { return diffuse; }
    void PreLoad() { ++preLoadCount; }

    // The mesh's box and hit boxes in its own frame, as the mesh loader (or a test) gives them.
    void SetBoundingBox(const ABBox& box) { boundingBox = box; }
    const ABBox& GetBoundingBox() const { return boundingBox; }
    void AddHitBox(const OBBox& box) { hitBoxes.push_back(box); }
    void ClearHitBoxes() { hitBoxes.clear(); }
    int32_t GetNumHitBoxes() const { return static_cast<int32_t>(hitBoxes.size()); }
    // An empty box past the end.
    OBBox GetHitBox(int32_t index) const;
    // The bounding box placed by the object-to-region frame.
    ABBox GetRegionSpaceBoundingBox() const;
    uint32_t GetPreLoadCount() const { return preLoadCount; }

    // Channel 0 only; every channel of a full engine reports to the same entity.
    int32_t GetNumAnimChannels() const { return 1; }
    void BindChannels(Callback callback) { bound = std::move(callback); }
    void PlayAnimation(GraphicsAnim* animation, bool loop, float speed, int32_t start);
    void StopAnimation() { playing = nullptr; }
    bool IsAnimationPlaying() const { return playing != nullptr; }

    // Advances the animation; the callback may delete the owner, so nothing of this instance is
    // touched after it ran.
    void Update(int32_t elapsedMs);
    void UpdatePose() { ++poseUpdates; }
    uint32_t GetPoseUpdateCount() const { return poseUpdates; }

private:
    std::string meshName;
    Coords objectToRegion;
    Color diffuse;
    uint32_t preLoadCount = 0;
    ABBox boundingBox;
    std::vector<OBBox> hitBoxes;
    uint32_t poseUpdates = 0;
    Callback bound;
    GraphicsAnim* playing = nullptr;
    bool looping = false;
    float playSpeed = 1.0f;
    double timeMs = 0.0;
};

} // namespace GAME
