#pragma once

#include "skills/SkillBuff.h"

namespace GAME {

// A buff a dispel may take off.
class SkillBuff_Passive : public SkillBuff {
    GAME_DECLARE_CLASS(SkillBuff_Passive)

public:
    SkillBuff_Passive();
    ~SkillBuff_Passive() override;

    void DispelBuff(Character& owner) override;
};

} // namespace GAME
