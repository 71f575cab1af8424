#pragma once

#include "combat/CombatAttributeRegion.h"
#include "combat/DefenseAttributeStore.h"

namespace GAME {

// What an item defends with, from its record and its prefix and suffix records, rolled once at
// load with the generator set beforehand. Armour adds its protection for the region it covers.
class DefenseAttributeStore_Equipment : public DefenseAttributeStore {
public:
    virtual void Load(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix,
                      bool withBaseProtection, CombatAttributeRegion region);
};

} // namespace GAME
