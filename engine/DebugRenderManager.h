#pragma once

#include "engine/BoundedLog.h"
#include "engine/Color.h"
#include "engine/WorldVec3.h"

namespace GAME {

// Debug shapes drawn over the scene. Nothing is drawn here; the spheres asked for are kept.
class DebugRenderManager {
public:
    struct Sphere {
        WorldVec3 center;
        float radius = 0.0f;
        Color color;
    };

    // The engine's own (`Engine::GetDebugRenderManager` of `gEngine`).
    static DebugRenderManager& Get();

    void RenderSphere(const WorldVec3& center, float radius, const Color& color);
    const BoundedLog<Sphere>& GetSpheres() const { return spheres; }
    void Reset() { spheres.Clear(); }

private:
    BoundedLog<Sphere> spheres;
};

} // namespace GAME
