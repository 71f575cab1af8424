#pragma once

#include "engine/ChaosBeam.h"

namespace GAME {

// The god beam of the skill transfer: a chaos beam under its own class name.
class SkillGodBeam : public ChaosBeam {
    GAME_DECLARE_CLASS(SkillGodBeam)

public:
    SkillGodBeam() = default;
    ~SkillGodBeam() override;
};

} // namespace GAME
