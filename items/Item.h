#pragma once

#include "engine/Actor.h"

namespace GAME {

// The base of everything a character can pick up, carry or equip. So far its class record.
class Item : public Actor {
    GAME_DECLARE_CLASS(Item)

public:
    Item() = default;
    ~Item() override;
};

} // namespace GAME
