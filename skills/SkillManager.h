#pragma once

#include "skills/SkillAttributeAccumulator.h"

#include <cstdint>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class Character;
class CombatManager;
class LoadTable;
class Skill;

// A character's skills: it owns them (through the object manager), runs them and gathers what
// they add to the character. So far it loads its record numbers and gathers attributes.
class SkillManager {
public:
    SkillManager() = default;
    // Destroys the skills it owns.
    virtual ~SkillManager();
    SkillManager(const SkillManager&) = delete;
    SkillManager& operator=(const SkillManager&) = delete;

    void Initialize(CombatManager* combatManager, Character* parent);

    // The mastery unlock levels and the reclamation tiers and costs. Tiers and costs go in
    // pairs: the longer list is cut to the shorter (logged); a negative entry reads as 0.
    virtual void Load(const LoadTable& table);
    virtual void PreLoad(bool flag);

    // What the active skills and the item skills of a level above 0 add.
    void GetCharAttributes(CharAttributeAccumulator& accumulator) const;

    const std::vector<uint32_t>& GetMasteryIncrementLevels() const
    {
        return masteryIncrementLevels;
    }
    const std::vector<uint32_t>& GetReclamationPointTiers() const { return reclamationPointTiers; }
    const std::vector<uint32_t>& GetReclamationPointCosts() const { return reclamationPointCosts; }

private:
    const char* GetParentName() const;
    void ReadLevels(const LoadTable& table, const char* key, std::vector<uint32_t>& out) const;

    CombatManager* combatManager = nullptr;
    Character* parent = nullptr;
    // Owned through the object manager; a skill's index is its reference number.
    std::vector<Skill*> learnedSkills;
    std::vector<uint32_t> masteryIncrementLevels;
    std::vector<uint32_t> reclamationPointTiers;
    std::vector<uint32_t> reclamationPointCosts;
    SkillAttributeAccumulator skillAttributes;
    // The learned skills installed on the character; not owned.
    std::vector<Skill*> activeSkills;
    // Owned through the object manager.
    std::vector<Skill*> itemSkills;
};

} // namespace GAME
