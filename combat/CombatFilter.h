#pragma once

#include "combat/CombatAttributeType.h"

#include <string>
#include <vector>

namespace GAME {

// A buff or shield that stands between a hit and the defender's life. It installs and removes
// itself on the character; the combat manager only points to it.
class CombatFilter {
public:
    virtual ~CombatFilter() = default;
    // The damage that passes; 0 or less stops it.
    virtual float ModifyDamage(float damage, CombatAttributeType type) = 0;
    // True when the defender is immune to an attacker of these races.
    virtual bool ProvidesInvulnerability(const std::vector<std::string>& races) const = 0;
};

} // namespace GAME
