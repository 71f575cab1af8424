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

#include <utility>
#include <vector>

namespace GAME {

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

World* CurrentWorld()
{
    return gEngine != nullptr ? gEngine->GetWorld() : nullptr;
}

// The entities of the sphere about the centre, found from the centre's own region.
void CollectSphere(const WorldVec3& centre, float radius, std::vector<Entity*>& entities)
{
    const World* world = CurrentWorld();
    if (world == nullptr)
        return;
    world->GetEntitiesInSphere(entities, world->GetRegionById(centre.GetRegionId()),
                               centre.GetRegionPosition(), radius, true, 2);
}

// Target queries run for every projectile on every frame: each borrows this thread's buffer
// rather than allocating its own. A query made while another holds the buffer gets a fresh one.
class ScratchEntities {
public:
    ScratchEntities() : list(std::move(Spare())) { list.clear(); }
    ~ScratchEntities()
    {
        list.clear();
        Spare() = std::move(list);
    }
    ScratchEntities(const ScratchEntities&) = delete;
    ScratchEntities& operator=(const ScratchEntities&) = delete;

    std::vector<Entity*> list;

private:
    static std::vector<Entity*>& Spare()
    {
        thread_local std::vector<Entity*> spare;
        return spare;
    }
};

} // namespace

void GameEngine::FilterInvalidTargets(const Team& team, const std::vector<Entity*>& entities,
                                      std::vector<uint32_t>& out, uint32_t excludeId,
                                      bool friends) const
{
    // Found entities come in runs of one class; the class tests are made once per run.
    const RTTI_ClassInfo* lastKind = nullptr;
    bool lastTarget = false;
    bool lastBarrier = false;
    for (const Entity* entity : entities) {
        if (entity == nullptr)
            continue;
        const RTTI_ClassInfo* kind = entity->GetClassInfo();
        if (kind != lastKind) {
            lastKind = kind;
            lastTarget = kind->IsA(Character::classInfo) && !kind->IsA(Npc::classInfo);
            lastBarrier = kind->IsA(DynamicBarrier::classInfo);
        }
        if (!lastTarget)
            continue;
        const auto* character = static_cast<const Character*>(entity);
        if (!character->HasDoneInitialUpdate() || !character->IsAlive() || character->IsHiding())
            continue;
        const Team other = character->GetTeam();
        const bool wanted = friends ? teamManager->IsFriend(team, other) && !lastBarrier
                                    : teamManager->IsFoe(team, other);
        if (wanted && character->GetObjectId() != excludeId)
            out.push_back(character->GetObjectId());
    }
}

void GameEngine::GetTargetsInRadius(const Team& team, const WorldVec3& centre, float radius,
                                    std::vector<uint32_t>& out, uint32_t excludeId,
                                    bool friends) const
{
    ScratchEntities entities;
    CollectSphere(centre, radius, entities.list);
    FilterInvalidTargets(team, entities.list, out, excludeId, friends);
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
    ScratchEntities entities;
    CollectSphere(centre, radius, entities.list);
    FilterInvalidTargets(team, entities.list, out, excludeId, true);
    FilterInvalidTargets(team, entities.list, out, excludeId, false);
}

void GameEngine::GetTargetsAlongRay(const Team& team, const WorldRay& ray, float length,
                                    std::vector<uint32_t>& out, uint32_t excludeId,
                                    bool friends) const
{
    ScratchEntities entities;
    // Only characters can be targets: the rest are passed over inside the ray query.
    if (const World* world = CurrentWorld())
        world->GetAllIntersections(ray, entities.list, true, length, Character::classInfo);
    FilterInvalidTargets(team, entities.list, out, excludeId, friends);
}

void GameEngine::GetTargetsInCone(const Team& team, const WorldVec3& apex, const Vec3& direction,
                                  float angleDegrees, float length, std::vector<uint32_t>& out,
                                  uint32_t excludeId, bool friends) const
{
    ScratchEntities entities;
    if (const World* world = CurrentWorld())
        world->GetEntitiesInCone(entities.list, apex, direction, angleDegrees * kDegreesToRadians,
                                 length, true, 2);
    FilterInvalidTargets(team, entities.list, out, excludeId, friends);
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
    const World* world = CurrentWorld();
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
