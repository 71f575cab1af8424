#include "skills/Skill_Mastery.h"

#include "engine/LoadTable.h"

#include <iterator>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_Mastery, Skill_Passive);

Skill_Mastery::~Skill_Mastery() = default;

void Skill_Mastery::Load(const LoadTable& table)
{
    Skill_Passive::Load(table);
    static const char* const kMasteries[] = {"MasterySpirit",  "MasteryNature", "MasteryStealth",
                                             "MasteryHunting", "MasteryStorm",  "MasteryEarth",
                                             "MasteryDefense", "MasteryWarfare"};
    const std::string text = table.GetString("MasteryEnumeration", "");
    // Text naming no mastery keeps what the skill had.
    for (size_t index = 0; index < std::size(kMasteries); ++index) {
        if (text == kMasteries[index])
            enumeration = static_cast<uint32_t>(index);
    }
}

bool Skill_Mastery::DecrementSkillLevel()
{
    return false;
}

void Skill_Mastery::IncrementAugmentedSkillLevel(uint32_t /*amount*/) {}

void Skill_Mastery::DecrementAugmentedSkillLevel(uint32_t /*amount*/) {}

} // namespace GAME
