#pragma once

#include "combat/DamageAttributeStore.h"

namespace GAME {

// The damage of one record of its own, a skill's or an attribute pack's: levels but no affixes,
// and never jittered.
class DamageAttributeStore_Skill : public DamageAttributeStore {
public:
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
