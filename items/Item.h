#pragma once

#include "engine/Actor.h"

#include <cstdint>

namespace GAME {

class Character;

// The base of everything a character can pick up, carry or equip. So far its class record and
// how it is worn.
class Item : public Actor {
    GAME_DECLARE_CLASS(Item)

public:
    Item() = default;
    ~Item() override;

    // Rides on the character at the attach point. An item with no point (a ring, an amulet)
    // still rides along, unseen.
    virtual void AttachItem(Character& character, const char* attachPoint);
    virtual void DetachItem(Character& character);

protected:
    // Whom the item is attached to; null when nobody (or when that character is gone).
    Character* GetCharacter() const;

private:
    uint32_t attachedTo = 0;
};

} // namespace GAME
