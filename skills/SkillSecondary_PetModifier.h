#pragma once

#include "skills/SkillSecondary.h"

#include <string>

namespace GAME {

// Raises a skill of the pets the primary summoned by this skill's level.
class SkillSecondary_PetModifier : public SkillSecondary {
    GAME_DECLARE_CLASS(SkillSecondary_PetModifier)

public:
    SkillSecondary_PetModifier();
    ~SkillSecondary_PetModifier() override;

    void Load(const LoadTable& table) override;
    void ActivateNow(Character& owner, uint32_t target, const std::vector<uint32_t>& targets,
                     const WorldVec3& point) override;

    const std::string& GetPetSkillName() const { return petSkillName; }

private:
    std::string petSkillName;
    std::string buffSkillName;
};

} // namespace GAME
