#include "combat/ParametersCombat.h"

namespace GAME {

ParametersCombat::ParametersCombat(RandomUniform& generator)
{
    randoms.Fill(generator);
    attributes.SetSeed(randoms.r0);
}

ParametersCombat& ParametersCombat::operator=(const ParametersCombat& other)
{
    if (this == &other)
        return *this;
    attackerId = other.attackerId;
    style = other.style;
    offensiveAbility = other.offensiveAbility;
    randoms = other.randoms;
    unusedWord = other.unusedWord;
    auraName = other.auraName;
    auraDuration = other.auraDuration;
    attributes = other.attributes;
    ragDoll = other.ragDoll;
    racialBonusDamage = other.racialBonusDamage;
    fumbleChance = other.fumbleChance;
    skillManaCost = other.skillManaCost;
    return *this;
}

} // namespace GAME
