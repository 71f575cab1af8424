#include "ai/ControllerPlayerState.h"

#include "characters/CharacterConfigCommands.h"
#include "characters/EngageNpcAction.h"
#include "characters/Npc.h"
#include "characters/PickUpAction.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "items/HotSlotOption.h"
#include "items/Item.h"
#include "items/PlayerHotSlotCtrl.h"
#include "quests/QuestItem.h"
#include "skills/SkillActivated.h"
#include "skills/SkillManager.h"
#include "world/FixedItem.h"
#include "world/StrategicMovementBase.h"

#include <memory>

namespace GAME {

namespace {

// An item's size as the move-to point counts it: its mesh's bounding radius.
float ItemExtent(const Item& item)
{
    return item.GetMeshBoundingRadius();
}

} // namespace

float ControllerPlayerState::Distance(const WorldVec3& a, const WorldVec3& b)
{
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    return world != nullptr ? world->GetDistance(a, b) : 0.0f;
}

bool ControllerPlayerState::IsMovingCharacter(uint32_t id)
{
    const Character* character = ObjectManager::Instance().GetObject<Character>(id);
    return character != nullptr && character->IsMoving();
}

Skill* ControllerPlayerState::FindSkill(uint32_t skillId)
{
    Player* player = GetCharacter();
    return player != nullptr ? player->GetSkillManager().GetSkill(skillId) : nullptr;
}

// ---- the three selectors ----

bool ControllerPlayerState::ActivateSuperSkill(bool flagA, bool flagB, const WorldVec3& point,
                                               uint32_t& target)
{
    Player* player = GetCharacter();
    if (player == nullptr)
        return false;
    PlayerHotSlotCtrl& hotSlots = player->GetPlayerHotSlotCtrl();
    if (hotSlots.IsActivationBlocked() || !hotSlots.IsAnySlotActive())
        return false;
    const HotSlotOption* option = GetController()->GetPrimarySlotOption();
    if (option == nullptr)
        return false;
    return RequestSkillAction(flagA, flagB, option->GetSkillId(), point, target);
}

bool ControllerPlayerState::SelectPrimaryAction(bool flagA, bool flagB, const WorldVec3& point,
                                                uint32_t& target)
{
    if (target != 0) {
        const ObjectManager& objects = ObjectManager::Instance();
        if (const Npc* npc = objects.GetObject<Npc>(target)) {
            RequestNpcAction(flagA, flagB, point, npc);
            return false;
        }
        if (const Item* item = objects.GetObject<Item>(target)) {
            RequestItemAction(flagA, flagB, point, item);
            return false;
        }
        if (const FixedItem* fixedItem = objects.GetObject<FixedItem>(target)) {
            RequestFixedItemAction(flagA, flagB, point, fixedItem);
            return false;
        }
        if (const auto* object = objects.GetObject<StrategicMovementBase>(target)) {
            RequestStrategicMovementAction(flagA, flagB, point, object);
            return false;
        }
    }
    Player* player = GetCharacter();
    if (player != nullptr && !player->GetPlayerHotSlotCtrl().IsActivationBlocked() &&
        (target != 0 || flagA)) {
        const HotSlotOption* option = GetController()->GetPrimarySlotOption();
        if (option != nullptr && option->GetSkillId() != 0) {
            if (RequestSkillAction(flagA, flagB, option->GetSkillId(), point, target))
                return false;
            const uint32_t defaultSkill = player->GetSkillManager().GetDefaultSkillId();
            if (RequestSkillAction(flagA, flagB, defaultSkill, point, target))
                return false;
        }
    }
    RequestMoveAction(flagA, flagB, point);
    return true;
}

bool ControllerPlayerState::SelectSecondaryAction(bool flagA, bool flagB, const WorldVec3& point,
                                                  uint32_t& target)
{
    Player* player = GetCharacter();
    if (player == nullptr)
        return false;
    PlayerHotSlotCtrl& hotSlots = player->GetPlayerHotSlotCtrl();
    if (hotSlots.IsActivationBlocked())
        return false;
    const HotSlotOption* option = GetController()->GetSecondarySlotOption();
    if (option == nullptr)
        return false;
    const uint32_t skillId = option->GetSkillId();
    if (skillId == 0) {
        if (option->GetType() == HotSlotOption::SLOT_TYPE_POTION &&
            hotSlots.GetSecondaryStatus() == HotSlotOption::Status_Ready)
            hotSlots.ActivateSecondarySlot();
        return false;
    }
    if (!RequestSkillAction(flagA, flagB, skillId, point, target)) {
        const Skill* skill = FindSkill(skillId);
        if (skill != nullptr && skill->UseDefaultWhenUnavailable())
            RequestSkillAction(flagA, flagB, player->GetSkillManager().GetDefaultSkillId(), point,
                               target);
    }
    return false;
}

// ---- the usual answers ----

bool ControllerPlayerState::ChooseSkillTarget(Skill& skill, bool flagA, const WorldVec3& point,
                                              uint32_t& target)
{
    Player* player = GetCharacter();
    ControllerPlayer* controller = GetController();
    if (const auto* activated = DynamicCast<SkillActivated>(&skill)) {
        controller->ForgetFallenCombatants();
        switch (activated->GetTargetType()) {
        case SkillTargetType_Enemy:
            if (controller->GetCombatEnemy() == 0 && controller->GetCombatAlly() != 0) {
                target = 0;
                return false;
            }
            target = controller->GetCombatEnemy();
            break;
        case SkillTargetType_Ally:
            target = controller->GetCombatAlly();
            break;
        case SkillTargetType_Self:
            target = player->GetObjectId();
            break;
        default:
            break;
        }
    }
    int32_t reason = skill.GetReason();
    if (reason == Skill::UseQuery_CoolingDown && !skill.UseDefaultWhenUnavailable())
        player->PlaySkillCooldownVox(skill.GetObjectId());
    else if (reason == Skill::UseQuery_NotEnoughMana && !skill.UseDefaultWhenUnavailable())
        player->PlayNotEnoughManaVox(skill.GetObjectId());
    if (!skill.GetValidTarget(*player, target, point, flagA, kSkillTargetRadius))
        reason = 3;
    return reason == Skill::UseQuery_Usable;
}

WorldVec3 ControllerPlayerState::GetSkillTargetPosition(uint32_t target, uint32_t clicked,
                                                        const WorldVec3& point)
{
    const ObjectManager& objects = ObjectManager::Instance();
    if (Character* character = objects.GetObject<Character>(target))
        return character->GetPathPosition();
    if (Character* character = objects.GetObject<Character>(clicked))
        return character->GetPathPosition();
    return point;
}

bool ControllerPlayerState::DefaultRequestSkillAction(bool flagA, bool /*flagB*/, uint32_t skillId,
                                                      const WorldVec3& point, uint32_t& target)
{
    Player* player = GetCharacter();
    Skill* skill = FindSkill(skillId);
    if (player == nullptr || skill == nullptr)
        return false;
    const uint32_t clicked = target;
    if (!ChooseSkillTarget(*skill, flagA, point, target))
        return false;
    if (skillId != player->GetSkillManager().GetDefaultSkillId())
        player->ResetSkillVox();

    const WorldVec3 targetPosition = GetSkillTargetPosition(target, clicked, point);
    const WorldVec3 moveToPoint = player->GetMoveToPoint(target, skillId, targetPosition);
    if (!moveToPoint.HasRegion())
        return false;

    const WorldVec3 position = player->GetPathPosition();
    const bool inReach = flagA ||
                         Character::GetTargetDistance(player->GetObjectId(), target, skillId) +
                                 GetSkillUseTolerance(target) >
                             Distance(position, targetPosition) ||
                         player->GetExtents() > Distance(position, moveToPoint);
    if (inReach) {
        SetState("UseSkill", ControllerAIStateData(target, target, skillId, targetPosition));
    } else if (player->CanMoveTo(moveToPoint, kMoveTolerance)) {
        GetController()->SetTargetPoint(point);
        SetState("MoveToUseSkill", ControllerAIStateData(target, target, skillId, moveToPoint));
    }
    GetController()->SetMouseRepeat(target, targetPosition);
    return true;
}

void ControllerPlayerState::DefaultRequestMoveAction(bool /*flagA*/, bool /*flagB*/,
                                                     const WorldVec3& point)
{
    Player* player = GetCharacter();
    if (player == nullptr || !point.HasRegion() ||
        Distance(player->GetPathPosition(), point) < kLeastMoveDistance)
        return;
    if (player->CanMoveTo(point, kMoveTolerance)) {
        SetState("MoveTo", ControllerAIStateData(0, 0, 0, point));
        return;
    }
    const WorldVec3 furthest = player->GetFurthestMoveToPoint(point);
    if (furthest.HasRegion() && player->CanMoveTo(furthest, kMoveTolerance))
        SetState("MoveTo", ControllerAIStateData(0, 0, 0, furthest));
}

void ControllerPlayerState::DefaultRequestNpcAction(bool /*flagA*/, bool /*flagB*/,
                                                    const WorldVec3& point, const Npc* npc)
{
    Player* player = GetCharacter();
    if (player == nullptr || npc == nullptr)
        return;
    const uint32_t npcId = npc->GetObjectId();
    const ControllerAIStateData data(0, npcId, 0, point);
    if (player->NearTarget(npcId, kNpcTalkDistance)) {
        SetState("TalkToNpc", data);
        return;
    }
    const WorldVec3 moveToPoint = player->GetMoveToPoint(npcId, 0, npc->GetCoords().GetPosition());
    if (moveToPoint.HasRegion() && player->CanMoveTo(moveToPoint, kMoveTolerance))
        SetState("MoveToNpc", data);
}

void ControllerPlayerState::DefaultRequestItemAction(bool /*flagA*/, bool /*flagB*/,
                                                     const WorldVec3& point, const Item* item)
{
    Player* player = GetCharacter();
    if (player == nullptr || item == nullptr || !item->IsInWorld())
        return;
    WorldVec3 itemPosition = item->GetCoords().GetPosition();
    if (!itemPosition.HasRegion())
        itemPosition = point;
    if (!itemPosition.HasRegion()) {
        gEngine->Log(Engine::LogData, "Player tried to pick up item when item and mouse position "
                                      "had no valid region");
        return;
    }
    const uint32_t itemId = item->GetObjectId();
    const ControllerAIStateData pickup(0, itemId, 0, WorldVec3());
    const float reach = player->GetExtents() + ItemExtent(*item) + kItemReachMargin;
    if (Distance(player->GetPathPosition(), itemPosition) <= reach) {
        SetState("PickupItem", pickup);
        return;
    }
    WorldVec3 moveToPoint = player->GetMoveToPoint(itemId, 0, itemPosition);
    if (!moveToPoint.HasRegion() || !player->CanMoveTo(moveToPoint, kMoveTolerance))
        moveToPoint = player->GetFurthestMoveToPoint(itemPosition);

    const float remaining = moveToPoint.HasRegion() ? Distance(moveToPoint, itemPosition) : 0.0f;
    if (remaining > reach + kItemPursuitSlack && DynamicCast<QuestItem>(item) == nullptr)
        return;
    if (!moveToPoint.HasRegion() || remaining <= reach)
        SetState("PickupItem", pickup);
    else
        SetState("MoveToItem", ControllerAIStateData(0, itemId, 0, moveToPoint));
}

void ControllerPlayerState::DefaultRequestFixedItemAction(bool /*flagA*/, bool /*flagB*/,
                                                          const WorldVec3& /*point*/,
                                                          const FixedItem* fixedItem)
{
    Player* player = GetCharacter();
    if (player == nullptr || fixedItem == nullptr)
        return;
    // The interface is not const; asking does not change the item.
    auto* usable = const_cast<FixedItem*>(fixedItem);
    const uint32_t characterId = player->GetObjectId();
    if (!usable->CanIUse(characterId))
        return;
    const WorldVec3 moveToPoint = usable->GetMoveToPoint(characterId);
    if (!moveToPoint.HasRegion())
        return;
    const uint32_t objectId = fixedItem->GetObjectId();
    const float extraReach = usable->GetExtraReach();
    const WorldVec3 itemPosition = fixedItem->GetCoords().GetPosition();
    const WorldVec3 position = player->GetPathPosition();
    const float distance = Distance(position, itemPosition);
    if (distance <= player->GetExtents() + extraReach ||
        distance - Distance(moveToPoint, itemPosition) <= extraReach) {
        SetState("UseFixedItem", ControllerAIStateData(0, objectId, 0, WorldVec3()));
    } else if (player->CanMoveTo(moveToPoint, kMoveTolerance)) {
        SetState("MoveToFixedItem", ControllerAIStateData(0, objectId, 0, moveToPoint));
    }
}

void ControllerPlayerState::DefaultRequestStrategicMovementAction(
    bool /*flagA*/, bool /*flagB*/, const WorldVec3& /*point*/, const StrategicMovementBase* object)
{
    Player* player = GetCharacter();
    if (player == nullptr || object == nullptr)
        return;
    const uint32_t objectId = object->GetObjectId();
    const WorldVec3 moveToPoint =
        player->GetMoveToPoint(objectId, 0, object->GetCoords().GetPosition());
    if (Distance(player->GetPathPosition(), moveToPoint) <= player->GetExtents()) {
        SetState("DoStrategicMovement", ControllerAIStateData(0, objectId, 0, WorldVec3()));
    } else if (moveToPoint.HasRegion() && player->CanMoveTo(moveToPoint, kMoveTolerance)) {
        SetState("MoveToStrategicMovement", ControllerAIStateData(0, objectId, 0, moveToPoint));
    }
}

bool ControllerPlayerState::DefaultRequestUseItemAction(uint32_t itemId, bool flag)
{
    if (itemId == 0)
        return false;
    GetController()->SendCommand(
        std::make_unique<UseItemConfigCmd>(GetDrivenCharacterId(), itemId, flag));
    return true;
}

bool ControllerPlayerState::DefaultRequestReleasePetAction(uint32_t petId)
{
    GetController()->SendCommand(
        std::make_unique<ReleasePetConfigCmd>(GetDrivenCharacterId(), petId));
    return true;
}

bool ControllerPlayerState::DefaultRequestUseRelicAction(uint32_t relicId, uint32_t targetId)
{
    if (relicId == 0 || targetId == 0)
        return false;
    GetController()->SendCommand(
        std::make_unique<UseRelicConfigCmd>(GetDrivenCharacterId(), relicId, targetId));
    return true;
}

void ControllerPlayerState::DefaultBeginImmobilizeAction()
{
    SetState("Immobilized", ControllerAIStateData());
}

void ControllerPlayerState::DefaultBeginTrapAction()
{
    SetState("Trapped", ControllerAIStateData());
}

void ControllerPlayerState::DefaultBeginStunAction()
{
    SetState("Stunned", ControllerAIStateData());
}

void ControllerPlayerState::EngageNpc(uint32_t npcId, bool flagA, bool flagB)
{
    GetController()->HandleAction(new EngageNpcAction(GetDrivenCharacterId(), npcId, flagA, flagB));
}

void ControllerPlayerState::PickupItem(uint32_t itemId)
{
    GetController()->HandleAction(new PickUpAction(GetDrivenCharacterId(), itemId));
}

} // namespace GAME
