#include "engine/DebugRenderManager.h"

#include "engine/Engine.h"

namespace GAME {

DebugRenderManager& DebugRenderManager::Get()
{
    return gEngine->GetDebugRenderManager();
}

void DebugRenderManager::RenderSphere(const WorldVec3& center, float radius, const Color& color)
{
    spheres.Add(Sphere{center, radius, color});
}

} // namespace GAME
