#pragma once

#include "characters/CharAttributeStore.h"

namespace GAME {

// The mana a skill holds back while it is active, kept apart from the skill's bonuses.
class CharAttributeStore_SkillPenalty : public CharAttributeStore {
public:
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
