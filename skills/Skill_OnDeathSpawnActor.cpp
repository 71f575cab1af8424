#include "skills/Skill_OnDeathSpawnActor.h"

#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_OnDeathSpawnActor, SkillOnDeath);

Skill_OnDeathSpawnActor::Skill_OnDeathSpawnActor()
{
    SetPrimary(false);
    SetSecondary(false);
    SetRepeatable(false);
}

Skill_OnDeathSpawnActor::~Skill_OnDeathSpawnActor() = default;

void Skill_OnDeathSpawnActor::ActivateOnDeathNow(Character& owner)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (GetCurrentLevel() == 0 || services == nullptr)
        return;
    WorldCoords where = owner.GetCoords();
    WorldVec3 position = where.GetPosition();
    position.TranslateToFloor(Vec3());
    where.SetPosition(position);
    const uint32_t id = ObjectManager::Instance().CreateObjectID();
    services->SendSpawnObject(GetObjectId(), where, 0, {where}, {id},
                              static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
}

void Skill_OnDeathSpawnActor::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                               uint32_t /*index*/,
                                               const std::vector<WorldCoords>& coords,
                                               const std::vector<uint32_t>& ids, uint32_t seed)
{
    if (IsSpawnListRefused(ids.size(), 1, "actors"))
        return;
    if (!ids.empty())
        PlayHitSound(origin.GetPosition());
    for (size_t i = 0; i < ids.size(); ++i) {
        if (IsFreeSpawnId(ids[i]))
            SpawnActor(owner, SpawnPlace(coords, i, origin), ids[i], seed);
    }
}

void Skill_OnDeathSpawnActor::SpawnActor(Character& /*owner*/, const WorldCoords& where,
                                         uint32_t id, uint32_t /*seed*/)
{
    const std::string& record = GetSkillProfile().GetSpawnObject(GetCurrentLevel());
    auto* actor = ObjectManager::Instance().CreateObjectFromFile<Actor>(record, id);
    if (actor == nullptr) {
        gEngine->Log(1, "Failed to spawn object (%s)", record.c_str());
        return;
    }
    if (World* world = gEngine->GetWorld())
        world->AddEntity(actor, where, false);
}

} // namespace GAME
