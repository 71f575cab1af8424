#include "skills/Skill_WPAttack.h"

#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "game/GameEngine.h"
#include "skills/SkillProfile.h"

#include <cctype>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WPAttack, SkillActivated);

Skill_WPAttack::~Skill_WPAttack() = default;

void Skill_WPAttack::Load(const LoadTable& table)
{
    SkillActivatedWeapon::Load(table);
    if (gGameEngine == nullptr)
        return;
    std::string name = GetObjectName();
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    profile = gGameEngine->LoadSkillResource(Name::Create(name), table);
}

uint32_t Skill_WPAttack::GetChanceWeight(bool includeDisabled) const
{
    if (!IsSkillEnabled() && !includeDisabled)
        return 0;
    return profile != nullptr ? profile->GetChanceWeight(GetCurrentLevel()) : 0;
}

} // namespace GAME
