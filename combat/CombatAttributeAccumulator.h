#pragma once

namespace GAME {

// The combat attributes of one attack. For now only the type that the attribute stores hand
// their attributes to; the attribute lists, the attack's generator and the steps that act on
// the defender arrive with the combat attributes themselves.
class CombatAttributeAccumulator {
public:
    CombatAttributeAccumulator() = default;
    virtual ~CombatAttributeAccumulator() = default;
    CombatAttributeAccumulator(const CombatAttributeAccumulator&) = delete;
    CombatAttributeAccumulator& operator=(const CombatAttributeAccumulator&) = delete;
};

} // namespace GAME
