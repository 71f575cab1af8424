#include "skills/SkillServices_Character.h"

#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
#include "engine/ObjectManager.h"

#include <memory>

namespace GAME {

void SkillServices_Character::SetParent(Actor* actor)
{
    parent = DynamicCast<Character>(actor);
}

void SkillServices_Character::SendTargetResult(uint32_t skillId,
                                               const std::vector<uint32_t>& targets,
                                               const WorldCoords& origin, uint32_t seed,
                                               uint32_t weaponId, bool melee)
{
    if (parent == nullptr)
        return;
    parent->Enqueue(std::make_unique<SkillTargetResultConfigCmd>(
        parent->GetObjectId(), parent->GetSkillReferenceNumber(skillId), targets, origin, seed,
        weaponId, melee, static_cast<int32_t>(hitIteration)));
}

void SkillServices_Character::SendSkillStateUpdate(uint32_t skillId, const SkillState& state)
{
    if (parent == nullptr)
        return;
    parent->Enqueue(std::make_unique<SkillStateUpdateConfigCmd>(
        parent->GetObjectId(), parent->GetSkillReferenceNumber(skillId), state));
}

void SkillServices_Character::SendSkillActiveUpdate(uint32_t skillId, const SkillActiveState& state)
{
    if (parent == nullptr)
        return;
    parent->Enqueue(std::make_unique<SkillActiveStateUpdateConfigCmd>(
        parent->GetObjectId(), parent->GetSkillReferenceNumber(skillId), state));
}

void SkillServices_Character::SendCreateProjectile(uint32_t skillId, const WorldCoords& origin,
                                                   uint32_t targetId, const WorldVec3& point,
                                                   uint32_t seed, uint32_t weaponId)
{
    if (parent == nullptr)
        return;
    // The id is reserved here so every machine gives the projectile the same one.
    const uint32_t projectileId = ObjectManager::Instance().CreateObjectID();
    parent->Enqueue(std::make_unique<CreateProjectileConfigCmd>(
        parent->GetObjectId(), parent->GetSkillReferenceNumber(skillId), projectileId, origin,
        targetId, point, weaponId, seed, static_cast<int32_t>(hitIteration)));
}

void SkillServices_Character::SendSpawnObject(uint32_t skillId, const WorldCoords& origin,
                                              uint32_t value,
                                              const std::vector<WorldCoords>& spawnCoordinates,
                                              const std::vector<uint32_t>& objectIds, uint32_t seed)
{
    if (parent == nullptr)
        return;
    parent->Enqueue(std::make_unique<SpawnObjectConfigCmd>(
        parent->GetObjectId(), parent->GetSkillReferenceNumber(skillId), origin, value,
        spawnCoordinates, objectIds, seed));
}

void SkillServices_Character::RemoveSkillBuff(const std::string& buffName)
{
    if (parent == nullptr)
        return;
    parent->Enqueue(std::make_unique<CreateRemoveSkillBuffConfigCmd>(
        parent->GetObjectId(), 0, buffName, 0, std::string(), 0, std::string(), 0, 0, 0));
}

} // namespace GAME
