#pragma once

namespace GAME::Bench {

// A combat record with every formula and to-hit band, for benchmarks that resolve real hits.
inline constexpr const char* kCombatManagerRecord =
    "combatRegionFullyProtectedChance = 5\ncombatRegionUnprotectedChance = 5\n"
    "combatRegionHeadChance = 15\ncombatRegionTorsoChance = 40\n"
    "combatRegionArmsChance = 15\ncombatRegionLegsChance = 20\n"
    "physicalDamageEquation = (physicalDamageDV*(1+(strengthDV*0.002)))\n"
    "pierceDamageEquation = (pierceDamageDV*(1+(dexterityDV*0.002)))\n"
    "elementalDamageEquation = (elementalDamageDV*(1+(intelligenceDV*0.002)))\n"
    "elementalDurationDamageEquation = (elementalDamageDV*(1+(intelligenceDV*0.001)))\n"
    "physicalDamageDefenseEquationDGP = ((physicalDamageDV-sumProtectionDV)+"
    "(sumProtectionDV*(1-sumAbsorptionDV)))\n"
    "physcialDamageDefenseEquationDLEP = (physicalDamageDV*(1-sumAbsorptionDV))\n"
    "offensiveAbilityEquation = "
    "(offensiveAbilityDV*(1+(offensiveAbilityModifierDV*0.01)))\n"
    "defensiveAbilityEquation = "
    "(defensiveAbilityDV*(1+(defensiveAbilityModifierDV*0.01)))\n"
    "probabilityToHitEquation = (((offensiveAbilityDV-defensiveAbilityDV)*0.2)+90)\n"
    "meleeBlockEquation = (blockChanceDV*(1+(blockChanceModifierDV*0.01)))\n"
    "projectileBlockEquation = ((blockChanceDV*(1+(blockChanceModifierDV*0.01)))*0.5)\n"
    "shieldDamageReductionEquationDGB = (damageDV-(shieldDefenseDV*shieldAbsorptionDV))\n"
    "shieldDamageReductionEquationDLEB = (damageDV*(1-shieldAbsorptionDV))\n"
    "normalPTHEquation = (0.5+(probabilityToHitDV*0.005))\n"
    "pthThreshold1 = 100\npthDamageModifier1 = 1.0\npthThreshold2 = 110\n"
    "pthDamageModifier2 = 1.1\npthThreshold3 = 120\npthDamageModifier3 = 1.2\n"
    "pthThreshold4 = 130\npthDamageModifier4 = 1.3\npthThreshold5 = 140\n"
    "pthDamageModifier5 = 1.4\npthThreshold6 = 150\npthDamageModifier6 = 1.5\n";

} // namespace GAME::Bench
