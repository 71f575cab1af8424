#pragma once

#include "characters/CharacterRagDoll.h"
#include "combat/AttackRandoms.h"
#include "combat/CombatAttributeAccumulator.h"

#include <cstdint>
#include <string>

namespace GAME {

class RandomUniform;

// How `CombatManager::TakeAttack` resolves a hit; any other value is a direct attack, which
// lands without avoidance rolls but is still reflected and still provokes the defender.
enum ParametersCombatStyle : int32_t {
    ParametersCombatStyle_Probability = 1,
    ParametersCombatStyle_Projectile = 2,
    // Retaliation and reflection: lands like a direct attack and starts nothing further.
    ParametersCombatStyle_Retaliation = 3,
};

// Everything one hit carries from the attacker to one defender. The record owns its
// accumulator and, through it, every attribute of the attack.
class ParametersCombat {
public:
    // Draws the seven randoms from `generator` (exactly seven draws) and seeds the
    // accumulator with the first.
    explicit ParametersCombat(RandomUniform& generator);
    virtual ~ParametersCombat() = default;
    // Copies own clones of the attributes, which assignment makes; a plain copy would not.
    ParametersCombat(const ParametersCombat&) = delete;
    ParametersCombat& operator=(const ParametersCombat& other);

    uint32_t attackerId = 0;
    ParametersCombatStyle style = static_cast<ParametersCombatStyle>(0);
    float offensiveAbility = 0.0f;
    AttackRandoms randoms{AttackRandoms::kDefaultMinimum, AttackRandoms::kDefaultMaximum};
    uint32_t unusedWord = 0; // read by nothing; kept so copies stay field for field
    std::string auraName;
    int32_t auraDuration = 0; // whole seconds
    CombatAttributeAccumulator attributes;
    CharacterRagDoll::EffectData ragDoll; // the impulse handed to the defender's rag doll
    float racialBonusDamage = 0.0f;
    float fumbleChance = 0.0f; // percent
    float skillManaCost = 0.0f;
};

} // namespace GAME
