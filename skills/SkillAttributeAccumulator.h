#pragma once

#include "core/AttributeTotals.h"
#include "core/RandomUniform.h"
#include "skills/SkillAttributeType.h"

namespace GAME {

// The sum, per type, of the skill attributes of every source of one character, and the
// generator their chances are rolled on, seeded so that every machine rolls alike.
class SkillAttributeAccumulator {
public:
    virtual ~SkillAttributeAccumulator() = default;

    virtual void AddValue(SkillAttributeType type, float amount);
    virtual void AddModifier(SkillAttributeType type, float amount);
    // The flat value raised by its modifier, a percentage of the value's magnitude.
    float GetValue(SkillAttributeType type) const;
    void Clear();

    void SetSeed(uint32_t seed) { randomGen.Seed(seed); }
    RandomUniform& GetRandomGen() { return randomGen; }

private:
    AttributeTotals<kSkillAttributeTypeCount> totals;
    RandomUniform randomGen;
};

} // namespace GAME
