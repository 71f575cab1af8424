#pragma once

#include "items/EquipLocations.h"

#include <cstdint>

namespace GAME {

class Character;
class ControllerCharacter;
class IOStream;

// One pair of hands: the primary set or the alternate one. The hand rules come with the items
// work; this keeps what the save needs.
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
    void SetAlternate(bool flag) { alternate = flag; }
    const HandEntry& GetRight() const { return right; }
    const HandEntry& GetLeft() const { return left; }

    void StreamProperties(IOStream* stream);

private:
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
