#include "items/EquipmentCtrlWeaponSet.h"

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

// What a hand may hold of the item: melee 2 right / 1 left, spear 8 right, bow 4 and staff 16
// (both two-handed) and shield 32 left; 0 for anything else.
int32_t HandType(const Item* item, bool right)
{
    if (DynamicCast<WeaponMelee>(item) != nullptr)
        return right ? 2 : 1;
    if (DynamicCast<WeaponHunting_Spear>(item) != nullptr)
        return right ? 8 : 0;
    if (DynamicCast<WeaponHunting_Bow>(item) != nullptr)
        return right ? 0 : 4;
    if (DynamicCast<WeaponMagical_Staff>(item) != nullptr)
        return right ? 0 : 16;
    if (DynamicCast<WeaponArmor_Shield>(item) != nullptr)
        return right ? 0 : 32;
    return 0;
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

} // namespace

EquipmentCtrlWeaponSet::EquipmentCtrlWeaponSet(bool alternate) : alternate(alternate)
{
    right.location = EquipLocations_RightHand;
    left.location = EquipLocations_LeftHand;
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
