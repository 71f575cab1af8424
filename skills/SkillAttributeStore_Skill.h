#pragma once

#include "skills/SkillAttributeStore.h"

namespace GAME {

class LoadTable;

// The skill attributes of one record of their own: a skill's or an attribute pack's.
class SkillAttributeStore_Skill : public SkillAttributeStore {
public:
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
