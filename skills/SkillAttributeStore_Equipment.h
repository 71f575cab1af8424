#pragma once

#include "skills/SkillAttributeStore.h"

namespace GAME {

class LoadTable;

// What an item gives its bearer's skills, from the item's record and its prefix and suffix
// records; set the generator first so that the affixes roll from the item's seed.
class SkillAttributeStore_Equipment : public SkillAttributeStore {
public:
    // Items load every store with one flag; skill attributes have no use for it.
    virtual void Load(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix,
                      bool flag);
};

} // namespace GAME
