#pragma once

#include "engine/EventHandler.h"
#include "quests/RewardActions.h"
#include "quests/WaitingAction.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class GameEvent_FixedItemSpawn;
class Item;

// An item action on the creatures of a name: "npc", then the item per difficulty.
class NpcItemAction : public CreatureListAction, public QuestItemRecords {
public:
    using CreatureListAction::CreatureListAction;
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override { return StreamPending(stream); }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        CreatureListAction::GetRecordNames(names);
        GetItemRecords(names);
    }

protected:
    // The verb, the items, the joint and the npc.
    const std::string& Describe(const char* verb, const char* from);
};

// The NPCs of the name keep the item for the local player; monsters carry it as treasure.
class Action_DispenseItemFromNpc : public NpcItemAction {
public:
    using NpcItemAction::NpcItemAction;
    const char* GetName() const override { return "Action_DispenseItemFromNpc"; }
    const std::string& GetDescription() override
    {
        return Describe("Dispense Item ", " From NPC ");
    }
    bool CanReFire() const override { return true; }
    void Apply() override;
};

// Every creature of the name drops one item at its feet.
class Action_DropItemFromNpc : public NpcItemAction {
public:
    using NpcItemAction::NpcItemAction;
    const char* GetName() const override { return "Action_DropItemFromNpc"; }
    const std::string& GetDescription() override { return Describe("Drop Item ", " From "); }
    void Apply() override;
    // The item dropped last.
    uint32_t GetItemId() const { return itemId; }

private:
    // Null when a loot table gives nothing.
    Item* MakeItem(const std::string& record) const;

    uint32_t itemId = 0;
};

// The chest drops a copy of the item for every party member when it opens.
class Action_DispenseItemFromChest : public WaitingAction, public QuestItemRecords {
public:
    Action_DispenseItemFromChest(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Action_DispenseItemFromChest"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override { return StreamPending(stream); }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(chest);
        GetItemRecords(names);
    }
    void Apply() override;
    void OnFixedItemSpawn(const GameEvent_FixedItemSpawn& event);

    void SetChest(const char* value) { chest = value != nullptr ? value : ""; }
    const char* GetChest() const { return chest.c_str(); }

private:
    std::string chest;
    uint32_t chestId = 0;
    EventHandler<Action_DispenseItemFromChest, GameEvent_FixedItemSpawn> spawnListener;
};

// Takes every item of the record from the local player, whoever set the trigger off.
class Action_RemoveItemFromInventory : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_RemoveItemFromInventory"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(itemName);
    }

    void SetItemName(const char* value) { itemName = value != nullptr ? value : ""; }
    const char* GetItemName() const { return itemName.c_str(); }

private:
    std::string itemName;
};

} // namespace GAME
