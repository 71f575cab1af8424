#include "ai/ControllerCombat.h"

#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/DieAction.h"
#include "characters/Npc.h"
#include "combat/DeathManager.h"
#include "core/GameEvents.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/GoldGenerator.h"
#include "items/ItemReplicaInfo.h"
#include "items/Weapon.h"
#include "skills/SkillBuffTransfer.h"

#include <algorithm>
#include <memory>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerCombat, ControllerCharacter);

void ControllerCombat::Update(int32_t elapsedMs)
{
    ControllerCharacter::Update(elapsedMs);
    Character* character = GetCharacter();
    if (character == nullptr || !character->IsAlive() || character->IsInvincible())
        return;
    const float life = character->GetCurrentLife();
    character->PlayLowHealthSoundIfNeeded(life);
    if (life <= 0.0f)
        KillMe();
}

// In a network game only the machine that made a character decides its death; a stand-in here
// waits for that machine's word, so that a hit one machine saw and another did not, or saw late,
// never leaves the two with different dead.
bool ControllerCombat::DecidesDeath() const
{
    if (!gEngine->IsNetworkEnabled())
        return true;
    const ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    return ConnectionManager::HostOfId(GetParentId()) == connection.GetLocalHostID();
}

void ControllerCombat::HandleEvent(const Name& event)
{
    static const Name show = Name::Create("show");
    static const Name hide = Name::Create("hide");
    if (event != show && event != hide)
        return;
    if (Character* character = GetCharacter())
        character->Enqueue(std::make_unique<ShowCharacterConfigCmd>(GetParentId(), event == show));
}

void ControllerCombat::KillMe()
{
    if (!DecidesDeath())
        return;
    RemoveAllSkillBuffs();
    Character* character = GetCharacter();
    // The people of the towns cannot be killed this way.
    if (character == nullptr || !character->IsAlive() || DynamicCast<Npc>(character) != nullptr)
        return;
    RunGoldGenerator(character);
    character->SetLifeState(LifeState_Dying);
    HandleDieAction();
    GameEvent_GenericEntity event;
    event.objectId = GetParentId();
    EventManager::Instance().Send("GameEvent_CreatureStartDeath", event);
}

void ControllerCombat::RunGoldGenerator(Character* character)
{
    // Without the game there is nowhere to drop anything.
    if (gGameEngine == nullptr || gGameEngine->GetNetworkInterface() == nullptr ||
        character == nullptr || character->GetGoldGenerator().empty() ||
        !(character->GetGoldGeneratorChance() > 0.0f))
        return;
    GoldGenerator generator;
    generator.LoadFromDatabase(character->GetGoldGenerator());
    generator.SetChance(character->GetGoldGeneratorChance());
    generator.SetGeneratorLevel(static_cast<float>(character->GetCharLevel()));
    generator.SetMonsterExperience(static_cast<float>(character->GetExperiencePoints()));
    const Character* attacker =
        ObjectManager::Instance().GetObject<Character>(character->GetAttackerId());
    generator.SetPlayerLevel(attacker != nullptr ? static_cast<float>(attacker->GetCharLevel())
                                                 : 0.0f);
    std::vector<ItemReplicaInfo> piles;
    generator.RunGenerator(piles);
    for (ItemReplicaInfo& pile : piles) {
        pile.id = ObjectManager::Instance().CreateObjectID();
        gGameEngine->CreateItem(character->GetCoords(), pile);
    }
}

bool ControllerCombat::HoldsWeaponOf(const Character& character,
                                     const std::vector<Weapon_Type>& types) const
{
    const CombatManager& combat = character.GetCombatManager();
    for (uint32_t weaponId : {combat.GetRightHandWeapon(), combat.GetLeftHandWeapon()}) {
        const Weapon* weapon = ObjectManager::Instance().GetObject<Weapon>(weaponId);
        if (weapon != nullptr &&
            std::find(types.begin(), types.end(), weapon->GetWeaponType()) != types.end())
            return true;
    }
    return false;
}

void ControllerCombat::CreateSkillBuff(const SkillBuffTransfer& transfer,
                                       const std::vector<Weapon_Type>& weaponTypes,
                                       bool needsTwoWeapons)
{
    Character* character = GetCharacter();
    if (character == nullptr || !character->IsAlive())
        return;
    if (!weaponTypes.empty() && !HoldsWeaponOf(*character, weaponTypes))
        return;
    if (needsTwoWeapons &&
        character->GetCombatManager().GetHandState() != EquipManager_HandState_DualWielded)
        return;

    SkillBuffEntry& entry = skillBuffs[transfer.buffName];
    entry.level = transfer.buffLevel;
    entry.timeToLive = transfer.timeToLive;
    entry.remainingTime = transfer.timeToLive;
    // Sent even for a buff held at the same level: only the receiver's refresh renews the buff's
    // own time to live, so an aura's buff would lapse between two pulses and flicker.
    character->Enqueue(std::make_unique<CreateRemoveSkillBuffConfigCmd>(
        GetParentId(), 0u, transfer.buffName, transfer.buffLevel, transfer.modifierName1,
        transfer.modifierLevel1, transfer.modifierName2, transfer.modifierLevel2,
        transfer.timeToLive, transfer.casterId));
}

void ControllerCombat::RemoveAllSkillBuffs()
{
    if (Character* character = GetCharacter()) {
        // Level 0 removes a buff.
        for (const auto& [name, entry] : skillBuffs)
            character->Enqueue(std::make_unique<CreateRemoveSkillBuffConfigCmd>(
                GetParentId(), 0u, name, 0u, std::string(), 0u, std::string(), 0u, 0, 0u));
    }
    skillBuffs.clear();
}

void ControllerCombat::HandleDieAction()
{
    const Character* character = GetCharacter();
    const DeathManager* deathManager =
        character != nullptr ? character->GetDeathManager() : nullptr;
    HandleAction(new DieAction(GetParentId(), deathManager != nullptr
                                                  ? deathManager->CreateObjectIds()
                                                  : std::vector<uint32_t>()));
}

} // namespace GAME
