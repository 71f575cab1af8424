#pragma once

#include "characters/CharAttributeStore.h"

namespace GAME {

// What an item gives its bearer, from the item's record and its prefix and suffix records,
// rolled once at load with the generator set beforehand.
class CharAttributeStore_Equipment : public CharAttributeStore {
public:
    // Armour passes `withoutBaseAttackSpeed`: it has no speed class to show.
    virtual void Load(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix,
                      bool withoutBaseAttackSpeed);
};

} // namespace GAME
