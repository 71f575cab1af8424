#include "skills/SkillWorldQueries.h"

#include "ai/ControllerCombat.h"
#include "characters/Bonus.h"
#include "characters/Monster.h"
#include "engine/Engine.h"
#include "engine/LineEffect.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "skills/SkillBuffTransfer.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"

#include <cmath>

namespace GAME {

bool IsSpawnListRefused(size_t count, size_t most, const char* what)
{
    if (count <= most)
        return false;
    gEngine->Log(2, "Refused spawn of (%zu) %s, at most (%zu)", count, what, most);
    return true;
}

bool IsFreeSpawnId(uint32_t id)
{
    return id != 0 && ObjectManager::Instance().GetObject<Object>(id) == nullptr;
}

const WorldCoords& SpawnPlace(const std::vector<WorldCoords>& coords, size_t index,
                              const WorldCoords& origin)
{
    return index < coords.size() ? coords[index] : origin;
}

SkillServicesBase* ServicesOf(const Skill& skill)
{
    SkillManagerBase* manager = skill.GetManager();
    return manager != nullptr ? manager->GetSkillServices() : nullptr;
}

bool KillThroughController(uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    const Character* character = objects.GetObject<Character>(id);
    if (character == nullptr)
        return false;
    if (auto* controller = objects.GetObject<ControllerCombat>(character->GetControllerId()))
        controller->KillMe();
    return true;
}

Bonus LevelBonus(const Skill& skill)
{
    const SkillProfile& data = skill.GetSkillProfile();
    const uint32_t level = skill.GetCurrentLevel();
    Bonus bonus;
    bonus.lifePoints = data.GetLifeBonus(level);
    bonus.manaPoints = data.GetManaBonus(level);
    bonus.effectName = data.GetBonusEffectName();
    return bonus;
}

bool DrawBeamProgress(LineEffect& beam, float progress)
{
    if (progress <= 1.0f)
        beam.SetTopBottomPercent(progress, 0.0f);
    else if (progress <= 2.0f)
        beam.SetTopBottomPercent(1.0f, progress - 1.0f);
    else
        beam.SetTopBottomPercent(0.0f, 0.0f);
    return progress > 2.0f;
}

void PutBackInWorld(Entity& entity, const WorldCoords& where)
{
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return;
    if (entity.IsInWorld())
        world->RemoveEntity(&entity);
    world->AddEntity(&entity, where, true);
}

void RemoveAndDestroy(Entity* entity, const char* file, int line)
{
    if (entity == nullptr)
        return;
    World* world = gEngine->GetWorld();
    if (world != nullptr && entity->IsInWorld())
        world->RemoveEntity(entity);
    ObjectManager::Instance().DestroyObjectEx(entity, file, line);
}

float RecordRate(const LoadTable& table, const char* key, float fallback)
{
    const float rate = table.GetFloat(key, fallback);
    if (std::isfinite(rate))
        return rate;
    gEngine->Log(1, "Record value (%s) is not a number", key);
    return fallback;
}

Monster* SpawnPetMonster(Skill& skill, Character& caster, const std::string& record,
                         const WorldCoords& where, uint32_t id, bool join, int32_t lifetime)
{
    skill.CreateTargetFx(where);
    auto* pet = ObjectManager::Instance().CreateObjectFromFile<Monster>(record, id);
    if (pet == nullptr) {
        gEngine->Log(1, "Failed to spawn pet object (%s)", record.c_str());
        return nullptr;
    }
    if (join)
        pet->JoinMe(caster.GetObjectId(), -1, false);
    if (auto* monster = DynamicCast<Monster>(&caster))
        monster->TransferAnger(*pet);
    if (lifetime > 0)
        pet->SetLifetime(lifetime);
    pet->SetOwnedByClient(true);
    if (World* world = gEngine->GetWorld())
        world->AddEntity(pet, where, false);
    // Nothing else sets a summoned pet up, and until then its controller has no body to kill
    // or command.
    if (!pet->HasDoneInitialUpdate())
        pet->InitialUpdate();
    return pet;
}

void SendBuffTransfer(const Skill& skill, const Character& caster, Character& target,
                      const std::string& buffName, int32_t timeToLive)
{
    SkillBuffTransfer transfer;
    transfer.buffName = buffName;
    transfer.buffLevel = skill.GetCurrentLevel();
    skill.GetModifierInfo(0, transfer.modifierName1, transfer.modifierLevel1);
    skill.GetModifierInfo(1, transfer.modifierName2, transfer.modifierLevel2);
    transfer.timeToLive = timeToLive;
    transfer.casterId = caster.GetObjectId();
    const SkillProfile& profile = skill.GetSkillProfile();
    target.ControllerAddSkillBuff(transfer, profile.GetQualifyingWeapons(),
                                  profile.GetQualifyingDualWeapons());
}

} // namespace GAME
