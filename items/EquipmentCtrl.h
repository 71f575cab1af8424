#pragma once

#include "items/EquipLocations.h"
#include "items/EquipmentCtrlWeaponSet.h"

#include <array>
#include <cstdint>

namespace GAME {

class Character;
class ControllerCharacter;
class IOStream;
class Item;

// A character's logical equipment: which item sits in which slot and whether it is attached,
// and the two weapon sets.
class EquipmentCtrl {
public:
    struct EquipmentInfo {
        uint32_t itemId = 0;
        bool attached = false;
        EquipLocations location = EquipLocations_None;
    };

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

    EquipmentCtrl();
    virtual ~EquipmentCtrl() = default;

    void SetParent(Character* character);
    void SetController(ControllerCharacter* controller);

    const EquipmentInfo& GetBodyEntry(BodySlot slot) const { return body[slot]; }
    const EquipmentCtrlWeaponSet& GetPrimarySet() const { return primary; }
    const EquipmentCtrlWeaponSet& GetAlternateSet() const { return alternate; }
    bool IsUsingAlternate() const { return useAlternate; }

    void SetAlternateEquipment(bool flag);

    // Whether the item may go into the body slot: of a kind the slot takes, requirements met,
    // and with mustBeEmpty, the slot free.
    bool CanItemBePlaced(BodySlot slot, uint32_t id, bool mustBeEmpty) const;
    // Swaps: on return id holds what the slot gave up (0 for nothing).
    void PlaceItem(BodySlot slot, uint32_t& id, bool quiet);
    // A picked-up item goes into the first free slot that takes it, body first, then the hands
    // in use. False when none does.
    bool AutoInsertItem(uint32_t id);
    bool AreRequirementsMet(const Item* item) const;

    void StreamProperties(IOStream* stream);
    // One slot's record, shared by the body entries and the hands. Reading makes the item,
    // hands it to the character and attaches it when the record says so; false when no item
    // came of it.
    static bool StreamSlot(IOStream* stream, Character* character, uint32_t& itemId, bool& attached,
                           EquipLocations location);

private:
    EquipmentCtrlWeaponSet& GetSetInUse() { return useAlternate ? alternate : primary; }
    // The set character, else the controller's; null when it is gone.
    Character* GetParent() const;

    uint32_t parentId = 0;
    ControllerCharacter* controller = nullptr;
    bool ignoreRequirements = false;
    bool useAlternate = false;
    std::array<EquipmentInfo, BodySlot_Count> body;
    EquipmentCtrlWeaponSet primary{false};
    EquipmentCtrlWeaponSet alternate{true};
};

} // namespace GAME
