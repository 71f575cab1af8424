#pragma once

#include "characters/CharAttributeStore.h"

namespace GAME {

// What a skill or an attribute pack gives a character. The mana it reserves is not here; that
// belongs to the skill-penalty store.
class CharAttributeStore_Skill : public CharAttributeStore {
public:
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
