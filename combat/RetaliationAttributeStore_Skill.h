#pragma once

#include "combat/RetaliationAttributeStore.h"

namespace GAME {

// The retaliation of one record of its own, a skill's or an attribute pack's: levels but no
// affixes, and never jittered.
class RetaliationAttributeStore_Skill : public RetaliationAttributeStore {
public:
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
