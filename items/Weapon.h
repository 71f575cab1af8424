#pragma once

#include "items/ItemEquipment.h"

namespace GAME {

// The base of every weapon and shield. So far its class record, which the editor's groups of
// monsters and their weapons accept.
class Weapon : public ItemEquipment {
    GAME_DECLARE_CLASS(Weapon)

public:
    Weapon() = default;
    ~Weapon() override;
};

} // namespace GAME
