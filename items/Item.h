#pragma once

#include "engine/Actor.h"
#include "items/ItemReplicaInfo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class CombatAttributeAccumulator;
class GraphicsTexture;
class LoadTable;
class WorldCoords;
struct RacialBonus_Damage;
struct RacialBonus_Defense;
class SkillAttributeAccumulator;

// The base of everything a character can pick up, carry or equip. Every instance is named by
// its replica record, through which creation, saves and replication rebuild the same item.
class Item : public Actor {
    GAME_DECLARE_CLASS(Item)

public:
    Item() = default;
    ~Item() override;

    void Load(const LoadTable& table) override;

    // The one way to make an item from a record: the object of the record's base name under
    // the record's id (0 takes a fresh one), then the record applied and the item initialized.
    // Null when the base names no record, a record of something else, or the id is taken.
    static Item* CreateItem(const ItemReplicaInfo& info);

    // Takes the whole record but its id and base name, which stay the item's own.
    void SetItemReplicaInfo(const ItemReplicaInfo& info);
    virtual void GetItemReplicaInfo(ItemReplicaInfo& info) const;

    // Equipment rolls its attributes from the seed here; a plain item only notes it is done.
    virtual void InitializeItem();
    // The next collision plays the drop sound.
    virtual void SetDropSoundToPlay();

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
    // What the item adds to its wearer's skills and attacks; nothing here either.
    virtual void GetSkillAttributes(SkillAttributeAccumulator& accumulator) const;
    virtual void GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                             RacialBonus_Damage& damage) const;

    // The picture the bags show, which also sets the room the item takes in a sack. A plain
    // item has none.
    virtual GraphicsTexture* GetBitmap() const;

    // A character may carry only one item of this record.
    bool CannotPickUpMultiple() const { return cannotPickUpMultiple; }
    // Set once a pick-up of this item has been handled, whether or not it was taken.
    void SetPickupOk(bool ok) { pickupOk = ok; }
    bool IsPickupOk() const { return pickupOk; }

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

    // The picture of the kinds that have one.
    GraphicsTexture* LoadBitmap() const;

    bool initialized = false;
    bool dropSoundPending = true;
    std::string bitmapName;

private:
    uint32_t attachedTo = 0;
    bool cannotPickUpMultiple = false;
    bool pickupOk = false;
    ItemReplicaInfo itemInfo;
};

} // namespace GAME
