#pragma once

#include "skills/SkillSecondaryChain.h"

namespace GAME {

// A bolt that jumps from friend to friend, giving each life and mana as it arrives.
class SkillSecondary_ChainBonus : public SkillSecondaryChain {
    GAME_DECLARE_CLASS(SkillSecondary_ChainBonus)

public:
    SkillSecondary_ChainBonus();
    ~SkillSecondary_ChainBonus() override;

protected:
    bool ChainsFriends() const override { return true; }
    void ApplyLink(Character& owner, Character& target, const Link& link) override;
};

} // namespace GAME
