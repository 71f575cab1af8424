#pragma once

#include "ai/ControllerCharacter.h"
#include "items/Weapon_Type.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace GAME {

struct SkillBuffTransfer;

// Adds the combat notifications and the death of the character. The notifications are empty
// here; the thinking controllers answer them.
class ControllerCombat : public ControllerCharacter {
    GAME_DECLARE_CLASS(ControllerCombat)

public:
    ControllerCombat() = default;
    ~ControllerCombat() override = default;

    // Kills the character once its life is gone.
    void Update(int32_t elapsedMs) override;
    // "show" and "hide" make the character visible or invisible on every machine.
    void HandleEvent(const Name& event) override;

    // Virtual operations of this layer, in the order of their slots.
    // A dead character's controller is not updated unless it asks to be.
    virtual bool NeedsDeathUpdate() const { return false; }
    virtual void DeathUpdate(int32_t /*elapsedMs*/) {}
    virtual void StunMe(float /*seconds*/) {}
    virtual void ScareMe(uint32_t /*attackerId*/, float /*seconds*/) {}
    // A non-player character drops its gold and starts dying: life state Dying and a die action.
    virtual void KillMe();
    virtual void TauntMe(float /*amount*/, uint32_t /*attackerId*/) {}
    virtual void BeginStun() {}
    virtual void EndStun() {}
    virtual void BeginImmobilize() {}
    virtual void EndImmobilize() {}
    virtual void BeginTrap() {}
    virtual void EndTrap() {}
    virtual void UnderAttack(uint32_t /*attackerId*/) {}
    virtual void AllyAttacked(uint32_t /*allyId*/, uint32_t /*attackerId*/) {}
    virtual void CharacterIsDying() {}
    virtual void CharacterIsDead() {}

    // Creates the buff on the living character, or changes its level; a repeat of the same
    // level only renews the time. With weapon types, one hand must hold one of them.
    void CreateSkillBuff(const SkillBuffTransfer& transfer,
                         const std::vector<Weapon_Type>& weaponTypes, bool needsTwoWeapons);
    // Removes every buff this controller created.
    void RemoveAllSkillBuffs();
    size_t GetSkillBuffCount() const { return skillBuffs.size(); }
    // Drops the character's gold piles where it stands, each a new item.
    void RunGoldGenerator(Character* character);

protected:
    // A die action with fresh ids from the character's death handlers (none without them).
    void HandleDieAction();

private:
    struct SkillBuffEntry {
        uint32_t level = 0;
        int32_t timeToLive = 0;    // ms
        int32_t remainingTime = 0; // ms
    };

    bool HoldsWeaponOf(const Character& character, const std::vector<Weapon_Type>& types) const;
    bool DecidesDeath() const;

    // The buffs this controller put on its character, by buff record name.
    std::map<std::string, SkillBuffEntry> skillBuffs;
};

} // namespace GAME
