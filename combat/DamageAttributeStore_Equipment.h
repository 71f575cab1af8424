#pragma once

#include "combat/DamageAttributeStore.h"

namespace GAME {

// An item's damage: its own record, rolled with a fixed jitter, and its loot-randomizer prefix
// and suffix records, each rolled with the jitter it names.
class DamageAttributeStore_Equipment : public DamageAttributeStore {
public:
    // Armour has no weapon damage of its own: its physical damage goes by level instead.
    virtual void Load(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix,
                      bool isArmor);
};

} // namespace GAME
