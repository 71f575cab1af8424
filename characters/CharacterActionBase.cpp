#include "characters/CharacterActionBase.h"

#include "ai/ControllerBaseCharacter.h"
#include "characters/Character.h"
#include "characters/MoveToAction.h"
#include "engine/CharacterActionPacket.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"

namespace GAME {

CharacterActionBase::CharacterActionBase(uint32_t ownerId) : ownerId(ownerId) {}

CharacterActionBase::CharacterActionBase(uint32_t ownerId, CharacterActionType type)
    : ownerId(ownerId), type(type), supportsNetwork(true)
{}

CharacterActionBase::~CharacterActionBase() = default;

void CharacterActionBase::SetPreMoveData(const WorldVec3& point, uint32_t targetId,
                                         uint32_t skillId, float value)
{
    hasPreMoveData = true;
    preMovePoint = point;
    preMoveTargetId = targetId;
    preMoveSkillId = skillId;
    preMoveValue = value;
}

void CharacterActionBase::LoadPreMoveData(CharacterActionPacket* packet) const
{
    if (packet == nullptr || !hasPreMoveData)
        return;
    packet->hasPreMoveData = true;
    packet->preMovePoint = preMovePoint;
    packet->preMoveTargetId = preMoveTargetId;
    packet->preMoveSkillId = preMoveSkillId;
    packet->preMoveValue = preMoveValue;
}

std::unique_ptr<CharacterAction> CharacterActionBase::GetPreAction() const
{
    if (!hasPreMoveData)
        return nullptr;
    Character* owner = GetOwner();
    if (owner == nullptr)
        return nullptr;
    return std::make_unique<MoveToAction>(ownerId, owner->GetPathPosition(), preMovePoint,
                                          preMoveTargetId, preMoveSkillId, preMoveValue);
}

Character* CharacterActionBase::GetOwner() const
{
    return ObjectManager::Instance().GetObject<Character>(ownerId);
}

Character* CharacterActionBase::GetLivingOwnerOrFinish()
{
    Character* owner = GetOwner();
    if (owner != nullptr && owner->IsAlive())
        return owner;
    Finish();
    return nullptr;
}

ControllerBaseCharacter* CharacterActionBase::GetOwnerController(const Character& owner) const
{
    return ObjectManager::Instance().GetObject<ControllerBaseCharacter>(owner.GetControllerId());
}

bool CharacterActionBase::PlayAnimation(Character* owner, AnimationSet_Type animationType,
                                        bool loop)
{
    AnimationSet* set = owner != nullptr ? owner->GetAnimationSet() : nullptr;
    return set != nullptr && set->PlayAnimation(*owner, animationType, Name::noName, 1.0f, loop, 0);
}

bool CharacterActionBase::PlayAnimationIfAvailable(Character* owner,
                                                   AnimationSet_Type animationType, bool loop)
{
    AnimationSet* set = owner != nullptr ? owner->GetAnimationSet() : nullptr;
    return set != nullptr &&
           set->PlayAnimationIfAvailable(*owner, animationType, Name::noName, 1.0f, loop, 0);
}

void CharacterActionBase::TurnToward(Character& owner, const WorldVec3& point)
{
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return;
    WorldCoords coords = owner.GetCoords();
    coords.LookAtNoLean(owner.GetCoords().GetPosition(), point, Vec3(0.0f, 1.0f, 0.0f));
    world->SetCoords(&owner, coords);
}

WorldVec3 CharacterActionBase::GetOwnerPosition() const
{
    const Character* owner = GetOwner();
    return owner != nullptr ? owner->GetCoords().GetPosition() : WorldVec3();
}

void CharacterActionBase::ReadPreMoveData(const CharacterActionPacket& packet)
{
    if (packet.hasPreMoveData)
        SetPreMoveData(packet.preMovePoint, packet.preMoveTargetId, packet.preMoveSkillId,
                       packet.preMoveValue);
}

} // namespace GAME
