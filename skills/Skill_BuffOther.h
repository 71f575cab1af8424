#pragma once

#include "skills/SkillActivatedBuffOther.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// A cast buff: installs a named buff on one chosen ally, or on every ally within a radius.
class Skill_BuffOther : public SkillActivatedBuffOther {
    GAME_DECLARE_CLASS(Skill_BuffOther)

public:
    Skill_BuffOther();
    ~Skill_BuffOther() override;

    void Load(const LoadTable& table) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool initial) override;
    bool IsValidTarget(uint32_t target) const override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    const std::string& GetBuffSkillName() const { return buffSkillName; }

private:
    std::string buffSkillName;
};

} // namespace GAME
