#include "skills/Skill_AttackRadius.h"

#include "characters/Character.h"
#include "engine/Color.h"
#include "engine/DebugRenderManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "world/RadiusMagic.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackRadius, SkillActivated);

namespace {

constexpr const char* kSkillAttackRadiusSource = "Project/Game/Skill_AttackRadius";

void PlaceInWorld(Entity* entity, const WorldCoords& coords)
{
    World* world = gEngine->GetWorld();
    if (world == nullptr || !world->AddEntity(entity, coords, false))
        ObjectManager::Instance().DestroyObjectEx(entity, kSkillAttackRadiusSource, __LINE__);
}

} // namespace

Skill_AttackRadius::Skill_AttackRadius()
{
    SetSkillType(SkillType_UseAtOnce);
    SetPrimary(true);
    SetSecondary(true);
}

Skill_AttackRadius::~Skill_AttackRadius() = default;

bool Skill_AttackRadius::GetValidTarget(const Character& /*owner*/, uint32_t& target,
                                        const WorldVec3& /*point*/, bool /*aroundSelf*/,
                                        float /*radius*/)
{
    target = 0;
    return true;
}

void Skill_AttackRadius::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                     const WorldVec3& point)
{
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    SkillProfile_Modifiers modifiers;
    GetSkillModifierData(modifiers);
    elapsed = 0;
    radiusTime = static_cast<int32_t>(GetSkillProfile().GetRadiusTime(GetCurrentLevel()));
    centre = owner.GetCoords().GetPosition();
    largestRadius = modifiers.GetTargetRadius();
    waiting.clear();
    GameEngine::Get().GetTargetsInRadius(owner.GetTeam(), centre, largestRadius, waiting, 0, false);
    services->SendSkillActiveUpdate(GetObjectId(), SkillActiveState(0, true, false));
    PrimaryActivateSecondarySkills(owner, targetId, waiting, point);
}

void Skill_AttackRadius::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                             bool fromSave)
{
    Skill::ReceiveActiveUpdate(owner, state, fromSave);
    if (!skillActiveState.active)
        return;
    // Every machine charges and shows the wave once, on the state the manager relays.
    if (!fromSave) {
        SubtractManaCost();
        StartCooldown();
        if (owner != nullptr) {
            PlayHitSound(owner->GetCoords().GetPosition());
            SkillProfile_Modifiers modifiers;
            GetSkillModifierData(modifiers);
            CreateVisualEffect(
                owner->GetCoords(), modifiers.GetTargetRadius(),
                static_cast<int32_t>(GetSkillProfile().GetRadiusTime(GetCurrentLevel())));
        }
    }
    skillActiveState.active = false;
}

void Skill_AttackRadius::CreateVisualEffect(const WorldCoords& where, float radius, int32_t time)
{
    ObjectManager& objects = ObjectManager::Instance();
    const SkillProfile& data = GetSkillProfile();
    if (!data.GetRadiusMagicName().empty()) {
        if (auto* magic = objects.CreateObjectFromFile<RadiusMagic>(data.GetRadiusMagicName())) {
            magic->SetEffect(radius, static_cast<float>(time));
            WorldVec3 raised = where.GetPosition();
            raised.TranslateInRegion(Vec3(0.0f, 1.0f, 0.0f));
            magic->SetPhysicsType(0);
            PlaceInWorld(magic, WorldCoords(raised));
        }
    }
    if (!data.GetRadiusEffectName().empty()) {
        if (auto* effect = objects.CreateObjectFromFile<Entity>(data.GetRadiusEffectName()))
            PlaceInWorld(effect, WorldCoords(where.GetPosition()));
    }
}

void Skill_AttackRadius::Update(Character& owner, int32_t elapsedMs)
{
    Skill::Update(owner, elapsedMs);
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (waiting.empty() || services == nullptr)
        return;

    elapsed += elapsedMs;
    const float radius = radiusTime > 0
                             ? static_cast<float>(elapsed) * (1.0f / static_cast<float>(radiusTime))
                             : largestRadius;
    if (gEngine->IsCharacterDataLogEnabled())
        DebugRenderManager::Get().RenderSphere(centre, radius, Color(0.0f, 0.0f, 1.0f, 1.0f));

    const World* world = gEngine->GetWorld();
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<uint32_t> hit;
    auto reached = [&](uint32_t id) {
        const auto* target = objects.GetObject<Character>(id);
        if (target == nullptr)
            return true;
        if (world == nullptr ||
            world->GetDistance(target->GetCoords().GetPosition(), centre) > radius)
            return false;
        hit.push_back(id);
        return true;
    };
    waiting.erase(std::remove_if(waiting.begin(), waiting.end(), reached), waiting.end());

    if (!hit.empty()) {
        WorldCoords coords(centre);
        coords.ClearRotation();
        services->ClearHitIteration();
        services->SendTargetResult(GetObjectId(), hit, coords,
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                   false);
    }
    if (radius >= largestRadius)
        waiting.clear();
}

bool Skill_AttackRadius::SetAvailability(bool ignoreMana, bool ignoreCooldown)
{
    if (!waiting.empty()) {
        SetReason(UseQuery_CoolingDown);
        return false;
    }
    return Skill::SetAvailability(ignoreMana, ignoreCooldown);
}

void Skill_AttackRadius::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                      const WorldCoords& origin, uint32_t seed,
                                      uint32_t /*weaponId*/, bool /*melee*/)
{
    if (targets.empty())
        return;
    ApplyDirectDamage(owner, targets, origin, seed);
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
