#include "skills/SkillBuff_Debuf.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff_Debuf, SkillBuff);

SkillBuff_Debuf::SkillBuff_Debuf()
{
    SetDisplayName("^bSkill Buff Debuf");
    SetDisruptable(false);
}

SkillBuff_Debuf::~SkillBuff_Debuf() = default;

void SkillBuff_Debuf::Update(Character& owner, int32_t elapsedMs)
{
    SkillBuff::Update(owner, elapsedMs);
    countdown = AddSaturating(countdown, -elapsedMs);
    if (countdown >= 1)
        return;
    countdown = interval;
    // The receiver's id is the same on every machine, so every machine rolls the same hit.
    RandomUniform generator;
    generator.Seed(owner.GetObjectId());
    ParametersCombat parameters(generator);
    CollectCombatParameters(owner, &owner, static_cast<ParametersCombatStyle>(0), false, 0,
                            parameters, 0.0f);
    parameters.attackerId = GetCasterId();
    owner.TakeAttack(parameters);
}

void SkillBuff_Debuf::DispelDeBuff(Character& /*owner*/)
{
    RequestDispel();
}

} // namespace GAME
