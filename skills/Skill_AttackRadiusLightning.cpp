#include "skills/Skill_AttackRadiusLightning.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "world/Lightning.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackRadiusLightning, SkillActivated);

Skill_AttackRadiusLightning::Skill_AttackRadiusLightning()
{
    SetPrimary(true);
    SetSecondary(true);
}

Skill_AttackRadiusLightning::~Skill_AttackRadiusLightning() = default;

void Skill_AttackRadiusLightning::ActivateNow(Character& owner, const Name& /*callback*/,
                                              uint32_t targetId, const WorldVec3& point)
{
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    SkillProfile_Modifiers modifiers;
    GetSkillModifierData(modifiers);
    aimedPoint = point;
    std::vector<uint32_t> list;
    if (targetId != 0)
        list.push_back(targetId);
    // The query keeps ids the list already holds: exclude the chosen target, else one seed
    // would strike it twice.
    GameEngine::Get().GetTargetsInRadius(owner.GetTeam(), aimedPoint, modifiers.GetTargetRadius(),
                                         list, targetId, false);
    services->SendTargetResult(GetObjectId(), list, WorldCoords(aimedPoint),
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), targetId,
                               false);
}

void Skill_AttackRadiusLightning::TargetResult(Character& owner, const std::vector<uint32_t>& list,
                                               const WorldCoords& origin, uint32_t resultSeed,
                                               uint32_t targetId, bool /*melee*/)
{
    chosenTarget = targetId;
    PlayHitSound(owner.GetCoords().GetPosition());
    const auto* target = ObjectManager::Instance().GetObject<Character>(targetId);
    strikeCoords = target != nullptr ? target->GetCoords() : origin;
    CreateVisualEffect(strikeCoords);
    targets = list;
    seed = resultSeed;
}

void Skill_AttackRadiusLightning::CreateVisualEffect(const WorldCoords& where)
{
    const std::string& name = GetSkillProfile().GetLightningName();
    if (name.empty())
        return;
    auto* lightning = ObjectManager::Instance().CreateObjectFromFile<Lightning>(name);
    if (lightning == nullptr)
        return;
    lightning->SetTarget(where.GetPosition(), where.GetPosition());
    World* world = gEngine->GetWorld();
    if (world == nullptr || !world->AddEntity(lightning, where, false)) {
        ObjectManager::Instance().DestroyObjectEx(lightning, "Project/Game/Skill", __LINE__);
        return;
    }
    lightningId = lightning->GetObjectId();
    lightningTimeout = kLightningTimeoutMs;
}

void Skill_AttackRadiusLightning::Update(Character& owner, int32_t elapsedMs)
{
    Skill::Update(owner, elapsedMs);
    if (lightningId != 0) {
        if (const auto* lightning = ObjectManager::Instance().GetObject<Lightning>(lightningId)) {
            lightningTimeout -= elapsedMs;
            if (!lightning->HasReachedTarget() && lightningTimeout > 0)
                return;
        }
        OnLightningComplete(owner);
    } else if (!targets.empty()) {
        OnLightningComplete(owner);
    }
}

void Skill_AttackRadiusLightning::OnLightningComplete(Character& owner)
{
    lightningId = 0;
    CreateTargetFx(strikeCoords);
    CameraShake();
    if (targets.empty())
        return;
    ApplyDirectDamage(owner, targets, strikeCoords, seed);
    ActivateSecondarySkills(owner, chosenTarget, targets, strikeCoords.GetPosition());
    targets.clear();
}

bool Skill_AttackRadiusLightning::SetAvailability(bool ignoreMana, bool ignoreCooldown)
{
    const bool usable = Skill::SetAvailability(ignoreMana, ignoreCooldown);
    if (lightningId != 0 || !targets.empty()) {
        SetReason(UseQuery_CoolingDown);
        return false;
    }
    return usable;
}

} // namespace GAME
