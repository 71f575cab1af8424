#pragma once

#include "characters/AnimationSet.h"
#include "characters/CharacterActionType.h"
#include "engine/CharacterAction.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class Character;
class CharacterActionPacket;
class ControllerBaseCharacter;

// What every character action shares: its owner, its kind, the blend time its animations use
// and the move that has to happen before it can start (the pre-move data).
class CharacterActionBase : public CharacterAction {
public:
    explicit CharacterActionBase(uint32_t ownerId);
    ~CharacterActionBase() override;
    CharacterActionBase(const CharacterActionBase&) = default;
    CharacterActionBase& operator=(const CharacterActionBase&) = default;

    void Execute() override {}
    void AnimationCallback(const Name& /*event*/) override {}
    void Finish() override { active = false; }
    void PendingActionAborted() override {}
    bool IsActive() const override { return active; }
    std::unique_ptr<NetPacket> GetNetPacket() const override { return nullptr; }
    void SetPreMoveData(const WorldVec3& point, uint32_t targetId, uint32_t skillId,
                        float value) override;
    // Fills the packet's pre-move block only when this action has one.
    void LoadPreMoveData(CharacterActionPacket* packet) const override;
    bool SupportsNetwork() const override { return supportsNetwork; }
    CharacterActionType GetType() const override { return type; }
    // A move to the pre-move point, starting where the owner's path stands now.
    std::unique_ptr<CharacterAction> GetPreAction() const override;
    float GetBlendTime() const override { return blendTime; }
    uint32_t GetParentId() const override { return ownerId; }
    std::string ToString() const override { return "(unset value)"; }

protected:
    // The sixteen actions all travel over the network.
    CharacterActionBase(uint32_t ownerId, CharacterActionType type);

    void SetBlendTime(float time) { blendTime = time; }

    Character* GetOwner() const;
    // The start of most `Execute`s: the owner when it exists and is alive; otherwise the action
    // is finished and the answer is null.
    Character* GetLivingOwnerOrFinish();
    // The owner's controller, null when it has none.
    ControllerBaseCharacter* GetOwnerController(const Character& owner) const;
    // Plays with no reference name, speed 1 and no repeat; false without an owner or without
    // an animation set.
    static bool PlayAnimation(Character* owner, AnimationSet_Type type, bool loop);
    static bool PlayAnimationIfAvailable(Character* owner, AnimationSet_Type type, bool loop);
    // Turns the owner upright toward a point.
    static void TurnToward(Character& owner, const WorldVec3& point);
    // The owner's position, or the empty position without an owner.
    WorldVec3 GetOwnerPosition() const;

    // A packet made for this action names its owner; the pre-move block is loaded last.
    template <typename Packet> std::unique_ptr<Packet> NewPacket() const
    {
        auto packet = std::make_unique<Packet>();
        packet->ownerId = ownerId;
        return packet;
    }
    template <typename Packet>
    std::unique_ptr<NetPacket> WithPreMoveData(std::unique_ptr<Packet> packet) const
    {
        LoadPreMoveData(packet.get());
        return packet;
    }
    // A rebuilt action takes the pre-move block after its own fields.
    void ReadPreMoveData(const CharacterActionPacket& packet);

private:
    uint32_t ownerId = 0;
    CharacterActionType type = CharacterActionType_None;
    bool supportsNetwork = false;
    bool active = true;
    float blendTime = 250.0f;
    bool hasPreMoveData = false;
    WorldVec3 preMovePoint;
    uint32_t preMoveTargetId = 0;
    uint32_t preMoveSkillId = 0;
    float preMoveValue = 0.0f;
};

} // namespace GAME
