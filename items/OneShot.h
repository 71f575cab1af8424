#pragma once

#include "items/Item.h"

namespace GAME {

// An item used up in one go: it hands its user a bonus.
class OneShot : public Item {
    GAME_DECLARE_CLASS(OneShot)

public:
    OneShot() = default;
    ~OneShot() override;
};

} // namespace GAME
