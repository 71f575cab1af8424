#include "skills/Skill_AttackProjectileDebuf.h"

#include "characters/Character.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "skills/SkillProfile_Modifiers.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackProjectileDebuf, Skill_AttackProjectile);

Skill_AttackProjectileDebuf::Skill_AttackProjectileDebuf()
{
    SetRepeatable(false);
}

Skill_AttackProjectileDebuf::~Skill_AttackProjectileDebuf() = default;

void Skill_AttackProjectileDebuf::Load(const LoadTable& table)
{
    table.GetStringList("projectileNames", projectileNames);
    buffSkillName = table.GetString("buffSkillName", "");
    // Without its debuff the skill keeps the null profile and stays unusable.
    if (LoadResourcesFrom(buffSkillName) == nullptr)
        gEngine->Log(1, "Debuff skill record could not be loaded (%s) (%s)", buffSkillName.c_str(),
                     GetObjectName().c_str());
}

std::string Skill_AttackProjectileDebuf::GetProjectileName() const
{
    const uint32_t level = GetCurrentLevel();
    if (level == 0 || projectileNames.empty())
        return std::string();
    const size_t index = std::min<size_t>(level - 1, projectileNames.size() - 1);
    return projectileNames[index];
}

void Skill_AttackProjectileDebuf::TargetResult(Character& owner,
                                               const std::vector<uint32_t>& targets,
                                               const WorldCoords& /*origin*/, uint32_t /*seed*/,
                                               uint32_t /*weaponId*/, bool /*melee*/)
{
    if (!targets.empty())
        PlayActivateSound(owner.GetCoords().GetPosition());
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    const auto duration = static_cast<int32_t>(data.GetActiveDuration() * 1000.0f);
    const ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id : targets) {
        Character* target = objects.GetObject<Character>(id);
        if (target == nullptr)
            continue;
        CreateTargetFx(target->GetCoords());
        ApplyBuffOnTarget(owner, *target, buffSkillName, duration);
    }
}

} // namespace GAME
