#pragma once

#include "items/InventorySack.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace GAME {

class Character;
class ControllerPlayer;
class IOStream;
class Item;
class ItemReplicaInfo;
class Player;

// The player's bag: up to four sacks, the focused and the selected one, and its block of the
// save. Potions that share a cell keep their hidden companions here until potion stacks exist.
class PlayerInventoryCtrl {
public:
    static constexpr uint32_t kMaxSacks = 4;

    PlayerInventoryCtrl();
    virtual ~PlayerInventoryCtrl();

    void SetParent(Player* player);
    void SetController(ControllerPlayer* controller) { this->controller = controller; }

    uint32_t GetNumberOfSacks() const { return static_cast<uint32_t>(sacks.size()); }
    uint32_t GetFocusSackNumber() const { return focusSack; }
    uint32_t GetSelectedSackNumber() const { return selectedSack; }
    // A number past the last sack means the last sack.
    void SetFocusSackNumber(uint32_t sack);
    void SetSelectedSackNumber(uint32_t sack);

    // False when four sacks exist. The second sack becomes the selected one.
    bool AddSack();
    // Whether some sack has room for the item.
    bool IsSpaceAvailable(const Item* item) const;
    // A picked-up item: the main sack first, then, with anySack, the selected sack and the
    // others in order. False when no sack has room.
    bool AddItem(uint32_t id, bool anySack);
    // Only ever adds.
    void RestoreNumberOfSacks(uint32_t count);
    // -1 is the focused sack; null for a number that names no sack.
    InventorySack* GetSack(int32_t sack);
    const InventorySack* GetSack(int32_t sack) const;

    // The potions hidden behind a visible one, in push order; empty when none.
    const std::vector<uint32_t>& GetHiddenPotions(uint32_t visibleId) const;

    void StreamProperties(IOStream* stream);

private:
    // The size the game gives the sack at this index; the default grid when it holds no cell.
    static void SizeSack(InventorySack& sack, uint32_t index);
    void WriteSack(IOStream* stream, InventorySack& sack);
    void ReadSack(IOStream* stream, InventorySack& sack, bool gridCoords, uint32_t& lastPotion);
    static void StreamItemRecord(IOStream* stream, ItemReplicaInfo& info,
                                 InventorySack::Cell& cell);
    // Makes the item, hands it to the character and puts it in the sack or behind the potion
    // read last.
    // The parent, else the controller's character; null when it is gone.
    Character* GetCarrier() const;
    void PlaceReadItem(InventorySack& sack, ItemReplicaInfo& info, InventorySack::Cell cell,
                       bool gridCoords, uint32_t& lastPotion);

    // Kept by id: the player may leave the world before its controller goes.
    uint32_t parentId = 0;
    ControllerPlayer* controller = nullptr;
    uint32_t focusSack = 0;
    uint32_t selectedSack = 0;
    std::vector<std::unique_ptr<InventorySack>> sacks;
    std::map<uint32_t, std::vector<uint32_t>> hiddenPotions;
};

} // namespace GAME
