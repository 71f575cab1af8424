#pragma once

#include "combat/CombatFilter.h"
#include "skills/Skill_Passive.h"

namespace GAME {

class SkillProfile;

// A damage shield: cuts a share of each qualifying hit, then absorbs up to a cap per hit. Its
// values stay 0 and it registers nowhere by itself, so alone it lets every hit pass.
class Skill_PassiveShield : public Skill_Passive, public CombatFilter {
    GAME_DECLARE_CLASS(Skill_PassiveShield)

public:
    Skill_PassiveShield() = default;
    ~Skill_PassiveShield() override;

    float ModifyDamage(float damage, CombatAttributeType type) override;
    bool ProvidesInvulnerability(const std::vector<std::string>& races) const override;

    // The shield's steps past its gate, shared with the self buffs that shield too.
    static float FilterDamage(const SkillProfile& profile, float damage, CombatAttributeType type,
                              float absorption, float absorptionPercent);

private:
    float absorption = 0.0f;
    float absorptionPercent = 0.0f;
};

} // namespace GAME
