#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

// The common base of the weapon attacks; no record names it.
class SkillActivatedWeapon : public SkillActivated {
public:
    SkillActivatedWeapon() = default;
    ~SkillActivatedWeapon() override;
};

} // namespace GAME
