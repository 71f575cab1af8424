#pragma once

#include "combat/DefenseAttributeStore.h"

namespace GAME {

// The defenses that one record of its own grants: a skill's or an attribute pack's. Unlike
// items, skills may also resist conversion and carry the monster-only defenses.
class DefenseAttributeStore_Skill : public DefenseAttributeStore {
public:
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
