#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

// Stands for the plain weapon attack; each swing draws one pooled attack.
class SkillActivatedWeaponPool : public SkillActivated {
    GAME_DECLARE_CLASS(SkillActivatedWeaponPool)

public:
    SkillActivatedWeaponPool() = default;
    ~SkillActivatedWeaponPool() override;
};

} // namespace GAME
