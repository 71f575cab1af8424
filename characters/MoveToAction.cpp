#include "characters/MoveToAction.h"

#include "ai/ControllerBaseCharacter.h"
#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/World.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

namespace {

// Farther than this (squared) and the owner is put at the start instead of running there.
constexpr float kPlaceOwnerDistanceSquared = 100.0f;

} // namespace

MoveToAction::MoveToAction(uint32_t ownerId, const WorldVec3& from, const WorldVec3& to,
                           uint32_t targetId, uint32_t skillId, float value)
    : CharacterActionBase(ownerId, CharacterActionType_MoveTo), from(from), to(to),
      targetId(targetId), skillId(skillId), value(value)
{}

MoveToAction::MoveToAction(const MoveToPacket& packet)
    : MoveToAction(packet.ownerId.GetId(), packet.startLocation, packet.worldLocation,
                   packet.targetId, packet.skillNumber, packet.speed)
{
    ReadPreMoveData(packet);
}

void MoveToAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    if (owner->DisallowsMovement()) {
        Finish();
        return;
    }
    if (ControllerBaseCharacter* controller = GetOwnerController(*owner))
        controller->SetTarget(targetId);
    const World* world = gEngine->GetWorld();
    if (world != nullptr && world->GetDistanceSquared(owner->GetCoords().GetPosition(), from) >
                                kPlaceOwnerDistanceSquared)
        owner->SetPathPosition(from);
    else
        owner->SetPathPositionNotCoords(from);
    owner->SetCurrentAttackTarget(targetId, to, static_cast<int32_t>(skillId));
    owner->SkillWarmUp(skillId, 0);
    owner->MoveTo(to, GetBlendTime());
    owner->PlayLoopingRunningSound();
    if (owner->GetActionState() == ActionState_Move)
        return;
    if (ControllerBaseCharacter* controller = GetOwnerController(*owner))
        controller->EndOfPathReached();
    Finish();
}

void MoveToAction::Finish()
{
    if (Character* owner = GetOwner()) {
        owner->SkillWarmUp(skillId, 1);
        owner->StopLoopingRunningSound();
    }
    CharacterActionBase::Finish();
}

std::unique_ptr<NetPacket> MoveToAction::GetNetPacket() const
{
    auto packet = NewPacket<MoveToPacket>();
    packet->targetId = targetId;
    packet->startLocation = from;
    packet->worldLocation = to;
    packet->skillNumber = skillId;
    packet->speed = value;
    return WithPreMoveData(std::move(packet));
}

std::string MoveToAction::ToString() const
{
    return "MoveToAction";
}

} // namespace GAME
