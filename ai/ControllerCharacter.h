#pragma once

#include "ai/ControllerBaseCharacter.h"
#include "items/EquipLocations.h"
#include "items/EquipmentCtrl.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class ActorConfigCommand;
class Item;
class LoadTable;

// Adds what a character carries, its base attributes and teleporting. Every change to items and
// attributes goes out as a config command, so that each machine of a game makes it alike.
class ControllerCharacter : public ControllerBaseCharacter {
    GAME_DECLARE_CLASS(ControllerCharacter)

public:
    ControllerCharacter() { equipmentCtrl.SetController(this); }
    ~ControllerCharacter() override = default;

    // Tells the other machines, then puts the character on the floor under the coordinates.
    void Teleport(const WorldCoords& coords) override;
    void PickupItem(uint32_t itemId) override;

    // Virtual operations of this layer, in the order of their slots.
    virtual void LoadLootFromActor(Character& /*character*/, const LoadTable& /*table*/) {}
    // Null when the character is gone or the record makes no item.
    virtual Item* CreateItemInInventory(const std::string& record);

    EquipmentCtrl& GetEquipmentCtrl() { return equipmentCtrl; }
    // Switches between the main and the alternate weapons.
    void SetAlternateEquipment(bool flag) { equipmentCtrl.SetAlternateEquipment(flag); }

    void AllowDualWieldWeapons(bool allow) { equipmentCtrl.SetAllowDualWeapons(allow); }
    bool IsDualWieldAllowed() const { return equipmentCtrl.GetAllowDualWeapons(); }

    // Monsters and townsfolk use whatever they are given, whatever its requirements.
    void SetIgnoreEquipmentRequirements(bool ignore)
    {
        equipmentCtrl.SetIgnoreRequirements(ignore);
    }
    bool GetIgnoreEquipmentRequirements() const { return equipmentCtrl.GetIgnoreRequirements(); }

    // The equipment is sifted against the character's attributes on the first update and
    // every 250 ms after.
    void Update(int32_t elapsedMs) override;

    // Command senders; none sends when the character is gone.
    void SendEquipAttachAction(uint32_t itemId, EquipLocations location);
    void SendEquipDetachAction(uint32_t itemId);
    void SendDropFromEquipLocation(uint32_t itemId, EquipLocations location, bool throwIt);
    // Drops the item 1.25 from the character in a random direction; nothing for item 0.
    void SendDropItemRandom(uint32_t itemId);
    // Nothing for item 0.
    void SendRemoveItemFromInventory(uint32_t itemId);
    void IncrementCharacterStrength();
    void IncrementCharacterIntelligence();
    void IncrementCharacterDexterity();
    void IncrementCharacterLife();
    void IncrementCharacterLife(int32_t amount);
    void IncrementCharacterMana();
    void IncrementCharacterMana(int32_t amount);

protected:
    // Hands the command to the character, which runs and replicates it.
    void Send(std::unique_ptr<ActorConfigCommand> command) const;

private:
    static constexpr int32_t kAttributeRefreshMs = 250;

    int32_t attributeCountdown = 0;
    EquipmentCtrl equipmentCtrl;
};

} // namespace GAME
