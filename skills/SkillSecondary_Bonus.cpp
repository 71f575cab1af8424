#include "skills/SkillSecondary_Bonus.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary_Bonus, SkillSecondary);

SkillSecondary_Bonus::SkillSecondary_Bonus()
{
    SetDisplayClassText("^bSecondary Skill - Bonus");
}

SkillSecondary_Bonus::~SkillSecondary_Bonus() = default;

void SkillSecondary_Bonus::ActivateNow(Character& owner, uint32_t /*target*/,
                                       const std::vector<uint32_t>& targets, const WorldVec3& point)
{
    const Bonus bonus = LevelBonus(*this);
    for (uint32_t id : targets) {
        if (Character* character = ObjectManager::Instance().GetObject<Character>(id))
            character->TakeBonus(bonus, false, PlayStatsLife_Unknown);
    }
    ActivateSecondarySkills(owner, 0, targets, point);
}

} // namespace GAME
