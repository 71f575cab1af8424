#pragma once

#include "items/EquipLocations.h"

#include <cstdint>

namespace GAME {

class Character;
class ControllerCharacter;
class IOStream;
class Item;

// One pair of hands: the primary set or the alternate one, with the rules of what two hands may
// hold together.
class EquipmentCtrlWeaponSet {
public:
    struct HandEntry {
        uint32_t itemId = 0;
        bool attached = false;
        EquipLocations location = EquipLocations_None;
        int32_t handType = 0;
        int32_t allowedOtherMask = -1;
    };

    explicit EquipmentCtrlWeaponSet(bool alternate);
    virtual ~EquipmentCtrlWeaponSet() = default;

    void SetParent(Character* character) { owner = character; }
    void SetController(ControllerCharacter* controller) { this->controller = controller; }

    bool IsAlternate() const { return alternate; }
    const HandEntry& GetRight() const { return right; }
    const HandEntry& GetLeft() const { return left; }
    bool GetAllowDualWeapons() const { return allowDualWeapons; }
    // Each setter sifts: the set in use attaches what its owner may hold, the other detaches.
    void SetAlternate(bool flag);
    void SetIgnoreRequirements(bool flag);
    void SetAllowDualWeapons(bool flag);
    void AttributesHaveChanged();
    // The entry holding the item; null when neither does.
    const HandEntry* FindEntry(uint32_t id) const;

    // What the hand holds; an empty hand reports the two-handed item of the other.
    uint32_t GetItem_HandRight() const { return GetHand(true); }
    uint32_t GetItem_HandLeft() const { return GetHand(false); }
    bool CanItemBePlaced_HandRight(uint32_t id, bool mustBeEmpty) const
    {
        return CanItemBePlaced(true, id, mustBeEmpty);
    }
    bool CanItemBePlaced_HandLeft(uint32_t id, bool mustBeEmpty) const
    {
        return CanItemBePlaced(false, id, mustBeEmpty);
    }
    // Swaps: on return id holds what the hand gave up (0 for nothing).
    void PlaceItem_HandRight(uint32_t& id, bool quiet) { PlaceItem(true, id, quiet); }
    void PlaceItem_HandLeft(uint32_t& id, bool quiet) { PlaceItem(false, id, quiet); }
    bool AreRequirementsMet(const Item* item) const;
    // Empties the hand holding the item, quietly; false when neither does.
    bool RemoveItem(uint32_t id);

    void StreamProperties(IOStream* stream);

private:
    uint32_t GetHand(bool rightHand) const;
    bool CanItemBePlaced(bool rightHand, uint32_t id, bool mustBeEmpty) const;
    void PlaceItem(bool rightHand, uint32_t& id, bool quiet);
    // Empties the entry, taking the item off the character when this set is in use.
    void ClearEntry(HandEntry& entry);
    void SiftEntry(HandEntry& entry);
    void StreamEntry(IOStream* stream, HandEntry& entry);

    Character* owner = nullptr;
    ControllerCharacter* controller = nullptr;
    bool ignoreRequirements = false;
    bool alternate;
    bool allowDualWeapons = false;
    HandEntry right;
    HandEntry left;
};

} // namespace GAME
