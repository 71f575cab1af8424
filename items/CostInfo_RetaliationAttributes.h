#pragma once

#include "items/CostInfo_DamageAttributes.h"

namespace GAME {

// What the retaliation rolled onto an item adds to its price; the same figures as damage.
struct CostInfo_RetaliationAttributes : CostInfo_DamageAttributes {
    // Retaliation has no base damage, so its dump leaves that line out.
    void Dump() const override;
};

} // namespace GAME
