#pragma once

#include "items/EquipLocations.h"
#include "items/EquipmentCtrlLocation.h"
#include "items/EquipmentCtrlWeaponSet.h"

#include <array>
#include <cstdint>

namespace GAME {

class Character;
class ControllerCharacter;
class IOStream;
class Item;

// A character's logical equipment: which item sits in which slot and whether it is attached,
// and the two weapon sets. Meshes are the equip manager's business: attaching and detaching go
// out as commands through the controller.
class EquipmentCtrl {
public:
    struct EquipmentInfo {
        uint32_t itemId = 0;
        bool attached = false;
        EquipLocations location = EquipLocations_None;
    };

    EquipmentCtrl();
    virtual ~EquipmentCtrl() = default;

    void SetParent(Character* character);
    void SetController(ControllerCharacter* controller);

    // A body slot's entry (1-7); an empty entry for the hands and anything else.
    const EquipmentInfo& GetBodyEntry(EquipmentCtrlLocation location) const;
    const EquipmentCtrlWeaponSet& GetPrimarySet() const { return primary; }
    const EquipmentCtrlWeaponSet& GetAlternateSet() const { return alternate; }
    bool IsUsingAlternate() const { return useAlternate; }
    bool GetIgnoreRequirements() const { return ignoreRequirements; }
    bool GetAllowDualWeapons() const { return primary.GetAllowDualWeapons(); }

    // The hands read the set in use; an empty hand reports the other's two-hander.
    uint32_t GetItem(EquipmentCtrlLocation location) const;
    uint32_t GetItem_Head() const { return GetItem(EquipmentCtrlLocation_Head); }
    uint32_t GetItem_Neck() const { return GetItem(EquipmentCtrlLocation_Neck); }
    uint32_t GetItem_UpperBody() const { return GetItem(EquipmentCtrlLocation_UpperBody); }
    uint32_t GetItem_LowerBody() const { return GetItem(EquipmentCtrlLocation_LowerBody); }
    uint32_t GetItem_Finger1() const { return GetItem(EquipmentCtrlLocation_Finger1); }
    uint32_t GetItem_Finger2() const { return GetItem(EquipmentCtrlLocation_Finger2); }
    uint32_t GetItem_Forearm() const { return GetItem(EquipmentCtrlLocation_Forearm); }
    uint32_t GetItem_HandRight() const { return GetItem(EquipmentCtrlLocation_HandRight); }
    uint32_t GetItem_HandLeft() const { return GetItem(EquipmentCtrlLocation_HandLeft); }

    // The slot's own test with mustBeEmpty false; the hands test the set in use. The flag is
    // kept for callers and never written.
    bool CanItemBePlaced(EquipmentCtrlLocation location, uint32_t id, bool& reserved) const;
    bool CanItemBePlaced_Head(uint32_t id, bool mustBeEmpty) const;
    bool CanItemBePlaced_Neck(uint32_t id, bool mustBeEmpty) const;
    bool CanItemBePlaced_UpperBody(uint32_t id, bool mustBeEmpty) const;
    bool CanItemBePlaced_LowerBody(uint32_t id, bool mustBeEmpty) const;
    bool CanItemBePlaced_Finger1(uint32_t id, bool mustBeEmpty) const;
    bool CanItemBePlaced_Finger2(uint32_t id, bool mustBeEmpty) const;
    bool CanItemBePlaced_Forearm(uint32_t id, bool mustBeEmpty) const;
    bool CanItemBePlaced_HandRight(uint32_t id, bool& reserved, bool mustBeEmpty,
                                   bool otherSet) const;
    bool CanItemBePlaced_HandLeft(uint32_t id, bool& reserved, bool mustBeEmpty,
                                  bool otherSet) const;

    // Swaps, not quiet: on return id holds what the slot gave up (0 for nothing).
    void PlaceItem(EquipmentCtrlLocation location, uint32_t& id);
    void PlaceItem_Head(uint32_t& id, bool quiet) { PlaceBody(BodySlot_Head, id, quiet); }
    void PlaceItem_Neck(uint32_t& id, bool quiet) { PlaceBody(BodySlot_Neck, id, quiet); }
    void PlaceItem_UpperBody(uint32_t& id, bool quiet) { PlaceBody(BodySlot_UpperBody, id, quiet); }
    void PlaceItem_LowerBody(uint32_t& id, bool quiet) { PlaceBody(BodySlot_LowerBody, id, quiet); }
    void PlaceItem_Finger1(uint32_t& id, bool quiet) { PlaceBody(BodySlot_Finger1, id, quiet); }
    void PlaceItem_Finger2(uint32_t& id, bool quiet) { PlaceBody(BodySlot_Finger2, id, quiet); }
    void PlaceItem_Forearm(uint32_t& id, bool quiet) { PlaceBody(BodySlot_Forearm, id, quiet); }
    void PlaceItem_HandRight(uint32_t& id, bool otherSet, bool quiet)
    {
        PlaceHand(true, id, otherSet, quiet);
    }
    void PlaceItem_HandLeft(uint32_t& id, bool otherSet, bool quiet)
    {
        PlaceHand(false, id, otherSet, quiet);
    }

    // A picked-up item goes into the first free slot that takes it, body first, then the hands
    // in use. False when none does.
    bool AutoInsertItem(uint32_t id);
    // Empties the first slot holding the item, quietly; false when none does.
    bool RemoveItem(uint32_t id);
    bool IsItemAttached(uint32_t id) const;
    bool AreRequirementsMet(const Item* item) const;
    // Attaches what the owner may now wear and detaches what it no longer may; an item that
    // falls out of use stays in its slot.
    void AttributesHaveChanged();
    void SetIgnoreRequirements(bool flag);
    // Items already held are not moved.
    void SetAllowDualWeapons(bool flag);
    void SetAlternateEquipment(bool flag);

    void StreamProperties(IOStream* stream);
    // One slot's record, shared by the body entries and the hands. Reading makes the item,
    // hands it to the character and attaches it when the record says so; false when no item
    // came of it.
    static bool StreamSlot(IOStream* stream, Character* character, uint32_t& itemId, bool& attached,
                           EquipLocations location);
    // The owner's strength, dexterity and intelligence against the item; true when ignored.
    static bool MeetsRequirements(const Character* owner, const Item* item, bool ignore);

private:
    // The body entries, in the order the save keeps them.
    enum BodySlot : uint32_t {
        BodySlot_Head,
        BodySlot_Neck,
        BodySlot_UpperBody,
        BodySlot_LowerBody,
        BodySlot_Forearm,
        BodySlot_Finger1,
        BodySlot_Finger2,
        BodySlot_Count
    };
    static BodySlot ToBodySlot(EquipmentCtrlLocation location);

    bool CanPlaceBody(BodySlot slot, uint32_t id, bool mustBeEmpty) const;
    void PlaceBody(BodySlot slot, uint32_t& id, bool quiet);
    void PlaceHand(bool rightHand, uint32_t& id, bool otherSet, bool quiet);
    void SiftBody();
    EquipmentCtrlWeaponSet& GetSetInUse() { return useAlternate ? alternate : primary; }
    const EquipmentCtrlWeaponSet& GetSet(bool otherSet) const
    {
        return useAlternate != otherSet ? alternate : primary;
    }
    EquipmentCtrlWeaponSet& GetSet(bool otherSet)
    {
        return useAlternate != otherSet ? alternate : primary;
    }
    // The set character, else the controller's; null when it is gone. Hands it to both sets.
    Character* GetParent() const;

    uint32_t parentId = 0;
    ControllerCharacter* controller = nullptr;
    bool ignoreRequirements = false;
    bool useAlternate = false;
    std::array<EquipmentInfo, BodySlot_Count> body;
    // Mutable: each entry point hands the sets the owner looked up afresh.
    mutable EquipmentCtrlWeaponSet primary{false};
    mutable EquipmentCtrlWeaponSet alternate{true};
};

} // namespace GAME
