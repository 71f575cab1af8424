#include "items/EquipmentCtrl.h"

#include "ai/ControllerCharacter.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"

#include <cstring>
#include <initializer_list>

namespace GAME {

namespace {

// Matched by name so that a slot takes the kinds as soon as they are registered.
bool IsOfClass(const Item& item, const char* name)
{
    for (const RTTI_ClassInfo* info = item.GetClassInfo(); info != nullptr;
         info = info->GetParent()) {
        if (std::strcmp(info->GetName(), name) == 0)
            return true;
    }
    return false;
}

bool SlotTakes(EquipLocations location, const Item& item)
{
    auto anyOf = [&item](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (IsOfClass(item, name))
                return true;
        }
        return false;
    };
    switch (location) {
    case EquipLocations_Head:
        return anyOf({"ArmorProtective_Head"});
    case EquipLocations_Neck:
        return anyOf({"ArmorJewelry_Amulet"});
    case EquipLocations_UpperBody:
        return anyOf({"ArmorProtective_UpperBody", "ArmorMisc_Vestment", "ArmorMisc_Clothing"});
    case EquipLocations_LowerBody:
        return anyOf({"ArmorProtective_LowerBody"});
    case EquipLocations_Forearm:
        return anyOf({"ArmorProtective_Forearm", "ArmorJewelry_Bracelet"});
    case EquipLocations_Finger:
        return anyOf({"ArmorJewelry_Ring"});
    default:
        return false;
    }
}

} // namespace

EquipmentCtrl::EquipmentCtrl()
{
    body[BodySlot_Head].location = EquipLocations_Head;
    body[BodySlot_Neck].location = EquipLocations_Neck;
    body[BodySlot_UpperBody].location = EquipLocations_UpperBody;
    body[BodySlot_LowerBody].location = EquipLocations_LowerBody;
    body[BodySlot_Finger1].location = EquipLocations_Finger;
    body[BodySlot_Finger2].location = EquipLocations_Finger;
    body[BodySlot_Forearm].location = EquipLocations_Forearm;
}

void EquipmentCtrl::SetParent(Character* character)
{
    parentId = character == nullptr ? 0 : character->GetObjectId();
}

void EquipmentCtrl::SetController(ControllerCharacter* controller)
{
    this->controller = controller;
    primary.SetController(controller);
    alternate.SetController(controller);
}

Character* EquipmentCtrl::GetParent() const
{
    const uint32_t id =
        parentId != 0 ? parentId : (controller == nullptr ? 0 : controller->GetParentId());
    Character* character = id == 0 ? nullptr : ObjectManager::Instance().GetObject<Character>(id);
    primary.SetParent(character);
    alternate.SetParent(character);
    return character;
}

EquipmentCtrl::BodySlot EquipmentCtrl::ToBodySlot(EquipmentCtrlLocation location)
{
    switch (location) {
    case EquipmentCtrlLocation_Head:
        return BodySlot_Head;
    case EquipmentCtrlLocation_Neck:
        return BodySlot_Neck;
    case EquipmentCtrlLocation_UpperBody:
        return BodySlot_UpperBody;
    case EquipmentCtrlLocation_LowerBody:
        return BodySlot_LowerBody;
    case EquipmentCtrlLocation_Finger1:
        return BodySlot_Finger1;
    case EquipmentCtrlLocation_Finger2:
        return BodySlot_Finger2;
    case EquipmentCtrlLocation_Forearm:
        return BodySlot_Forearm;
    default:
        return BodySlot_Count;
    }
}

const EquipmentCtrl::EquipmentInfo&
EquipmentCtrl::GetBodyEntry(EquipmentCtrlLocation location) const
{
    static const EquipmentInfo kNone;
    const BodySlot slot = ToBodySlot(location);
    return slot == BodySlot_Count ? kNone : body[slot];
}

uint32_t EquipmentCtrl::GetItem(EquipmentCtrlLocation location) const
{
    if (location == EquipmentCtrlLocation_HandRight)
        return GetSet(false).GetItem_HandRight();
    if (location == EquipmentCtrlLocation_HandLeft)
        return GetSet(false).GetItem_HandLeft();
    return GetBodyEntry(location).itemId;
}

bool EquipmentCtrl::MeetsRequirements(const Character* owner, const Item* item, bool ignore)
{
    if (ignore)
        return true;
    if (item == nullptr)
        return false;
    auto total = [owner](CharAttributeType type) {
        return owner == nullptr ? 0u : SaturateToUInt(owner->GetTotalCharAttribute(type));
    };
    return item->IsItemAvailable(owner, total(CharAttribute_Strength),
                                 total(CharAttribute_Dexterity), total(CharAttribute_Intelligence));
}

bool EquipmentCtrl::AreRequirementsMet(const Item* item) const
{
    return MeetsRequirements(GetParent(), item, ignoreRequirements);
}

bool EquipmentCtrl::CanItemBePlaced(EquipmentCtrlLocation location, uint32_t id,
                                    bool& reserved) const
{
    if (location == EquipmentCtrlLocation_HandRight)
        return CanItemBePlaced_HandRight(id, reserved, false, false);
    if (location == EquipmentCtrlLocation_HandLeft)
        return CanItemBePlaced_HandLeft(id, reserved, false, false);
    return CanPlaceBody(ToBodySlot(location), id, false);
}

bool EquipmentCtrl::CanPlaceBody(BodySlot slot, uint32_t id, bool mustBeEmpty) const
{
    if (slot >= BodySlot_Count || (mustBeEmpty && body[slot].itemId != 0))
        return false;
    const Item* item = ObjectManager::Instance().GetObject<Item>(id);
    return item != nullptr && SlotTakes(body[slot].location, *item) && AreRequirementsMet(item);
}

bool EquipmentCtrl::CanItemBePlaced_Head(uint32_t id, bool mustBeEmpty) const
{
    return CanPlaceBody(BodySlot_Head, id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_Neck(uint32_t id, bool mustBeEmpty) const
{
    return CanPlaceBody(BodySlot_Neck, id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_UpperBody(uint32_t id, bool mustBeEmpty) const
{
    return CanPlaceBody(BodySlot_UpperBody, id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_LowerBody(uint32_t id, bool mustBeEmpty) const
{
    return CanPlaceBody(BodySlot_LowerBody, id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_Finger1(uint32_t id, bool mustBeEmpty) const
{
    return CanPlaceBody(BodySlot_Finger1, id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_Finger2(uint32_t id, bool mustBeEmpty) const
{
    return CanPlaceBody(BodySlot_Finger2, id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_Forearm(uint32_t id, bool mustBeEmpty) const
{
    return CanPlaceBody(BodySlot_Forearm, id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_HandRight(uint32_t id, bool& /*reserved*/, bool mustBeEmpty,
                                              bool otherSet) const
{
    GetParent();
    return GetSet(otherSet).CanItemBePlaced_HandRight(id, mustBeEmpty);
}

bool EquipmentCtrl::CanItemBePlaced_HandLeft(uint32_t id, bool& /*reserved*/, bool mustBeEmpty,
                                             bool otherSet) const
{
    GetParent();
    return GetSet(otherSet).CanItemBePlaced_HandLeft(id, mustBeEmpty);
}

void EquipmentCtrl::PlaceItem(EquipmentCtrlLocation location, uint32_t& id)
{
    if (location == EquipmentCtrlLocation_HandRight)
        PlaceHand(true, id, false, false);
    else if (location == EquipmentCtrlLocation_HandLeft)
        PlaceHand(false, id, false, false);
    else
        PlaceBody(ToBodySlot(location), id, false);
}

void EquipmentCtrl::PlaceBody(BodySlot slot, uint32_t& id, bool quiet)
{
    Item* item = ObjectManager::Instance().GetObject<Item>(id);
    if (slot >= BodySlot_Count || (id != 0 && item == nullptr))
        return;
    if (item != nullptr && !quiet)
        item->PlayDropSound();
    EquipmentInfo& entry = body[slot];
    const uint32_t old = entry.itemId;
    if (old != 0 && entry.attached && controller != nullptr)
        controller->SendEquipDetachAction(old);
    entry.attached = false;
    entry.itemId = id;
    if (id != 0) {
        entry.attached = true;
        if (controller != nullptr)
            controller->SendEquipAttachAction(id, entry.location);
    }
    id = old;
}

void EquipmentCtrl::PlaceHand(bool rightHand, uint32_t& id, bool otherSet, bool quiet)
{
    Character* character = GetParent();
    EquipmentCtrlWeaponSet& set = GetSet(otherSet);
    if (rightHand)
        set.PlaceItem_HandRight(id, quiet);
    else
        set.PlaceItem_HandLeft(id, quiet);
    if (&set == &alternate) {
        if (auto* player = DynamicCast<Player>(character))
            player->EnableAlternateConfig();
    }
}

bool EquipmentCtrl::AutoInsertItem(uint32_t id)
{
    if (ObjectManager::Instance().GetObject<Item>(id) == nullptr)
        return false;
    for (uint32_t i = 0; i < BodySlot_Count; ++i) {
        const auto slot = static_cast<BodySlot>(i);
        if (CanPlaceBody(slot, id, true)) {
            uint32_t placed = id;
            PlaceBody(slot, placed, true);
            return true;
        }
    }
    bool reserved = false;
    uint32_t placed = id;
    if (CanItemBePlaced_HandRight(id, reserved, true, false)) {
        PlaceHand(true, placed, false, true);
        return true;
    }
    if (CanItemBePlaced_HandLeft(id, reserved, true, false)) {
        PlaceHand(false, placed, false, true);
        return true;
    }
    return false;
}

bool EquipmentCtrl::RemoveItem(uint32_t id)
{
    if (id == 0)
        return false;
    for (uint32_t i = 0; i < BodySlot_Count; ++i) {
        if (body[i].itemId == id) {
            uint32_t none = 0;
            PlaceBody(static_cast<BodySlot>(i), none, true);
            return true;
        }
    }
    GetParent();
    return primary.RemoveItem(id) || alternate.RemoveItem(id);
}

bool EquipmentCtrl::IsItemAttached(uint32_t id) const
{
    if (id == 0)
        return false;
    for (const EquipmentInfo& entry : body) {
        if (entry.itemId == id)
            return entry.attached;
    }
    const EquipmentCtrlWeaponSet::HandEntry* hand = primary.FindEntry(id);
    if (hand == nullptr)
        hand = alternate.FindEntry(id);
    return hand != nullptr && hand->attached;
}

void EquipmentCtrl::SiftBody()
{
    for (EquipmentInfo& entry : body) {
        const Item* item = ObjectManager::Instance().GetObject<Item>(entry.itemId);
        if (item == nullptr)
            continue;
        const bool wear = AreRequirementsMet(item);
        if (wear == entry.attached)
            continue;
        entry.attached = wear;
        if (controller == nullptr)
            continue;
        if (wear)
            controller->SendEquipAttachAction(entry.itemId, entry.location);
        else
            controller->SendEquipDetachAction(entry.itemId);
    }
}

void EquipmentCtrl::AttributesHaveChanged()
{
    SiftBody();
    primary.AttributesHaveChanged();
    alternate.AttributesHaveChanged();
}

void EquipmentCtrl::SetIgnoreRequirements(bool flag)
{
    ignoreRequirements = flag;
    SiftBody();
    primary.SetIgnoreRequirements(flag);
    alternate.SetIgnoreRequirements(flag);
}

void EquipmentCtrl::SetAllowDualWeapons(bool flag)
{
    GetParent();
    primary.SetAllowDualWeapons(flag);
    alternate.SetAllowDualWeapons(flag);
    SiftBody();
}

void EquipmentCtrl::SetAlternateEquipment(bool flag)
{
    GetParent();
    useAlternate = flag;
    primary.SetAlternate(flag);
    alternate.SetAlternate(!flag);
    AttributesHaveChanged();
}

void EquipmentCtrl::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    Character* character = GetParent();
    stream->BeginBlock();
    stream->StreamBool("useAlternate", useAlternate);
    for (EquipmentInfo& entry : body) {
        if (stream->HasFailed())
            break;
        StreamSlot(stream, character, entry.itemId, entry.attached, entry.location);
    }
    primary.StreamProperties(stream);
    alternate.StreamProperties(stream);
    stream->EndBlock();
}

bool EquipmentCtrl::StreamSlot(IOStream* stream, Character* character, uint32_t& itemId,
                               bool& attached, EquipLocations location)
{
    ItemReplicaInfo info;
    bool attachedValue = false;
    if (!stream->IsReading()) {
        // A slot whose item vanished is saved empty rather than as a dangling name.
        if (const Item* item = ObjectManager::Instance().GetObject<Item>(itemId)) {
            item->GetItemReplicaInfo(info);
            info.id = 0;
            attachedValue = attached;
        }
        info.StreamProperties(stream, attachedValue);
        return false;
    }
    info.StreamProperties(stream, attachedValue);
    if (stream->HasFailed() || info.baseName.empty() || character == nullptr)
        return false;
    info.id = 0;
    Item* item = Item::CreateSavedItem(info);
    if (item == nullptr) {
        stream->PassOver(info.baseName);
        return false;
    }
    itemId = item->GetObjectId();
    attached = attachedValue;
    character->GetInventory().AddItemToInventory(itemId, false);
    if (attached)
        character->AttachItemAction(itemId, location);
    return true;
}

} // namespace GAME
