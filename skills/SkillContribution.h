#pragma once

#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class CombatAttributeAccumulator;
class Skill;
class SkillAttributeAccumulator;
struct RacialBonus_Damage;
struct RacialBonus_Defense;

// What one skill adds of each kind at its current level: its own record's numbers, then those
// of its modifiers. Passives, modifiers and the self buffs differ only in when they add.
class SkillContribution {
public:
    static void Char(const Skill& skill, CharAttributeAccumulator& acc, bool withPenalty);
    static void SkillAttributes(const Skill& skill, SkillAttributeAccumulator& acc);
    static void OffensiveDamage(const Skill& skill, CombatAttributeAccumulator& acc);
    static void OffensiveModifier(const Skill& skill, CombatAttributeAccumulator& acc);
    static void Retaliation(const Skill& skill, CombatAttributeAccumulator& acc);
    static void Defense(const Skill& skill, CombatAttributeAccumulator& acc);
    static void RacialDamage(const Skill& skill, const std::vector<std::string>& races,
                             RacialBonus_Damage& damage);
    static void RacialDefense(const Skill& skill, const std::vector<std::string>& races,
                              RacialBonus_Defense& defense);
};

} // namespace GAME
