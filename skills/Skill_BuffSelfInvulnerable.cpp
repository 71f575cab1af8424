#include "skills/Skill_BuffSelfInvulnerable.h"

#include "skills/SkillProfile.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffSelfInvulnerable, Skill_BuffSelfDuration);

Skill_BuffSelfInvulnerable::Skill_BuffSelfInvulnerable() = default;

Skill_BuffSelfInvulnerable::~Skill_BuffSelfInvulnerable() = default;

bool Skill_BuffSelfInvulnerable::ProvidesInvulnerability(
    const std::vector<std::string>& races) const
{
    if (!GetActiveState().active)
        return false;
    const std::vector<std::string>& profile = GetSkillProfile().GetRacialProfile();
    if (profile.empty())
        return true;
    return std::any_of(races.begin(), races.end(), [&](const std::string& race) {
        return std::find(profile.begin(), profile.end(), race) != profile.end();
    });
}

} // namespace GAME
