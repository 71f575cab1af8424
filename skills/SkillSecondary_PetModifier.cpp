#include "skills/SkillSecondary_PetModifier.h"

#include "characters/Character.h"
#include "core/StringHelpers.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary_PetModifier, SkillSecondary);

SkillSecondary_PetModifier::SkillSecondary_PetModifier()
{
    SetDisplayClassText("^bSecondary Skill - Pet Modifier");
}

SkillSecondary_PetModifier::~SkillSecondary_PetModifier() = default;

void SkillSecondary_PetModifier::Load(const LoadTable& table)
{
    SkillSecondary::Load(table);
    petSkillName = NormalizeFileName(table.GetString("petSkillName", ""));
    // The numbers come from the pet's skill, or from the buff that skill casts.
    const LoadTable* petSkill = LoadResourcesFrom(petSkillName);
    if (petSkill == nullptr)
        return;
    buffSkillName = petSkill->GetString("buffSkillName", "");
    if (!buffSkillName.empty())
        LoadResourcesFrom(buffSkillName);
}

void SkillSecondary_PetModifier::ActivateNow(Character& owner, uint32_t /*target*/,
                                             const std::vector<uint32_t>& targets,
                                             const WorldVec3& point)
{
    const uint32_t level = GetCurrentLevel();
    if (level > 0) {
        for (uint32_t id : targets) {
            if (Character* pet = ObjectManager::Instance().GetObject<Character>(id))
                pet->AddToSkillLevel(petSkillName, level);
        }
    }
    ActivateSecondarySkills(owner, 0, targets, point);
}

} // namespace GAME
