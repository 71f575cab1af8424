#pragma once

#include "ai/ControllerCombat.h"

#include <cstdint>

namespace GAME {

class Character;

// The controller of scenery creatures: no thinking, a spawn animation at the start, and a hit
// answered by the creature's own first skill cast on itself.
class ControllerStooge : public ControllerCombat {
    GAME_DECLARE_CLASS(ControllerStooge)

public:
    ControllerStooge() = default;
    ~ControllerStooge() override = default;

    void InitialUpdate() override;
    // Whoever attacked, the creature casts its first skill on itself.
    void UnderAttack(uint32_t attackerId) override;
    // The combat layer's death, then the creature's trinkets while it is still about.
    void CharacterIsDead() override;

    void SetOnHitSkillId(uint32_t id) { onHitSkillId = id; }
    uint32_t GetOnHitSkillId() const { return onHitSkillId; }
    // Up to three extra items from the misc slots of the creature's own record.
    void CreateDropMiscItems(Character& character);

private:
    uint32_t onHitSkillId = 0;
};

} // namespace GAME
