#pragma once

#include "items/ItemEquipment.h"

#include <cstdint>

namespace GAME {

class LoadTable;
class WorldCoords;

// Equipment worn for protection or adornment: jewellery, clothing and protective pieces such as
// body armour. So far its class record and the impact sound combat asks for.
class Armor : public ItemEquipment {
    GAME_DECLARE_CLASS(Armor)

public:
    Armor() = default;
    ~Armor() override;

    void Load(const LoadTable& table) override;

    // Heard where a blow lands on the armour; nothing without an impact sound.
    void PlayImpactSound(const WorldCoords& position);

private:
    uint32_t impactSound = 0;
};

} // namespace GAME
