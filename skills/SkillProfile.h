#pragma once

#include "characters/CharAttributeStore_Skill.h"
#include "characters/CharAttributeStore_SkillPenalty.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "skills/SkillAttributeStore_Skill.h"

namespace GAME {

class LoadTable;

// The designer data of one skill record, loaded once and shared read-only by every skill made
// from that record. A default-constructed profile is empty and stands in for a skill without
// one. So far it holds the record's attribute stores; the names, per-level lists, sounds,
// effects, projectile and pet data and the racial bonus come with the skills subsystem.
class SkillProfile {
public:
    SkillProfile() = default;
    virtual ~SkillProfile();
    // Each store copies its attributes deeply, so a copy outlives its source.
    SkillProfile(const SkillProfile&) = default;
    SkillProfile& operator=(const SkillProfile&) = default;

    virtual void LoadProfile(const LoadTable& table);

    const CharAttributeStore_Skill& GetCharAttrStore() const { return charAttributes; }
    const CharAttributeStore_SkillPenalty& GetCharAttrPenaltyStore() const
    {
        return charAttributesPenalty;
    }
    const SkillAttributeStore_Skill& GetSkillAttrStore() const { return skillAttributes; }
    const DamageAttributeStore_Skill& GetDamageAttrStore() const { return damageAttributes; }
    const RetaliationAttributeStore_Skill& GetRetaliationAttrStore() const
    {
        return retaliationAttributes;
    }
    const DefenseAttributeStore_Skill& GetDefenseAttrStore() const { return defenseAttributes; }

private:
    CharAttributeStore_Skill charAttributes;
    CharAttributeStore_SkillPenalty charAttributesPenalty;
    SkillAttributeStore_Skill skillAttributes;
    DamageAttributeStore_Skill damageAttributes;
    RetaliationAttributeStore_Skill retaliationAttributes;
    DefenseAttributeStore_Skill defenseAttributes;
};

} // namespace GAME
