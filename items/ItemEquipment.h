#pragma once

#include "items/Item.h"

namespace GAME {

// An item that is worn or wielded and carries attributes. So far its class record.
class ItemEquipment : public Item {
    GAME_DECLARE_CLASS(ItemEquipment)

public:
    ItemEquipment() = default;
    ~ItemEquipment() override;

    GraphicsTexture* GetBitmap() const override { return LoadBitmap(); }
};

} // namespace GAME
