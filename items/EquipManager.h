#pragma once

#include "engine/WorldCoords.h"
#include "items/EquipLocations.h"
#include "items/EquipManager_HandState.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Item;
class LoadTable;
class Prop;

// One attached item. A lone one-handed weapon in the left hand is shown in the right one; the
// flags remember that it may move and that it did.
struct EquipManagerContainer {
    uint32_t itemId = 0;
    EquipLocations location = EquipLocations_None;
    bool canMoveToRightHand = false; // an axe, a sword or a mace
    bool movedToRightHand = false;
    bool preload = false; // a bow or a staff
};

// The visible side of a character's equipment: which items hang on which attach point, which
// hand holds what, and the hand state that picks the character's animations. Whether an item
// may be worn is decided before it gets here.
class EquipManager {
public:
    EquipManager() = default;
    ~EquipManager();
    EquipManager(const EquipManager&) = delete;
    EquipManager& operator=(const EquipManager&) = delete;

    void AttachParent(Character* character) { owner = character; }
    void Load(const LoadTable& table);
    void PreLoad(bool flag);

    // Both need the item to exist and an owner; an item attached twice is refused and logged.
    void AttachItemAction(uint32_t id, EquipLocations location);
    // Nothing for an item that is not attached here.
    void DetachItemAction(uint32_t id);
    // Detaches every attached item made from the record.
    void RemoveItem(const std::string& recordName);

    // The owner's own coordinates for a location without an attach point.
    WorldCoords GetAttachCoords(EquipLocations location) const;

    const std::vector<EquipManagerContainer>& GetAttachedItems() const { return attachedItems; }
    // The first item at the location, 0 when none.
    uint32_t GetItemId(EquipLocations location) const;
    bool HasItem(uint32_t id) const;
    bool HasItem(const std::string& recordName) const;
    uint32_t GetBodyArmor() const { return GetItemId(EquipLocations_UpperBody); }
    // The hand's item when it is a weapon (a shield); 0 otherwise.
    uint32_t GetRightHandWeapon() const;
    uint32_t GetLeftHandWeapon() const;
    uint32_t GetLeftHandShield() const;
    // The left-hand item when it is an `Armor`. Shields are weapons, so this finds none of
    // them; combat asks `GetLeftHandShield` for blocking.
    uint32_t GetArmorId() const;
    uint32_t GetDefaultHeadPiece() const { return defaultHeadPiece; }
    // Append ids.
    void GetAllAttachedItems(std::vector<uint32_t>& ids) const;
    void GetAllNonWeapons(std::vector<uint32_t>& ids) const;
    void GetAllArmor(std::vector<uint32_t>& ids) const;
    EquipManager_HandState GetHandState() const;

    // A changed name goes to every attached weapon; a weapon attached later takes it then.
    void SetWeaponEnchantment(const std::string& name);
    const std::string& GetWeaponEnchantment() const { return weaponEnchantment; }

    // A carried prop hides the items hanging where it goes; removing it shows them again.
    void AddPropAttachment(Prop& prop);
    // Nothing for a prop that was not added here.
    void RemovePropAttachment(uint32_t propId);

private:
    uint32_t GetRightHandItem() const;
    uint32_t GetLeftHandItem() const;
    void ForceRightHandAsNeeded();
    void MoveToHand(const EquipManagerContainer& container, const char* attachPoint);
    void SetItemsVisibleAt(const std::string& attachPoint, bool visible);
    void SetDefaultHeadPieceVisible(bool visible);

    Character* owner = nullptr;
    std::vector<EquipManagerContainer> attachedItems;
    uint32_t defaultHeadPiece = 0;
    std::string weaponEnchantment;
    std::map<uint32_t, std::string> props; // prop id to the attach point it hangs at
};

} // namespace GAME
