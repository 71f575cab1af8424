#include "world/PlayerSpawnPoint.h"

#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(PlayerSpawnPoint, Actor);
GAME_IMPLEMENT_CLASS(HallOfFameCamera, Actor);
GAME_IMPLEMENT_CLASS(HallOfFameStand, Actor);
GAME_IMPLEMENT_CLASS(ScriptPoint, Actor);

PlayerSpawnPoint::~PlayerSpawnPoint() = default;
HallOfFameCamera::~HallOfFameCamera() = default;
HallOfFameStand::~HallOfFameStand() = default;
ScriptPoint::~ScriptPoint() = default;

void EditorMarker::InitialUpdate()
{
    Actor::InitialUpdate();
    SetVisibility(gEngine->IsLevelEditor());
}

void ScriptPoint::Load(const LoadTable& table)
{
    SetMesh("System/Meshes/Sphere.msh");
    Actor::Load(table);
    scriptCharacter = table.GetString("scriptCharacter", "");
    sequenceNum = table.GetInt("sequenceNum", 0);
}

ABBox ScriptPoint::GetObjectSpaceBoundingBox() const
{
    const float radius = GetMeshBoundingRadius();
    return ABBox(Vec3(-radius, -radius, -radius), Vec3(radius, radius, radius));
}

void ScriptPoint::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    if (announced)
        return;
    announced = true;
    GameEvent_ScriptPoint event;
    event.coords = GetCoords();
    event.scriptCharacter = scriptCharacter;
    event.sequenceNum = sequenceNum;
    EventManager::Instance().Send("GameEvent_ScriptPoint", event);
}

} // namespace GAME
