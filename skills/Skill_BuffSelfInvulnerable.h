#pragma once

#include "skills/Skill_BuffSelfDuration.h"

namespace GAME {

// A timed self buff that makes its owner immune to attackers of the record's races, or to
// everyone when it names none.
class Skill_BuffSelfInvulnerable : public Skill_BuffSelfDuration {
    GAME_DECLARE_CLASS(Skill_BuffSelfInvulnerable)

public:
    Skill_BuffSelfInvulnerable();
    ~Skill_BuffSelfInvulnerable() override;

    bool ProvidesInvulnerability(const std::vector<std::string>& races) const override;
};

} // namespace GAME
