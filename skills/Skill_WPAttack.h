#pragma once

#include "skills/SkillActivatedWeapon.h"

namespace GAME {

class SkillProfile;

// One attack of a weapon pool, drawn by its chance weight.
class Skill_WPAttack : public SkillActivatedWeapon {
    GAME_DECLARE_CLASS(Skill_WPAttack)

public:
    Skill_WPAttack() = default;
    ~Skill_WPAttack() override;
    void Load(const LoadTable& table) override;
    // 0 for a disabled skill unless asked to include it.
    uint32_t GetChanceWeight(bool includeDisabled) const override;

private:
    // Shared record numbers; owned by the engine's cache.
    const SkillProfile* profile = nullptr;
};

} // namespace GAME
