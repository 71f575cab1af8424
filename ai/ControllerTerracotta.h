#pragma once

#include "ai/ControllerMonster.h"

#include <cstdint>

namespace GAME {

// A warrior that stands until a foe is far enough in front of it, or until its boss sends it,
// then marches straight ahead and fights as a monster once a foe is close in front.
class ControllerTerracotta : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerTerracotta)

public:
    ControllerTerracotta() = default;
    ~ControllerTerracotta() override;

    // "AttackRange", "MarchRange".
    void Load(const LoadTable& table) override;

    void AttackMarch();
    void Return();
    // How far the character stands ahead along the warrior's facing; 0 behind or when gone.
    float GetForwardDistance(uint32_t objectId) const;

    float GetAttackRange() const { return attackRange; }
    float GetMarchRange() const { return marchRange; }

protected:
    void RegisterStates() override;

private:
    float attackRange = 2.0f;
    float marchRange = 0.0f;
};

} // namespace GAME
