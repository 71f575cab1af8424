#include "skills/Skill_AttackBuff.h"

#include "characters/Character.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackBuff, SkillActivated);

Skill_AttackBuff::Skill_AttackBuff()
{
    SetRepeatable(false);
    SetSecondary(true);
}

Skill_AttackBuff::~Skill_AttackBuff() = default;

void Skill_AttackBuff::Load(const LoadTable& table)
{
    buffSkillName = table.GetString("buffSkillName", "");
    // A record naming no debuff, or a missing one, leaves the null profile: the skill stays
    // unusable instead of reading a table that is not there.
    if (LoadResourcesFrom(buffSkillName) == nullptr)
        gEngine->Log(Engine::LogData, "Skill_AttackBuff: no debuff record (%s) (%s)",
                     buffSkillName.c_str(), GetObjectName().c_str());
}

void Skill_AttackBuff::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                   const WorldVec3& /*point*/)
{
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (ObjectManager::Instance().GetObject<Character>(targetId) == nullptr ||
        services == nullptr || !IsTargetInRange(owner, targetId, kRange))
        return;
    services->SendTargetResult(GetObjectId(), {targetId}, owner.GetCoords(),
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0, false);
}

void Skill_AttackBuff::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                    const WorldCoords& /*origin*/, uint32_t /*seed*/,
                                    uint32_t /*weaponId*/, bool /*melee*/)
{
    if (targets.empty())
        return;
    PlayActivateSound(owner.GetCoords().GetPosition());
    SkillProfile_Modifiers modifiers;
    GetSkillModifierData(modifiers);
    const auto timeToLive = static_cast<int32_t>(modifiers.GetActiveDuration() * 1000.0f);
    for (uint32_t id : targets) {
        Character* target = ObjectManager::Instance().GetObject<Character>(id);
        if (target == nullptr)
            continue;
        CreateTargetFx(target->GetCoords());
        ApplyBuffOnTarget(owner, *target, buffSkillName, timeToLive);
    }
}

} // namespace GAME
