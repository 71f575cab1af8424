#include "items/EquipmentCtrlWeaponSet.h"

#include "ai/ControllerCharacter.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "items/EquipmentCtrl.h"
#include "items/Item.h"
#include "items/WeaponArmor_Shield.h"
#include "items/WeaponHunting_Bow.h"
#include "items/WeaponHunting_Spear.h"
#include "items/WeaponMagical_Staff.h"
#include "items/WeaponMelee.h"

namespace GAME {

namespace {

// What a hand may hold of the item, as its class reports it: melee 2 right / 1 left, spear 8
// right, bow 4 and staff 16 (both two-handed) and shield 32 left; 0 for anything else.
int32_t HandType(const Item* item, bool right)
{
    if (item == nullptr)
        return 0;
    return right ? item->GetRightHandType() : item->GetLeftHandType();
}

int32_t AllowedOtherMask(int32_t handType)
{
    switch (handType) {
    case 1:
        return 2;
    case 2:
        return 33;
    case 4:
        return 0;
    case 16:
        return 0;
    case 8:
        return 32;
    case 32:
        return 10;
    default:
        return -1;
    }
}

bool IsTwoHandedType(int32_t handType)
{
    return handType == 4 || handType == 16;
}

// Every type but an off-hand melee weapon, which needs dual weapons.
constexpr int32_t kSingleWeaponTypes = 62;

} // namespace

EquipmentCtrlWeaponSet::EquipmentCtrlWeaponSet(bool alternate) : alternate(alternate)
{
    right.location = EquipLocations_RightHand;
    left.location = EquipLocations_LeftHand;
}

bool EquipmentCtrlWeaponSet::AreRequirementsMet(const Item* item) const
{
    return EquipmentCtrl::MeetsRequirements(owner, item, ignoreRequirements);
}

void EquipmentCtrlWeaponSet::SetAlternate(bool flag)
{
    alternate = flag;
    AttributesHaveChanged();
}

void EquipmentCtrlWeaponSet::SetIgnoreRequirements(bool flag)
{
    ignoreRequirements = flag;
    AttributesHaveChanged();
}

void EquipmentCtrlWeaponSet::SetAllowDualWeapons(bool flag)
{
    allowDualWeapons = flag;
    AttributesHaveChanged();
}

void EquipmentCtrlWeaponSet::AttributesHaveChanged()
{
    SiftEntry(right);
    SiftEntry(left);
}

void EquipmentCtrlWeaponSet::SiftEntry(HandEntry& entry)
{
    if (entry.itemId == 0)
        return;
    const bool wear =
        !alternate && AreRequirementsMet(ObjectManager::Instance().GetObject<Item>(entry.itemId));
    if (wear == entry.attached)
        return;
    entry.attached = wear;
    if (controller == nullptr)
        return;
    if (wear)
        controller->SendEquipAttachAction(entry.itemId, entry.location);
    else
        controller->SendEquipDetachAction(entry.itemId);
}

const EquipmentCtrlWeaponSet::HandEntry* EquipmentCtrlWeaponSet::FindEntry(uint32_t id) const
{
    if (id == 0)
        return nullptr;
    if (right.itemId == id)
        return &right;
    return left.itemId == id ? &left : nullptr;
}

bool EquipmentCtrlWeaponSet::RemoveItem(uint32_t id)
{
    const HandEntry* entry = FindEntry(id);
    if (entry == nullptr)
        return false;
    uint32_t none = 0;
    PlaceItem(entry == &right, none, true);
    return true;
}

uint32_t EquipmentCtrlWeaponSet::GetHand(bool rightHand) const
{
    const HandEntry& self = rightHand ? right : left;
    const HandEntry& other = rightHand ? left : right;
    if (self.itemId != 0)
        return self.itemId;
    return IsTwoHandedType(other.handType) ? other.itemId : 0;
}

bool EquipmentCtrlWeaponSet::CanItemBePlaced(bool rightHand, uint32_t id, bool mustBeEmpty) const
{
    const HandEntry& self = rightHand ? right : left;
    const HandEntry& other = rightHand ? left : right;
    if (mustBeEmpty && GetHand(rightHand) != 0)
        return false;
    const Item* item = ObjectManager::Instance().GetObject<Item>(id);
    if (item == nullptr)
        return false;
    const int32_t type = HandType(item, rightHand);
    if (mustBeEmpty && IsTwoHandedType(type) && GetHand(!rightHand) != 0)
        return false;
    // Only one item can come back from a swap.
    if (IsTwoHandedType(type) && self.itemId != 0 && other.itemId != 0 &&
        self.itemId != other.itemId)
        return false;
    const int32_t allowed = allowDualWeapons ? -1 : kSingleWeaponTypes;
    const bool otherDisplaced = other.itemId != 0 && IsTwoHandedType(other.handType);
    const int32_t mask = otherDisplaced || IsTwoHandedType(type) ? -1 : other.allowedOtherMask;
    if ((type & allowed & mask) == 0)
        return false;
    return AreRequirementsMet(item);
}

void EquipmentCtrlWeaponSet::ClearEntry(HandEntry& entry)
{
    if (entry.attached && !alternate && controller != nullptr)
        controller->SendEquipDetachAction(entry.itemId);
    entry.itemId = 0;
    entry.attached = false;
    entry.handType = 0;
    entry.allowedOtherMask = -1;
}

void EquipmentCtrlWeaponSet::PlaceItem(bool rightHand, uint32_t& id, bool quiet)
{
    HandEntry& self = rightHand ? right : left;
    HandEntry& other = rightHand ? left : right;
    int32_t type = 0;
    if (id != 0) {
        Item* item = ObjectManager::Instance().GetObject<Item>(id);
        if (item == nullptr)
            return;
        if (!quiet)
            item->PlayDropSound();
        type = HandType(item, rightHand);
    }
    uint32_t previous = GetHand(rightHand);
    ClearEntry(self);
    if (other.itemId != 0 && IsTwoHandedType(other.handType))
        ClearEntry(other);
    if (previous == 0 && IsTwoHandedType(type)) {
        previous = GetHand(!rightHand);
        ClearEntry(other);
    }
    self.itemId = id;
    self.handType = type;
    self.allowedOtherMask = AllowedOtherMask(type);
    if (id != 0 && !alternate) {
        self.attached = true;
        if (controller != nullptr)
            controller->SendEquipAttachAction(id, self.location);
    }
    id = previous;
}

void EquipmentCtrlWeaponSet::StreamProperties(IOStream* stream)
{
    stream->BeginBlock();
    stream->StreamBool("alternate", alternate);
    StreamEntry(stream, right);
    StreamEntry(stream, left);
    stream->EndBlock();
}

void EquipmentCtrlWeaponSet::StreamEntry(IOStream* stream, HandEntry& entry)
{
    if (stream->HasFailed())
        return;
    if (!EquipmentCtrl::StreamSlot(stream, owner, entry.itemId, entry.attached, entry.location))
        return;
    const Item* item = ObjectManager::Instance().GetObject<Item>(entry.itemId);
    entry.handType = HandType(item, entry.location == EquipLocations_RightHand);
    entry.allowedOtherMask = AllowedOtherMask(entry.handType);
}

} // namespace GAME
