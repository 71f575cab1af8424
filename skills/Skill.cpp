#include "skills/Skill.h"

#include "engine/LoadTable.h"
#include "game/GameEngine.h"

#include <new>

#include <iterator>

namespace GAME {

GAME_IMPLEMENT_ABSTRACT_CLASS(Skill, Object);

Skill::~Skill() = default;

void Skill::Load(const LoadTable& table)
{
    LoadResources(table);
}

void Skill::LoadResources(const LoadTable& table)
{
    static const char* const kProfiles[] = {"Melee", "Short", "Moderate", "Long", "Maximum"};
    const std::string profile = table.GetString("distanceProfile", "");
    // A text naming no profile keeps the one the skill has.
    for (size_t index = 0; index < std::size(kProfiles); ++index) {
        if (profile == kProfiles[index])
            rangeProfile = static_cast<int32_t>(index);
    }
}

float Skill::GetRange() const
{
    const GameEngine& engine = GameEngine::Get();
    switch (rangeProfile) {
    case RangeProfile_Melee:
        return engine.GetMeleeRange();
    case RangeProfile_Short:
        return engine.GetShortRange();
    case RangeProfile_Moderate:
        return engine.GetModerateRange();
    case RangeProfile_Long:
        return engine.GetLongRange();
    case RangeProfile_Maximum:
        return engine.GetMaximumRange();
    default:
        return 1.0f;
    }
}

} // namespace GAME
