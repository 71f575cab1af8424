#pragma once

#include "engine/Actor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class CombatAttributeAccumulator;
class LoadTable;
class WorldCoords;
struct RacialBonus_Defense;

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

    // What the item adds to its wearer's defense and retaliation. Nothing here: equipment
    // answers once it loads its attribute stores.
    virtual void GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                              RacialBonus_Defense& defense) const;

protected:
    // Whom the item is attached to; null when nobody (or when that character is gone).
    Character* GetCharacter() const;

    // Sound packs are held by object id: the object manager owns them and may have destroyed
    // them already when the item goes. The id of the pack the key names; 0 when the key is
    // empty or its record is not a sound pack.
    static uint32_t LoadSoundPakFromTable(const LoadTable& table, const char* key);
    // Destroys the pack (nothing for 0) and clears the id.
    static void DestroySoundPak(uint32_t& soundId, const char* sourceFile, int line);
    // Plays the pack at the position; nothing when it is absent.
    static void PlaySoundPak(uint32_t soundId, const WorldCoords& position);

private:
    uint32_t attachedTo = 0;
};

} // namespace GAME
