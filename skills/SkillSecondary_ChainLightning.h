#pragma once

#include "skills/SkillSecondaryChain.h"

namespace GAME {

// Lightning that jumps from foe to foe, hurting each as it arrives.
class SkillSecondary_ChainLightning : public SkillSecondaryChain {
    GAME_DECLARE_CLASS(SkillSecondary_ChainLightning)

public:
    SkillSecondary_ChainLightning();
    ~SkillSecondary_ChainLightning() override;

protected:
    bool ChainsFriends() const override { return false; }
    void ApplyLink(Character& owner, Character& target, const Link& link) override;
};

} // namespace GAME
