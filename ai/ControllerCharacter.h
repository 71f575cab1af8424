#pragma once

#include "ai/ControllerBaseCharacter.h"

#include <string>

namespace GAME {

class Item;
class LoadTable;

// Adds what a character carries and teleporting. So far only teleporting: the equipment and
// item commands come with the equipment controller.
class ControllerCharacter : public ControllerBaseCharacter {
    GAME_DECLARE_CLASS(ControllerCharacter)

public:
    ControllerCharacter() = default;
    ~ControllerCharacter() override = default;

    // Tells the other machines, then puts the character on the floor under the coordinates.
    void Teleport(const WorldCoords& coords) override;

    // Virtual operations of this layer, in the order of their slots.
    virtual void LoadLootFromActor(Character& /*character*/, const LoadTable& /*table*/) {}
    virtual Item* CreateItemInInventory(const std::string& /*record*/) { return nullptr; }
};

} // namespace GAME
