#include "skills/Skill_BuffOther.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "core/PlayStats.h"
#include "core/Saturate.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffOther, SkillActivated);

Skill_BuffOther::Skill_BuffOther()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    SetSkillType(SkillType_Normal);
}

Skill_BuffOther::~Skill_BuffOther() = default;

void Skill_BuffOther::Load(const LoadTable& table)
{
    buffSkillName = table.GetString("buffSkillName", "");
    NormalizeFileNameLower(buffSkillName);
    if (LoadResourcesFrom(buffSkillName) == nullptr) {
        // Without the buff's numbers there is nothing to cast: it keeps the null profile.
        gEngine->Log(Engine::LogData, "Skill (%s) has no buff record (%s)", GetObjectName().c_str(),
                     buffSkillName.c_str());
        buffSkillName.clear();
    }
}

bool Skill_BuffOther::IsValidTarget(uint32_t target) const
{
    const Character* character = ObjectManager::Instance().GetObject<Character>(target);
    return character != nullptr && !character->IsSkillBuffActive(buffSkillName);
}

void Skill_BuffOther::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                  const WorldVec3& /*point*/)
{
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr || buffSkillName.empty())
        return;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    GameEngine& engine = GameEngine::Get();
    std::vector<uint32_t> targets;
    if (data.GetTargetRadius() > 0.0f)
        engine.GetTargetsInRadius(owner.GetTeam(), owner.GetCoords().GetPosition(),
                                  data.GetTargetRadius(), targets, 0, true);
    else if (targetId != 0)
        targets.push_back(targetId);
    if (targets.empty())
        return;
    services->SendTargetResult(GetObjectId(), targets, owner.GetCoords(),
                               static_cast<uint32_t>(engine.GetRandomSeed()), 0, false);
}

void Skill_BuffOther::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                   const WorldCoords& origin, uint32_t /*seed*/,
                                   uint32_t /*weaponId*/, bool /*initial*/)
{
    if (targets.empty())
        return;
    PlayActivateSound(owner.GetCoords().GetPosition());
    const uint32_t level = GetCurrentLevel();
    const SkillProfile& profileData = GetSkillProfile();
    Bonus bonus;
    bonus.lifePoints = profileData.GetLifeBonus(level);
    bonus.manaPoints = profileData.GetManaBonus(level);
    bonus.effectName = profileData.GetBonusEffectName();
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    const int32_t timeToLive =
        SaturateToInt(static_cast<double>(data.GetActiveDuration()) * 1000.0);
    ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id : targets) {
        Character* target = objects.GetObject<Character>(id);
        if (target == nullptr)
            continue;
        CreateTargetFx(target->GetCoords());
        ApplyBuffOnTarget(owner, *target, buffSkillName, timeToLive);
        target->TakeBonus(bonus, false, PlayStatsLife_Unknown);
    }
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
