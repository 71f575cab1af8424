#pragma once

#include "ai/ControllerCharacter.h"

namespace GAME {

// Adds the combat notifications and the death of the character. The notifications are empty
// here; the thinking controllers answer them.
class ControllerCombat : public ControllerCharacter {
    GAME_DECLARE_CLASS(ControllerCombat)

public:
    ControllerCombat() = default;
    ~ControllerCombat() override = default;

    // Kills the character once its life is gone.
    void Update(int32_t elapsedMs) override;

    // Virtual operations of this layer, in the order of their slots.
    // A dead character's controller is not updated unless it asks to be.
    virtual bool NeedsDeathUpdate() const { return false; }
    virtual void DeathUpdate(int32_t /*elapsedMs*/) {}
    virtual void StunMe(float /*seconds*/) {}
    virtual void ScareMe(uint32_t /*attackerId*/, float /*seconds*/) {}
    // A non-player character starts dying: life state Dying and a die action.
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

protected:
    // A die action with fresh ids from the character's death handlers (none without them).
    void HandleDieAction();
};

} // namespace GAME
