#pragma once

#include "characters/Bonus.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"
#include "items/InventorySack.h"
#include "items/PotionStack.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Character;
class ControllerPlayer;
class IOStream;
class Item;
class ItemReplicaInfo;
class OneShot_Potion;
class Player;

// The player's bag: up to four sacks, the focused and the selected one, the potions of a kind
// sharing cells, potion use with a cooldown per kind, and its block of the save. Every
// operation that takes a sack number takes -1 as the focused sack.
class PlayerInventoryCtrl {
public:
    static constexpr uint32_t kMaxSacks = 4;
    // The potion kinds of the hot slots.
    static constexpr int32_t kHealth = 0;
    static constexpr int32_t kMana = 1;

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
    // Only ever adds.
    void RestoreNumberOfSacks(uint32_t count);
    // Null for a number that names no sack.
    InventorySack* GetSack(int32_t sack);
    const InventorySack* GetSack(int32_t sack) const;
    const std::map<uint32_t, Rect>& GetInventoryInSack(int32_t sack) const;
    bool IsItemAddedWhileNotTheCurrentlySelectedInventoryTab(int32_t sack) const;
    void SetItemAddedWhileNotTheCurrentlySelectedInventoryTab(bool flag, int32_t sack);
    // Whether some sack has room for the item.
    bool IsSpaceAvailable(const Item* item) const;
    uint32_t GetItemUnderPoint(const Vec2& point, int32_t sack) const;
    Rect GetRectUnderPoint(const Vec2& point, int32_t sack) const;
    void AlignRect(Rect& rect, int32_t sack) const;
    // True when the drop covers something, and also for an item that does not exist.
    bool GetConflicts(const Vec2& point, uint32_t id, std::vector<Rect>& conflicts, Rect& placed,
                      int32_t sack) const;

    // A picked-up item. One-shots that are used or stacked at once take no cell; the rest go
    // to the main sack, then, with anySack, to the selected sack and the others in order.
    bool AddItem(uint32_t id, bool anySack);
    // At a pixel position, no overlap test; the item is heard landing.
    bool AddItem(const Vec2& position, uint32_t id, int32_t sack);
    // A potion put back with the potions that hid behind it; always false.
    bool AddStackedItem(const Vec2& position, uint32_t id, std::vector<uint32_t>& hidden,
                        int32_t sack);
    // Out of the first sack that holds it; a potion brings its hidden potions along.
    bool RemoveItem(uint32_t id, std::vector<uint32_t>& hiddenOut);
    void UseOneShot(uint32_t id);
    // A potion of the record: the first stack with room, else the last; refused while the kind
    // cools down.
    bool UsePotionOfType(const std::string& name);
    // The potion of the kind that best fits what is missing, between the fractions of the
    // limit.
    bool UsePotionOfType(int32_t kind, float lowFraction, float highFraction);
    // Counts the cooldowns down.
    void Update(int32_t elapsedMs);

    // By record name; an unknown name answers 0, false or empty.
    uint32_t GetTotalPotions(const std::string& name) const;
    int32_t GetTotalCooldown(const std::string& name) const;
    int32_t GetCurrentCooldown(const std::string& name) const;
    std::wstring GetPotionText(const std::string& name) const;
    std::string GetButtonUpBitmapName(const std::string& name) const;
    std::string GetButtonDownBitmapName(const std::string& name) const;
    bool IsPotionHealth(const std::string& name) const;
    float GetTotalBonus(const std::string& name) const;
    // By kind: the sum, or the first cooldown running in name order.
    uint32_t GetTotalPotions(int32_t kind) const;
    int32_t GetTotalCooldown(int32_t kind) const;
    int32_t GetCurrentCooldown(int32_t kind) const;
    void GetPotionNames(std::vector<std::string>& names) const;
    // Makes sure the record has an entry, potions or not; false when it names no potion.
    bool AssurePotionMap(const std::string& name);
    // Lower case with '\' for '/', the key of the potion map.
    static std::string NormalizePotionName(const std::string& name);

    void StreamProperties(IOStream* stream);

private:
    struct PotionEntry {
        int32_t currentCooldown = 0;
        int32_t totalCooldown = 0;
        std::string buttonUpBitmapName;
        std::string buttonDownBitmapName;
        std::wstring text;
        Bonus bonus;
        bool isHealth = false;
        std::vector<PotionStack> stacks;
    };

    static PotionEntry MakeEntry(const OneShot_Potion& potion);
    // True when the one-shot was used, dropped or stacked: no cell is wanted.
    bool OneShotFilter(Item* item);
    // Another cell of the potion's kind; true only when the kind was new.
    bool AddToOneShotMap(const std::string& name, OneShot_Potion* potion);
    const PotionEntry* FindEntry(const std::string& name) const;
    uint32_t TotalPotions(const PotionEntry& entry) const;

    // The size the game gives the sack at this index; the default grid when it holds no cell.
    static void SizeSack(InventorySack& sack, uint32_t index);
    void WriteSack(IOStream* stream, InventorySack& sack);
    void ReadSack(IOStream* stream, InventorySack* sack, bool gridCoords, uint32_t& lastPotion);
    // The parent, else the controller's character; null when it is gone.
    Character* GetCarrier() const;
    // False when no item came of the record.
    bool PlaceReadItem(InventorySack* sack, ItemReplicaInfo& info, int32_t x, int32_t y,
                       bool gridCoords, uint32_t& lastPotion);
    PotionStack* FindStack(uint32_t visibleId);

    // Kept by id: the player may leave the world before its controller goes.
    uint32_t parentId = 0;
    ControllerPlayer* controller = nullptr;
    uint32_t focusSack = 0;
    uint32_t selectedSack = 0;
    std::vector<std::unique_ptr<InventorySack>> sacks;
    std::map<std::string, PotionEntry> potionMap;
};

} // namespace GAME
