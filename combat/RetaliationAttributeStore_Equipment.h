#pragma once

#include "combat/RetaliationAttributeStore.h"

namespace GAME {

// An item's retaliation: its own record, rolled with a fixed jitter, and its loot-randomizer
// prefix and suffix records, each rolled with the jitter it names.
class RetaliationAttributeStore_Equipment : public RetaliationAttributeStore {
public:
    // `isArmor` is the flag every equipment store is given; retaliation reads alike either way.
    virtual void Load(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix,
                      bool isArmor);
};

} // namespace GAME
