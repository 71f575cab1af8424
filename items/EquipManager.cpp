#include "items/EquipManager.h"

#include "characters/Character.h"
#include "core/GameEvents.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "items/Armor.h"
#include "items/Item.h"
#include "items/Weapon.h"
#include "items/WeaponArmor_Shield.h"
#include "world/Prop.h"

#include <algorithm>

namespace GAME {

namespace {

Item* FindItem(uint32_t id)
{
    return ObjectManager::Instance().GetObject<Item>(id);
}

// 0 for an item that is no weapon, or no longer exists.
Weapon_Type GetWeaponTypeOf(uint32_t id)
{
    const Weapon* weapon = ObjectManager::Instance().GetObject<Weapon>(id);
    return weapon != nullptr ? weapon->GetWeaponType() : Weapon_Type_None;
}

bool IsOneHandedMelee(Weapon_Type type)
{
    return type == Weapon_Type_Axe || type == Weapon_Type_Sword || type == Weapon_Type_Mace;
}

// Neck and finger share the head's and the hand's points, unlike `LocationToString`.
const char* GetCoordsAttachPoint(EquipLocations location)
{
    switch (location) {
    case EquipLocations_RightHand:
    case EquipLocations_Finger:
        return "R Hand";
    case EquipLocations_LeftHand:
        return "L Hand";
    case EquipLocations_UpperBody:
        return "Upper Body";
    case EquipLocations_LowerBody:
        return "Lower Body";
    case EquipLocations_Head:
    case EquipLocations_Neck:
        return "Head";
    case EquipLocations_Forearm:
        return "Forearm";
    default:
        return nullptr;
    }
}

} // namespace

EquipManager::~EquipManager()
{
    // By id: the object manager may have destroyed every object before the owner goes.
    ObjectManager& objects = ObjectManager::Instance();
    if (Item* head = objects.GetObject<Item>(defaultHeadPiece))
        objects.DestroyObjectEx(head, "Project\\Game\\EquipManager", __LINE__);
}

void EquipManager::Load(const LoadTable& table)
{
    ItemReplicaInfo info;
    info.baseName = table.GetString("defaultHeadPiece", "");
    if (info.baseName.empty())
        return;
    Item* head = Item::CreateItem(info);
    if (head == nullptr)
        return;
    defaultHeadPiece = head->GetObjectId();
    if (owner != nullptr)
        head->AttachItem(*owner, "Head");
}

void EquipManager::SetDefaultHeadPieceVisible(bool visible)
{
    if (Item* head = FindItem(defaultHeadPiece))
        head->SetVisibility(visible);
}

void EquipManager::SetWeaponEnchantment(const std::string& name)
{
    if (name == weaponEnchantment)
        return;
    weaponEnchantment = name;
    if (owner == nullptr)
        return;
    for (const EquipManagerContainer& container : attachedItems) {
        if (Weapon* weapon = ObjectManager::Instance().GetObject<Weapon>(container.itemId))
            weapon->SetWeaponEnchantment(*owner, name);
    }
}

void EquipManager::PreLoad(bool flag)
{
    for (const EquipManagerContainer& container : attachedItems) {
        if (!container.preload)
            continue;
        if (Item* item = FindItem(container.itemId))
            item->PreLoad(flag);
    }
}

void EquipManager::AttachItemAction(uint32_t id, EquipLocations location)
{
    Item* item = FindItem(id);
    if (item == nullptr || owner == nullptr)
        return;
    if (HasItem(id)) {
        gEngine->Log(Engine::LogRuntime, "EquipManager: Attempt to attach item twice (ID:%d)",
                     static_cast<int32_t>(id));
        return;
    }
    const Weapon_Type type = GetWeaponTypeOf(id);
    EquipManagerContainer container;
    container.itemId = id;
    container.location = location;
    container.canMoveToRightHand = IsOneHandedMelee(type);
    container.preload = type == Weapon_Type_Bow || type == Weapon_Type_Staff;
    attachedItems.push_back(container);

    // Neck, finger and unknown locations have no point: the item rides along unseen.
    item->AttachItem(*owner, LocationToString(location));
    if (location == EquipLocations_RightHand || location == EquipLocations_LeftHand)
        ForceRightHandAsNeeded();
    if (location == EquipLocations_Head)
        SetDefaultHeadPieceVisible(false);

    GameEvent_ItemAttach event;
    event.ownerId = owner->GetObjectId();
    event.itemId = id;
    EventManager::Instance().Send("GameEvent_ItemAttach", event);
    owner->SetAnimation(GetHandState());
    if (Weapon* weapon = DynamicCast<Weapon>(item))
        weapon->SetWeaponEnchantment(*owner, weaponEnchantment);
}

void EquipManager::DetachItemAction(uint32_t id)
{
    Item* item = FindItem(id);
    if (item == nullptr || owner == nullptr)
        return;
    const auto found = std::find_if(
        attachedItems.begin(), attachedItems.end(),
        [id](const EquipManagerContainer& container) { return container.itemId == id; });
    // Detaching what hangs on someone else would strip it from them.
    if (found == attachedItems.end())
        return;
    if (Weapon* weapon = DynamicCast<Weapon>(item))
        weapon->SetWeaponEnchantment(*owner, "");
    const bool head = found->location == EquipLocations_Head;
    attachedItems.erase(found);
    if (head)
        SetDefaultHeadPieceVisible(true);

    item->DetachItem(*owner);
    ForceRightHandAsNeeded();
    owner->SetAnimation(GetHandState());

    GameEvent_ItemDetach event;
    event.ownerId = owner->GetObjectId();
    event.itemId = id;
    EventManager::Instance().Send("GameEvent_ItemDetach", event);
}

void EquipManager::RemoveItem(const std::string& recordName)
{
    std::vector<uint32_t> matching;
    for (const EquipManagerContainer& container : attachedItems) {
        const Item* item = FindItem(container.itemId);
        if (item != nullptr && FileNameEquals(item->GetObjectName(), recordName))
            matching.push_back(container.itemId);
    }
    for (uint32_t id : matching)
        DetachItemAction(id);
}

WorldCoords EquipManager::GetAttachCoords(EquipLocations location) const
{
    if (owner == nullptr)
        return WorldCoords();
    const char* attachPoint = GetCoordsAttachPoint(location);
    if (attachPoint == nullptr)
        return owner->GetCoords();
    return owner->GetAttachedCoords(Name::Create(attachPoint));
}

uint32_t EquipManager::GetItemId(EquipLocations location) const
{
    for (const EquipManagerContainer& container : attachedItems) {
        if (container.location == location)
            return container.itemId;
    }
    return 0;
}

bool EquipManager::HasItem(uint32_t id) const
{
    return std::any_of(
        attachedItems.begin(), attachedItems.end(),
        [id](const EquipManagerContainer& container) { return container.itemId == id; });
}

bool EquipManager::HasItem(const std::string& recordName) const
{
    return std::any_of(attachedItems.begin(), attachedItems.end(),
                       [&recordName](const EquipManagerContainer& container) {
                           const Item* item = FindItem(container.itemId);
                           return item != nullptr &&
                                  FileNameEquals(item->GetObjectName(), recordName);
                       });
}

// A moved left-hand weapon counts as the right hand's.
uint32_t EquipManager::GetRightHandItem() const
{
    for (const EquipManagerContainer& container : attachedItems) {
        if (container.location == EquipLocations_RightHand ||
            (container.location == EquipLocations_LeftHand && container.movedToRightHand))
            return container.itemId;
    }
    return 0;
}

uint32_t EquipManager::GetLeftHandItem() const
{
    for (const EquipManagerContainer& container : attachedItems) {
        if (container.location == EquipLocations_LeftHand)
            return container.movedToRightHand ? 0 : container.itemId;
    }
    return 0;
}

uint32_t EquipManager::GetRightHandWeapon() const
{
    const uint32_t id = GetRightHandItem();
    return GetWeaponTypeOf(id) != Weapon_Type_None ? id : 0;
}

uint32_t EquipManager::GetLeftHandWeapon() const
{
    const uint32_t id = GetLeftHandItem();
    return GetWeaponTypeOf(id) != Weapon_Type_None ? id : 0;
}

uint32_t EquipManager::GetLeftHandShield() const
{
    const uint32_t id = GetLeftHandItem();
    return ObjectManager::Instance().GetObject<WeaponArmor_Shield>(id) != nullptr ? id : 0;
}

uint32_t EquipManager::GetArmorId() const
{
    const uint32_t id = GetItemId(EquipLocations_LeftHand);
    return ObjectManager::Instance().GetObject<Armor>(id) != nullptr ? id : 0;
}

void EquipManager::GetAllArmor(std::vector<uint32_t>& ids) const
{
    for (const EquipManagerContainer& container : attachedItems) {
        if (ObjectManager::Instance().GetObject<Armor>(container.itemId) != nullptr)
            ids.push_back(container.itemId);
    }
}

void EquipManager::GetAllAttachedItems(std::vector<uint32_t>& ids) const
{
    for (const EquipManagerContainer& container : attachedItems)
        ids.push_back(container.itemId);
}

void EquipManager::GetAllNonWeapons(std::vector<uint32_t>& ids) const
{
    for (const EquipManagerContainer& container : attachedItems) {
        if (GetWeaponTypeOf(container.itemId) == Weapon_Type_None)
            ids.push_back(container.itemId);
    }
}

EquipManager_HandState EquipManager::GetHandState() const
{
    switch (GetWeaponTypeOf(GetLeftHandItem())) {
    case Weapon_Type_Axe:
    case Weapon_Type_Sword:
    case Weapon_Type_Mace:
        return EquipManager_HandState_DualWielded;
    case Weapon_Type_Bow:
        return EquipManager_HandState_Bow;
    case Weapon_Type_Staff:
        return EquipManager_HandState_Staff;
    default:
        break;
    }
    switch (GetWeaponTypeOf(GetRightHandItem())) {
    case Weapon_Type_Axe:
    case Weapon_Type_Sword:
    case Weapon_Type_Mace:
    case Weapon_Type_Reserved8:
        return EquipManager_HandState_SingleHanded;
    case Weapon_Type_Spear:
        return EquipManager_HandState_Spear;
    case Weapon_Type_Staff:
        return EquipManager_HandState_Staff;
    default:
        return EquipManager_HandState_Unarmed;
    }
}

// A lone one-handed weapon in the left hand is shown in the right; once the right hand is
// taken it goes back.
void EquipManager::ForceRightHandAsNeeded()
{
    const bool rightHandTaken = std::any_of(
        attachedItems.begin(), attachedItems.end(), [](const EquipManagerContainer& container) {
            return container.location == EquipLocations_RightHand;
        });
    for (EquipManagerContainer& container : attachedItems) {
        if (container.location != EquipLocations_LeftHand)
            continue;
        if (!rightHandTaken && container.canMoveToRightHand && !container.movedToRightHand) {
            container.movedToRightHand = true;
            MoveToHand(container, "R Hand");
            return;
        }
        if (rightHandTaken && container.movedToRightHand) {
            container.movedToRightHand = false;
            MoveToHand(container, "L Hand");
        }
    }
}

void EquipManager::MoveToHand(const EquipManagerContainer& container, const char* attachPoint)
{
    if (Item* item = FindItem(container.itemId)) {
        item->DetachItem(*owner);
        item->AttachItem(*owner, attachPoint);
    }
}

void EquipManager::SetItemsVisibleAt(const std::string& attachPoint, bool visible)
{
    // Rings and amulets hang nowhere and stay hidden whatever a prop does.
    if (attachPoint.empty())
        return;
    for (const EquipManagerContainer& container : attachedItems) {
        Item* item = FindItem(container.itemId);
        // Where the item really hangs: a lone left-hand weapon shows in the right hand.
        if (item != nullptr && item->GetAttachPointName() == attachPoint)
            item->SetVisibility(visible);
    }
}

void EquipManager::AddPropAttachment(Prop& prop)
{
    if (owner == nullptr)
        return;
    const std::string& attachPoint = prop.GetAttachPoint();
    SetItemsVisibleAt(attachPoint, false);
    prop.AttachProp(*owner);
    props[prop.GetObjectId()] = attachPoint;
}

void EquipManager::RemovePropAttachment(uint32_t propId)
{
    const auto found = props.find(propId);
    if (found == props.end() || owner == nullptr)
        return;
    const std::string attachPoint = found->second;
    props.erase(found);
    SetItemsVisibleAt(attachPoint, true);
    if (Prop* prop = ObjectManager::Instance().GetObject<Prop>(propId))
        prop->DetachProp(*owner);
}

} // namespace GAME
