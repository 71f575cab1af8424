#include "characters/AttackAction.h"

#include "characters/Character.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

namespace {

// Attacks blend in faster than other actions.
constexpr float kAttackBlendTime = 100.0f;

} // namespace

AttackAction::AttackAction(uint32_t ownerId, uint32_t targetId, const WorldVec3& point,
                           uint32_t skillId, uint32_t lastValue)
    : CharacterActionBase(ownerId, CharacterActionType_Attack), targetId(targetId), point(point),
      skillId(skillId), lastValue(lastValue)
{
    SetBlendTime(kAttackBlendTime);
}

AttackAction::AttackAction(const AttackPacket& packet)
    : AttackAction(packet.ownerId.GetId(), packet.defenderId, packet.targetLocation,
                   packet.skillNumber, packet.seed)
{
    ReadPreMoveData(packet);
}

void AttackAction::Execute()
{
    Character* owner = GetLivingOwnerOrFinish();
    if (owner == nullptr)
        return;
    const Character* target = ObjectManager::Instance().GetObject<Character>(targetId);
    if (target != nullptr && !target->IsAlive()) {
        Finish();
        return;
    }
    owner->RotateTowardsTarget(true);
    if (!owner->StartSkill(skillId, targetId, point, lastValue)) {
        Finish();
        return;
    }
    owner->SetActionState(ActionState_Attack);
    owner->SetCurrentAttackTarget(targetId, point, static_cast<int32_t>(skillId));
}

void AttackAction::AnimationCallback(const Name& event)
{
    static const Name turnStart = Name::Create("TurnStart");
    static const Name turnEnd = Name::Create("TurnEnd");
    Character* owner = GetOwner();
    if (owner == nullptr)
        return;
    if (event == turnStart)
        owner->RotateTowardsTarget(true);
    else if (event == turnEnd)
        owner->RotateTowardsTarget(false);
    else if (owner->HandleSkillAnimationCallback(event, skillId, targetId, point))
        Finish();
}

void AttackAction::Finish()
{
    CharacterActionBase::Finish();
    if (Character* owner = GetOwner()) {
        owner->SetCurrentAttackTarget(0, WorldVec3(), -1);
        owner->RotateTowardsTarget(false);
        owner->CancelSkillAction(skillId);
    }
}

void AttackAction::PendingActionAborted()
{
    if (Character* owner = GetOwner())
        owner->CancelSkillAction(skillId);
}

std::unique_ptr<NetPacket> AttackAction::GetNetPacket() const
{
    auto packet = NewPacket<AttackPacket>();
    packet->defenderId = targetId;
    packet->targetLocation = point;
    packet->skillNumber = skillId;
    packet->seed = lastValue;
    packet->location = GetOwnerPosition();
    return WithPreMoveData(std::move(packet));
}

std::string AttackAction::ToString() const
{
    return "AttackAction";
}

} // namespace GAME
