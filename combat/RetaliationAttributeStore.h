#pragma once

#include "combat/DamageAttributeStore.h"

namespace GAME {

// The damage an item, a skill or an attribute pack strikes back with at a melee attacker. It
// groups, rolls, prices and shows its attributes as any damage store does; only its global
// chance has a key of its own and its loaders read the retaliation kinds.
class RetaliationAttributeStore : public DamageAttributeStore {
protected:
    void SetGlobalChance(const LoadTable& record, const LoadTable* prefix,
                         const LoadTable* suffix) override;

    // The kinds that items and skills share at the head and the tail of their load order.
    void LoadLeadingAttributes(const AttributeRecords& records);
    void LoadTrailingAttributes(const AttributeRecords& records);
};

} // namespace GAME
