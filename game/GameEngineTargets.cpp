#include "game/GameEngine.h"

#include "characters/Character.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldFrustum.h"
#include "engine/WorldRay.h"
#include "game/MinimapGameNugget.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "world/DynamicBarrier.h"

namespace GAME {

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

World* GetWorld()
{
    return gEngine != nullptr ? gEngine->GetWorld() : nullptr;
}

// The entities of the sphere about the centre, found from the centre's own region.
void CollectSphere(const WorldVec3& centre, float radius, std::vector<Entity*>& entities)
{
    const World* world = GetWorld();
    if (world == nullptr)
        return;
    world->GetEntitiesInSphere(entities, world->GetRegionById(centre.GetRegionId()),
                               centre.GetRegionPosition(), radius, true, 2);
}

} // namespace

void GameEngine::FilterInvalidTargets(const Team& team, const std::vector<Entity*>& entities,
                                      std::vector<uint32_t>& out, uint32_t excludeId,
                                      bool friends) const
{
    for (const Entity* entity : entities) {
        const Character* character = DynamicCast<Character>(entity);
        if (character == nullptr || DynamicCast<Npc>(character) != nullptr)
            continue;
        if (!character->HasDoneInitialUpdate() || !character->IsAlive() || character->IsHiding())
            continue;
        const Team other = character->GetTeam();
        const bool wanted = friends ? teamManager->IsFriend(team, other) &&
                                          DynamicCast<DynamicBarrier>(character) == nullptr
                                    : teamManager->IsFoe(team, other);
        if (wanted && character->GetObjectId() != excludeId)
            out.push_back(character->GetObjectId());
    }
}

void GameEngine::GetTargetsInRadius(const Team& team, const WorldVec3& centre, float radius,
                                    std::vector<uint32_t>& out, uint32_t excludeId,
                                    bool friends) const
{
    std::vector<Entity*> entities;
    CollectSphere(centre, radius, entities);
    FilterInvalidTargets(team, entities, out, excludeId, friends);
}

void GameEngine::GetTargetsInRadius(const Character& character, const WorldVec3& centre,
                                    float radius, std::vector<uint32_t>& out, uint32_t excludeId,
                                    bool friends) const
{
    GetTargetsInRadius(character.GetTeam(), centre, radius, out, excludeId, friends);
}

void GameEngine::GetAllTargetsInRadius(const Team& team, const WorldVec3& centre, float radius,
                                       std::vector<uint32_t>& out, uint32_t excludeId) const
{
    std::vector<Entity*> entities;
    CollectSphere(centre, radius, entities);
    FilterInvalidTargets(team, entities, out, excludeId, true);
    FilterInvalidTargets(team, entities, out, excludeId, false);
}

void GameEngine::GetTargetsAlongRay(const Team& team, const WorldRay& ray, float length,
                                    std::vector<uint32_t>& out, uint32_t excludeId,
                                    bool friends) const
{
    std::vector<Entity*> entities;
    if (const World* world = GetWorld())
        world->GetAllIntersections(ray, entities, true, length);
    FilterInvalidTargets(team, entities, out, excludeId, friends);
}

void GameEngine::GetTargetsInCone(const Team& team, const WorldVec3& apex, const Vec3& direction,
                                  float angleDegrees, float length, std::vector<uint32_t>& out,
                                  uint32_t excludeId, bool friends) const
{
    std::vector<Entity*> entities;
    if (const World* world = GetWorld())
        world->GetEntitiesInCone(entities, apex, direction, angleDegrees * kDegreesToRadians,
                                 length, true, 2);
    FilterInvalidTargets(team, entities, out, excludeId, friends);
}

std::wstring GameEngine::GetMapName() const
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    const GameInfo& info = gEngine->GetGameInfo();
    if (info.GetModName().empty())
        return texts.Format("tagDefaultMap");
    const std::string& level = info.GetLevelName();
    const size_t slash = level.rfind('/');
    const std::string tail = slash == std::string::npos ? level : level.substr(slash + 1);
    return info.GetModName() + L" ~ " + LocalizationManager::ToWChar(tail);
}

void GameEngine::GetDetailMapData(std::vector<MinimapGameNugget>& out,
                                  const WorldFrustum& frustum) const
{
    const World* world = GetWorld();
    if (world == nullptr || frustum.GetRegionId() == 0)
        return;
    std::vector<Entity*> entities;
    world->GetEntitiesInFrustum(entities, frustum, true, 1);
    for (const Entity* entity : entities)
        entity->AppendDetailMapData(out);

    const PlayerManagerClient* players = GetPlayerManagerClient();
    if (players == nullptr)
        return;
    const uint32_t localId = GetPlayerId();
    const Player* local = GetMainPlayer();
    const uint32_t localParty = local != nullptr ? local->GetPartyId() : 0;
    for (const PlayerNetBasicInfo& info : players->GetPlayerInfoCache()) {
        MinimapGameNugget nugget;
        nugget.partyMember = info.playerId != localId && localParty != 0 &&
                             static_cast<uint32_t>(info.partyId) == localParty;
        const Player* player = ObjectManager::Instance().GetObject<Player>(info.playerId);
        if (player != nullptr && player->IsInWorld()) {
            nugget.text = player->GetPlayerName();
            nugget.position = player->GetCoords().GetPosition();
            nugget.facing = player->GetCoords().GetRegionCoords().forward;
        } else {
            nugget.text = info.name;
            nugget.position = info.position;
            nugget.facing = Vec3(0.0f, 0.0f, 1.0f);
        }
        out.push_back(nugget);
    }
}

} // namespace GAME
