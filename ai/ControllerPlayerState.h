#pragma once

#include "ai/ControllerAIStateT.h"
#include "ai/ControllerPlayer.h"
#include "characters/Player.h"

#include <cstdint>

namespace GAME {

class FixedItem;
class Item;
class Npc;
class Skill;
class StrategicMovementBase;

// What every player state shares: the three selectors turning a mouse order into a request,
// and the usual answers to the requests. The states that ignore orders override the requests.
class ControllerPlayerState : public ControllerAIStateT<ControllerPlayer, Player> {
public:
    explicit ControllerPlayerState(ControllerPlayer* controller)
        : ControllerAIStateT<ControllerPlayer, Player>(controller)
    {}
    ~ControllerPlayerState() override = default;

    bool SelectPrimaryAction(bool flagA, bool flagB, const WorldVec3& point,
                             uint32_t& target) override;
    bool SelectSecondaryAction(bool flagA, bool flagB, const WorldVec3& point,
                               uint32_t& target) override;
    bool ActivateSuperSkill(bool flagA, bool flagB, const WorldVec3& point,
                            uint32_t& target) override;
    void BeginImmobilize() override { DefaultBeginImmobilizeAction(); }
    void BeginTrap() override { DefaultBeginTrapAction(); }
    void BeginStun() override { DefaultBeginStunAction(); }
    bool RequestUseItem(uint32_t itemId, bool flag) override
    {
        return DefaultRequestUseItemAction(itemId, flag);
    }
    bool RequestReleasePet(uint32_t petId) override
    {
        return DefaultRequestReleasePetAction(petId);
    }
    bool RequestUseRelic(uint32_t relicId, uint32_t targetId) override
    {
        return DefaultRequestUseRelicAction(relicId, targetId);
    }
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}

    virtual bool RequestSkillAction(bool flagA, bool flagB, uint32_t skillId,
                                    const WorldVec3& point, uint32_t& target)
    {
        return DefaultRequestSkillAction(flagA, flagB, skillId, point, target);
    }
    virtual void RequestNpcAction(bool flagA, bool flagB, const WorldVec3& point, const Npc* npc)
    {
        DefaultRequestNpcAction(flagA, flagB, point, npc);
    }
    virtual void RequestItemAction(bool flagA, bool flagB, const WorldVec3& point, const Item* item)
    {
        DefaultRequestItemAction(flagA, flagB, point, item);
    }
    virtual void RequestFixedItemAction(bool flagA, bool flagB, const WorldVec3& point,
                                        const FixedItem* fixedItem)
    {
        DefaultRequestFixedItemAction(flagA, flagB, point, fixedItem);
    }
    virtual void RequestStrategicMovementAction(bool flagA, bool flagB, const WorldVec3& point,
                                                const StrategicMovementBase* object)
    {
        DefaultRequestStrategicMovementAction(flagA, flagB, point, object);
    }
    virtual void RequestMoveAction(bool flagA, bool flagB, const WorldVec3& point)
    {
        DefaultRequestMoveAction(flagA, flagB, point);
    }

    static constexpr float kSkillTargetRadius = 1.5f;
    static constexpr float kMoveTolerance = 0.5f;
    static constexpr float kLeastMoveDistance = 1.6f;
    static constexpr float kNpcTalkDistance = 3.0f;
    static constexpr float kItemReachMargin = 1.0f;
    static constexpr float kItemPursuitSlack = 6.0f;

protected:
    bool DefaultRequestSkillAction(bool flagA, bool flagB, uint32_t skillId, const WorldVec3& point,
                                   uint32_t& target);
    void DefaultRequestNpcAction(bool flagA, bool flagB, const WorldVec3& point, const Npc* npc);
    void DefaultRequestItemAction(bool flagA, bool flagB, const WorldVec3& point, const Item* item);
    void DefaultRequestFixedItemAction(bool flagA, bool flagB, const WorldVec3& point,
                                       const FixedItem* fixedItem);
    void DefaultRequestStrategicMovementAction(bool flagA, bool flagB, const WorldVec3& point,
                                               const StrategicMovementBase* object);
    void DefaultRequestMoveAction(bool flagA, bool flagB, const WorldVec3& point);
    bool DefaultRequestUseItemAction(uint32_t itemId, bool flag);
    bool DefaultRequestReleasePetAction(uint32_t petId);
    bool DefaultRequestUseRelicAction(uint32_t relicId, uint32_t targetId);
    void DefaultBeginImmobilizeAction();
    void DefaultBeginTrapAction();
    void DefaultBeginStunAction();

    void EngageNpc(uint32_t npcId, bool flagA, bool flagB);
    void PickupItem(uint32_t itemId);

    // The skill of the driven character with that object id; null when it has none.
    Skill* FindSkill(uint32_t skillId);
    // The target kind's choice written back into `target` and the use query; false (after the
    // voice lines) when the skill may not be used on it.
    bool ChooseSkillTarget(Skill& skill, bool flagA, const WorldVec3& point, uint32_t& target);
    // Where the target stands: its path position, else the clicked object's, else the point.
    WorldVec3 GetSkillTargetPosition(uint32_t target, uint32_t clicked, const WorldVec3& point);
    // Whether the character is the current enemy and walking.
    static bool IsMovingCharacter(uint32_t id);
    // 0 when the engine has no world.
    static float Distance(const WorldVec3& a, const WorldVec3& b);
};

} // namespace GAME
