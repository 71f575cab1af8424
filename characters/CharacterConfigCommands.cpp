#include "characters/CharacterConfigCommands.h"

#include "ai/ControllerCombat.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "characters/Typhon.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "items/Item.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr const char* kCharacterConfigCommandsSource = "Project/Game/CharacterConfigCommands";

template <typename T> T* Find(uint32_t id)
{
    return ObjectManager::Instance().GetObject<T>(id);
}

// Peers name item ids: a command moves or destroys only an item the character holds.
Item* FindHeldItem(const Character* character, uint32_t itemId, const char* command)
{
    Item* item = Find<Item>(itemId);
    if (character == nullptr || item == nullptr)
        return nullptr;
    if (character->HasItem(itemId))
        return item;
    gEngine->Log(Engine::LogRuntime, "%s: %s does not hold item %u", command,
                 character->GetObjectName().c_str(), itemId);
    return nullptr;
}

} // namespace

AttachItemConfigCmd::AttachItemConfigCmd(uint32_t actorId, uint32_t itemId, EquipLocations location)
    : ActorConfigCommand(actorId), itemId(itemId), location(location)
{
    SetNetworked(true);
}

DetachItemConfigCmd::DetachItemConfigCmd(uint32_t actorId, uint32_t itemId)
    : ActorConfigCommand(actorId), itemId(itemId)
{
    SetNetworked(true);
}

ReleasePetConfigCmd::ReleasePetConfigCmd(uint32_t actorId, uint32_t petId)
    : ActorConfigCommand(actorId), petId(petId)
{
    SetNetworked(true);
}

DropItemConfigCmd::DropItemConfigCmd(uint32_t actorId, uint32_t itemId, float x, float z)
    : ActorConfigCommand(actorId), itemId(itemId), x(x), z(z)
{
    SetNetworked(true);
}

DropItemFromEquipLocationConfigCmd::DropItemFromEquipLocationConfigCmd(uint32_t actorId,
                                                                       uint32_t itemId,
                                                                       EquipLocations location,
                                                                       bool toss)
    : ActorConfigCommand(actorId), itemId(itemId), location(location), toss(toss)
{
    SetNetworked(true);
}

UseItemConfigCmd::UseItemConfigCmd(uint32_t actorId, uint32_t itemId, bool destroy)
    : ActorConfigCommand(actorId), itemId(itemId), destroy(destroy)
{
    SetNetworked(true);
}

UseRelicConfigCmd::UseRelicConfigCmd(uint32_t actorId, uint32_t relicId, uint32_t itemId)
    : ActorConfigCommand(actorId), relicId(relicId), itemId(itemId)
{
    SetNetworked(true);
}

CharPickUpConfigCmd::CharPickUpConfigCmd(uint32_t actorId, uint32_t itemId)
    : ActorConfigCommand(actorId), itemId(itemId)
{
    SetNetworked(true);
}

CreateRemoveSkillBuffConfigCmd::CreateRemoveSkillBuffConfigCmd(
    uint32_t actorId, uint32_t skillId, const std::string& skillName, uint32_t level,
    const std::string& modName1, uint32_t modLevel1, const std::string& modName2,
    uint32_t modLevel2, int32_t timeToLive, uint32_t casterId)
    : ActorConfigCommand(actorId), skillId(skillId), skillName(skillName), level(level),
      modName1(modName1), modLevel1(modLevel1), modName2(modName2), modLevel2(modLevel2),
      timeToLive(timeToLive), casterId(casterId)
{
    SetNetworked(true);
}

SkillTargetResultConfigCmd::SkillTargetResultConfigCmd(uint32_t actorId, uint32_t skillNumber,
                                                       const std::vector<uint32_t>& targets,
                                                       const WorldCoords& origin, uint32_t seed,
                                                       uint32_t weaponId, bool useWeapon,
                                                       int32_t hitIteration)
    : ActorConfigCommand(actorId), skillNumber(skillNumber), targets(targets), origin(origin),
      seed(seed), weaponId(weaponId), useWeapon(useWeapon), hitIteration(hitIteration)
{
    SetNetworked(true);
}

IncrementBaseStrengthConfigCmd::IncrementBaseStrengthConfigCmd(uint32_t actorId)
    : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

IncrementBaseDexterityConfigCmd::IncrementBaseDexterityConfigCmd(uint32_t actorId)
    : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

IncrementBaseIntelligenceConfigCmd::IncrementBaseIntelligenceConfigCmd(uint32_t actorId)
    : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

IncrementBaseLifeConfigCmd::IncrementBaseLifeConfigCmd(uint32_t actorId, int32_t amount)
    : ActorConfigCommand(actorId), amount(amount)
{
    SetNetworked(true);
}

IncrementBaseManaConfigCmd::IncrementBaseManaConfigCmd(uint32_t actorId, int32_t amount)
    : ActorConfigCommand(actorId), amount(amount)
{
    SetNetworked(true);
}

ReleaseTrapConfigCmd::ReleaseTrapConfigCmd(uint32_t actorId) : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

ReleaseStunConfigCmd::ReleaseStunConfigCmd(uint32_t actorId) : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

ReleaseImmobilizeConfigCmd::ReleaseImmobilizeConfigCmd(uint32_t actorId)
    : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

CreateProjectileConfigCmd::CreateProjectileConfigCmd(uint32_t actorId, uint32_t skillNumber,
                                                     uint32_t projectileId,
                                                     const WorldCoords& origin, uint32_t targetId,
                                                     const WorldVec3& point, uint32_t weaponId,
                                                     uint32_t seed, int32_t hitIteration)
    : ActorConfigCommand(actorId), skillNumber(skillNumber), projectileId(projectileId),
      origin(origin), targetId(targetId), point(point), weaponId(weaponId), seed(seed),
      hitIteration(hitIteration)
{
    SetNetworked(true);
}

SpawnObjectConfigCmd::SpawnObjectConfigCmd(uint32_t actorId, uint32_t skillNumber,
                                           const WorldCoords& origin, uint32_t targetId,
                                           const std::vector<WorldCoords>& spawnCoords,
                                           const std::vector<uint32_t>& spawnIds,
                                           uint32_t lastValue)
    : ActorConfigCommand(actorId), skillNumber(skillNumber), origin(origin), targetId(targetId),
      spawnCoords(spawnCoords), spawnIds(spawnIds), lastValue(lastValue)
{
    SetNetworked(true);
}

SkillStateUpdateConfigCmd::SkillStateUpdateConfigCmd(uint32_t actorId, uint32_t skillId,
                                                     const SkillState& state)
    : ActorConfigCommand(actorId), skillId(skillId), state(state)
{
    SetNetworked(true);
}

SkillActiveStateUpdateConfigCmd::SkillActiveStateUpdateConfigCmd(uint32_t actorId, uint32_t skillId,
                                                                 const SkillActiveState& state)
    : ActorConfigCommand(actorId), skillId(skillId), state(state)
{
    SetNetworked(true);
}

RemoveInventoryItemConfigCmd::RemoveInventoryItemConfigCmd(uint32_t actorId, uint32_t itemId)
    : ActorConfigCommand(actorId), itemId(itemId)
{
    SetNetworked(true);
}

PlaySoundConfigCmd::PlaySoundConfigCmd(uint32_t actorId, uint32_t soundIndex)
    : ActorConfigCommand(actorId), soundIndex(soundIndex)
{
    SetNetworked(true);
}

RequestAllyAttackConfigCmd::RequestAllyAttackConfigCmd(uint32_t actorId, uint32_t requester,
                                                       uint32_t targetId)
    : ActorConfigCommand(actorId), requester(requester), targetId(targetId)
{
    SetNetworked(true);
}

RequestAllyMoveConfigCmd::RequestAllyMoveConfigCmd(uint32_t actorId, uint32_t requester,
                                                   const WorldVec3& point)
    : ActorConfigCommand(actorId), requester(requester), point(point)
{
    SetNetworked(true);
}

ShowCharacterConfigCmd::ShowCharacterConfigCmd(uint32_t actorId, bool visible)
    : ActorConfigCommand(actorId), visible(visible)
{
    SetNetworked(true);
}

StartStopDamageEffectConfigCmd::StartStopDamageEffectConfigCmd(uint32_t actorId, bool start,
                                                               CombatAttributeType type)
    : ActorConfigCommand(actorId), start(start), type(type)
{
    SetNetworked(true);
}

ActivateSkillConfigCmd::ActivateSkillConfigCmd(uint32_t actorId, uint32_t skillId,
                                               uint32_t targetId, const WorldVec3& point)
    : ActorConfigCommand(actorId), skillId(skillId), targetId(targetId), point(point)
{
    SetNetworked(true);
}

QuestMoveCompletedConfigCmd::QuestMoveCompletedConfigCmd(uint32_t actorId)
    : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

QuestAnimationCompletedConfigCmd::QuestAnimationCompletedConfigCmd(uint32_t actorId)
    : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

DisableTyphonSkillEffectsConfigCmd::DisableTyphonSkillEffectsConfigCmd(uint32_t actorId)
    : ActorConfigCommand(actorId)
{
    SetNetworked(true);
}

SetCausesAngerConfigCmd::SetCausesAngerConfigCmd(uint32_t actorId, bool causesAnger)
    : ActorConfigCommand(actorId), causesAnger(causesAnger)
{
    SetNetworked(true);
}

SetInvincibleConfigCmd::SetInvincibleConfigCmd(uint32_t actorId, bool invincible)
    : ActorConfigCommand(actorId), invincible(invincible)
{
    SetNetworked(true);
}

SetTeamConfigCmd::SetTeamConfigCmd(uint32_t actorId, const Team& team)
    : ActorConfigCommand(actorId), team(team)
{
    SetNetworked(true);
}

void AttachItemConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->AttachItemAction(itemId, location);
}

void DetachItemConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->DetachItemAction(itemId);
}

void UseItemConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->UseInventoryItem(itemId, destroy);
}

void UseRelicConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->UseRelic(relicId, itemId);
}

void CreateRemoveSkillBuffConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->CreateRemoveSkillBuff(skillId, skillName, level, modName1, modLevel1, modName2,
                                         modLevel2, timeToLive, casterId);
}

void SkillTargetResultConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SkillTargetResult(skillNumber, targets, origin, seed, weaponId, useWeapon,
                                     hitIteration);
}

void IncrementBaseStrengthConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->IncrementBaseStrength();
}

void IncrementBaseDexterityConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->IncrementBaseDexterity();
}

void IncrementBaseIntelligenceConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->IncrementBaseIntelligence();
}

void IncrementBaseLifeConfigCmd::Execute()
{
    Character* character = Find<Character>(actorId);
    if (character == nullptr)
        return;
    if (amount == 0)
        character->IncrementBaseLife();
    else
        character->IncrementBaseLife(amount);
}

void IncrementBaseManaConfigCmd::Execute()
{
    Character* character = Find<Character>(actorId);
    if (character == nullptr)
        return;
    if (amount == 0)
        character->IncrementBaseMana();
    else
        character->IncrementBaseMana(amount);
}

void ReleaseTrapConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->ReleaseTrap();
}

void ReleaseStunConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->ReleaseStun();
}

void ReleaseImmobilizeConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->ReleaseImmobilize();
}

void CreateProjectileConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->CreateProjectile(skillNumber, projectileId, origin, targetId, point, weaponId,
                                    seed, hitIteration);
}

void SpawnObjectConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SkillSpawnObject(skillNumber, origin, targetId, spawnCoords, spawnIds,
                                    lastValue);
}

void SkillStateUpdateConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SkillStateUpdateCommand(skillId, state);
}

void SkillActiveStateUpdateConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SkillActiveStateUpdateCommand(skillId, state);
}

void PlaySoundConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->OnPlayNetSound(soundIndex);
}

void RequestAllyAttackConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->RequestAttack(requester, targetId);
}

void RequestAllyMoveConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->RequestMove(requester, point);
}

void ShowCharacterConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SetVisibility(visible);
}

void StartStopDamageEffectConfigCmd::Execute()
{
    Character* character = Find<Character>(actorId);
    if (character == nullptr)
        return;
    if (start)
        character->StartDamageEffect(type);
    else
        character->StopDamageEffect(type);
}

void ActivateSkillConfigCmd::Execute()
{
    static const Name end = Name::Create("End");
    if (Character* character = Find<Character>(actorId))
        character->ActivateSkill(skillId, end, targetId, point);
}

void QuestMoveCompletedConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SendQuestMoveCompletedEvent();
}

void QuestAnimationCompletedConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SendQuestAnimationCompletedEvent();
}

void DisableTyphonSkillEffectsConfigCmd::Execute()
{
    if (Typhon* typhon = Find<Typhon>(actorId))
        typhon->DisableSkillEffects();
}

void SetCausesAngerConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SetCausesAnger(causesAnger);
}

void SetInvincibleConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SetInvincible(invincible);
}

void SetTeamConfigCmd::Execute()
{
    if (Character* character = Find<Character>(actorId))
        character->SetTeam(team);
}

// Only the actor's own pet: a peer could otherwise kill any character it names.
void ReleasePetConfigCmd::Execute()
{
    const Character* pet = Find<Character>(petId);
    if (pet == nullptr)
        return;
    const auto* monster = DynamicCast<Monster>(pet);
    if (monster == nullptr || monster->GetLeader() != actorId) {
        gEngine->Log(Engine::LogRuntime, "ReleasePetConfigCmd: %u is not a pet of %u", petId,
                     actorId);
        return;
    }
    if (auto* controller = Find<ControllerCombat>(pet->GetControllerId()))
        controller->KillMe();
}

void DropItemConfigCmd::Execute()
{
    Character* character = Find<Character>(actorId);
    if (Item* item = FindHeldItem(character, itemId, "DropItemConfigCmd"))
        character->DropItem(item, x, z);
}

void DropItemFromEquipLocationConfigCmd::Execute()
{
    Character* character = Find<Character>(actorId);
    if (FindHeldItem(character, itemId, "DropItemFromEquipLocationConfigCmd") == nullptr)
        return;
    uint32_t dropped = itemId;
    character->DropItemFromEquipLocation(dropped, location, toss);
}

void CharPickUpConfigCmd::Execute()
{
    Item* item = Find<Item>(itemId);
    if (item == nullptr)
        return;
    if (Player* player = Find<Player>(actorId)) {
        // Only what lies in the world can be picked up: a peer could name an item someone holds.
        const bool lying = item->IsInWorld();
        if (!lying)
            gEngine->Log(Engine::LogRuntime,
                         "CharPickUpConfigCmd: item %u for %s does not lie in the world", itemId,
                         player->GetObjectName().c_str());
        const bool refused = player->HasItem(item->GetObjectName()) && item->CannotPickUpMultiple();
        if (lying && !refused) {
            if (World* world = gEngine->GetWorld())
                world->RemoveEntity(item);
            player->GiveItemToCharacter(item);
        }
    }
    item->SetPickupOk(true);
}

void RemoveInventoryItemConfigCmd::Execute()
{
    Character* character = Find<Character>(actorId);
    Item* item = FindHeldItem(character, itemId, "RemoveInventoryItemConfigCmd");
    if (item == nullptr)
        return;
    character->TakeItemFromCharacter(itemId);
    ObjectManager::Instance().DestroyObjectEx(item, kCharacterConfigCommandsSource, __LINE__);
}

} // namespace GAME
