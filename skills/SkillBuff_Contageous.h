#pragma once

#include "characters/Team.h"
#include "skills/SkillBuff_Debuf.h"

namespace GAME {

// A debuff that passes itself on to its victim's allies nearby.
class SkillBuff_Contageous : public SkillBuff_Debuf {
    GAME_DECLARE_CLASS(SkillBuff_Contageous)

public:
    SkillBuff_Contageous();
    ~SkillBuff_Contageous() override;

    void Install(Character* owner) override;
    void Update(Character& owner, int32_t elapsedMs) override;

    int32_t GetSpreadsLeft() const { return spreadsLeft; }

private:
    void Spread(Character& owner);

    int32_t contagionCountdown = 0;
    int32_t spreadsLeft = 0;
    Team victimTeam;
};

} // namespace GAME
