#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Item;
enum Character_Gender : int32_t;

// Every item a character owns, whatever sack or slot it sits in, as object ids in the order
// they came. Each new item is announced with "GameEvent_ItemAdd"; the items go with the
// inventory.
class Inventory {
public:
    Inventory();
    // Destroys every item still listed.
    virtual ~Inventory();
    Inventory(const Inventory&) = delete;
    Inventory& operator=(const Inventory&) = delete;

    void SetOwner(uint32_t objectId) { owner = objectId; }
    uint32_t GetOwner() const { return owner; }
    void SetGender(Character_Gender value) { gender = value; }
    Character_Gender GetGender() const { return gender; }

    // Id 0 and an id already listed are not added (nor announced).
    void AddItemToInventory(uint32_t id, bool flag);
    bool IsItemInInventory(uint32_t id) const;
    // By record name; the walk gives up at the first listed item that no longer exists.
    bool IsItemInInventory(const std::string& recordName) const;
    void RemoveItemFromInventory(uint32_t id);
    // The first id, taken off the list; 0 when empty.
    uint32_t PopInventoryItem();
    const std::vector<uint32_t>& GetInventoryItems() const { return items; }
    void DestroyAllObjects();

    void OnItemAdd(const GameEvent_ItemAdd& event);

private:
    // Counts the pickup towards the local player's tutorial hints and opens the page of its
    // kind.
    void CountPickup(const Item* item) const;
    static bool IsRelic(const Item* item);

    std::vector<uint32_t> items;
    uint32_t owner = 0;
    Character_Gender gender{};
    // Only sends: its back pointer stays null, so what it hears goes nowhere.
    EventHandler<Inventory, GameEvent_ItemAdd> itemAddHandler;
};

} // namespace GAME
