#include "ai/ControllerTyphonStates.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/Name.h"

namespace GAME {

void ControllerTyphonStatePursueStatue::OnBegin()
{
    Monster* self = GetCharacter();
    Character* statue = FindCharacter(GetCurrentEnemy());
    if (self == nullptr || statue == nullptr)
        return Fail();
    const uint32_t skill = GetCurrentSkillID();
    const WorldVec3 point =
        self->GetMoveToPoint(statue->GetObjectId(), skill, statue->GetPathPosition());
    if (!point.HasRegion())
        return Fail();
    if (IsCloseEnough(statue->GetObjectId(), skill))
        return AttackStatue();
    if (!self->CanMoveTo(point, GetSkillUseTolerance(statue->GetObjectId())))
        return Fail();
    MoveTo(point, statue->GetObjectId(), skill);
}

void ControllerTyphonStatePursueStatue::OnUpdate(int32_t /*elapsedMs*/)
{
    if (IsCloseEnough(GetCurrentEnemy(), GetCurrentSkillID()))
        AttackStatue();
}

void ControllerTyphonStatePursueStatue::EndOfPathReached()
{
    AttackStatue();
}

void ControllerTyphonStatePursueStatue::AttackStatue()
{
    SwitchTo("AttackStatue", GetCurrentEnemy(), 0, GetCurrentSkillID());
}

void ControllerTyphonStatePursueStatue::Fail()
{
    gEngine->Log(Engine::LogData, "Typhon can't move to the statue.");
    GetController()->SetMostHatedEnemy(0);
    SwitchTo("Idle");
}

void ControllerTyphonStateAttackStatue::OnUpdate(int32_t elapsedMs)
{
    ControllerMonsterStateAttack::OnUpdate(elapsedMs);
    if (GetAIController()->GetExecutingState() != this)
        return;
    const Character* statue = FindCharacter(GetCurrentEnemy());
    if (statue != nullptr && statue->IsAlive())
        return;
    GetController()->SetMostHatedEnemy(0);
    SwitchTo("Return");
}

void ControllerTyphonStateAttackStatue::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SwitchTo("Return");
}

void ControllerTyphonStateAttackStatue::OnEnd()
{
    ControllerMonsterStateAttack::OnEnd();
    GetController()->SetMostHatedEnemy(0);
}

} // namespace GAME
