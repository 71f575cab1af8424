#include "ai/ControllerSpiritState.h"

#include "ai/ControllerSpirit.h"
#include "ai/ControllerSpiritHost.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"

#include <vector>

namespace GAME {

namespace {

ControllerSpiritHost* HostControllerOf(const Character* character)
{
    if (character == nullptr)
        return nullptr;
    return ObjectManager::Instance().GetObject<ControllerSpiritHost>(character->GetControllerId());
}

} // namespace

ControllerSpiritState::ControllerSpiritState(ControllerSpirit* controller)
    : ControllerMonsterStateBase(controller), spirit(controller)
{}

bool ControllerSpiritState::FindNewAnimateTarget()
{
    std::vector<Character*> allies;
    FindAlliesInSight(allies);
    const WorldVec3 own = GetOwnPosition();
    Character* nearest = nullptr;
    float nearestSquared = 0.0f;
    for (Character* ally : allies) {
        const ControllerSpiritHost* host = HostControllerOf(ally);
        if (host == nullptr || !host->CanBeAnimated())
            continue;
        const float squared = Offset(own, ally->GetPathPosition()).LengthSquared();
        if (nearest == nullptr || squared < nearestSquared) {
            nearest = ally;
            nearestSquared = squared;
        }
    }
    if (nearest == nullptr)
        return false;
    HostControllerOf(nearest)->SetAnimator(GetMonsterId());
    spirit->SetAnimateTarget(nearest->GetObjectId());
    return true;
}

Character* ControllerSpiritState::LivingTargetOrIdle(const char* error)
{
    Character* target = FindCharacter(GetCurrentEnemy());
    if (target != nullptr && target->IsAlive())
        return target;
    gEngine->Log(Engine::LogRuntime, "%s", error);
    SwitchTo("Idle");
    return nullptr;
}

void ControllerSpiritState::PursueTarget(uint32_t targetId)
{
    spirit->SetMostHatedEnemy(targetId);
    SwitchTo("PursueToAnimate", targetId, 0, spirit->ChooseBestSkill(targetId, false));
}

// ---- Startup ----

void ControllerSpiritStateStartup::OnBegin()
{
    if (Character* self = GetCharacter())
        self->SetTeam(TeamManager::InvisibleTeam());
    PlayAnimation(AnimationSet_Respawn, Name(), 1.0f, false, 0);
    FindNewAnimateTarget();
}

void ControllerSpiritStateStartup::HandleEvent(const Name& event)
{
    if (event != Name::Create("End"))
        return;
    if (const uint32_t target = GetSpirit()->GetAnimateTarget(); target != 0) {
        PursueTarget(target);
        return;
    }
    gEngine->Log(Engine::LogRuntime,
                 "Spirit error - went to idle because it could not find an animate target.");
    SwitchTo("Idle");
}

// ---- PursueToAnimate ----

void ControllerSpiritStatePursueToAnimate::OnBegin()
{
    Character* target = LivingTargetOrIdle(
        "Spirit error - went to idle because StatePursueToAnimate was given a bad enemy.");
    Character* self = GetCharacter();
    if (target == nullptr || self == nullptr)
        return;
    const uint32_t skill = GetCurrentSkillID();
    if (CloseEnoughToUseSkill(target->GetObjectId(), skill)) {
        SwitchTo("AttackToAnimate", target->GetObjectId(), 0, skill);
        return;
    }
    const WorldVec3 point =
        self->GetMoveToPoint(target->GetObjectId(), skill, target->GetPathPosition());
    if (!point.HasRegion()) {
        gEngine->Log(Engine::LogRuntime, "Spirit error - went to idle because "
                                         "StatePursueToAnimate could not find a valid moveto "
                                         "point.");
        SwitchTo("Idle");
        return;
    }
    MoveTo(point, target->GetObjectId(), skill);
}

void ControllerSpiritStatePursueToAnimate::OnUpdate(int32_t /*elapsedMs*/)
{
    const uint32_t target = GetCurrentEnemy();
    const ControllerSpiritHost* host = HostControllerOf(FindCharacter(target));
    if (host != nullptr && host->IsAnimated()) {
        if (!FindNewAnimateTarget()) {
            SwitchTo("Idle");
            gEngine->Log(Engine::LogRuntime, "Spirit error - went to idle because "
                                             "StatePursueToAnimate could not find a valid "
                                             "animate target.");
            return;
        }
        PursueTarget(GetSpirit()->GetAnimateTarget());
        return;
    }
    if (CloseEnoughToUseSkill(target, GetCurrentSkillID()))
        SwitchTo("AttackToAnimate", target, 0, GetCurrentSkillID());
}

void ControllerSpiritStatePursueToAnimate::EndOfPathReached()
{
    SwitchTo("AttackToAnimate", GetCurrentEnemy(), 0, GetCurrentSkillID());
}

// ---- AttackToAnimate ----

void ControllerSpiritStateAttackToAnimate::OnBegin()
{
    Character* target = LivingTargetOrIdle("Spirit error - went to idle because "
                                           "StateAttackToAnimate could not find a valid animate "
                                           "target.");
    if (target != nullptr)
        UseSkill(target->GetObjectId(), target->GetPathPosition(), GetCurrentSkillID(), 0);
}

void ControllerSpiritStateAttackToAnimate::HandleEvent(const Name& event)
{
    if (event == Name::Create("End"))
        KillMe();
}

} // namespace GAME
