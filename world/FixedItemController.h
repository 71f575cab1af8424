#pragma once

#include "core/EquationInterface.h"
#include "core/PlayerInfo.h"
#include "items/ChestClassification.h"
#include "world/FixedItem.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class ActorConfigCommand;
class ItemReplicaInfo;
class LoadTable;
class Name;

// The decisions of one fixed item: whether a touch starts a use, when its trap fires and what
// loot it drops. It exists only where the game logic runs; everything it decides reaches every
// machine as a config command queued on its item.
class FixedItemController : public EquationInterface<float> {
public:
    // More rolls than this are a record's mistake, not a chest.
    static constexpr uint32_t kMaxLootRolls = 256;
    static constexpr uint32_t kLootSlots = 6;

    FixedItemController() = default;
    FixedItemController(const FixedItemController&) = delete;
    FixedItemController& operator=(const FixedItemController&) = delete;

    // Virtual operations, in the order of their slots.
    bool GetDesignerVariable(const char* name, float& value) override;
    virtual ~FixedItemController();
    virtual void SetParent(FixedItem* item) { parent = item; }
    virtual void LoadFromDatabase(const std::string& name) { recordName = name; }
    virtual void SetFixedItemState(FixedItem_State state) { itemState = state; }
    virtual void HasBeenTouchedByActor(uint32_t actor);
    virtual void Update(int32_t ms);
    virtual void AnimationCallback(int32_t kind, const Name& name) = 0;
    virtual void InitialUpdate() = 0;
    virtual void TouchedByActor() = 0;

    void DropAdditionalItems(const ItemReplicaInfo& info, uint32_t count);
    uint32_t GetProxyLevel() const { return parent != nullptr ? parent->GetProxyLevel() : 0; }
    void LoadDropLoot();
    // How many items the loot record rolls: weights by count, or the two equations.
    uint32_t SelectLootNumber(const LoadTable& table);
    // One item's records from the first slot whose running chance reaches the roll.
    void SelectLoot(const LoadTable& table, std::string& base, std::string& prefix,
                    std::string& suffix, uint32_t level, ChestClassification classification);
    void RunGoldGenerator(float chance, float level, const std::string& record);

    uint32_t GetFixedItemLevel() const { return fixedItemLevel; }
    uint32_t GetTouchingActor() const { return touchingActor; }
    FixedItem_State GetItemState() const { return itemState; }
    int32_t GetSkillCountdown() const { return skillCountdown; }

protected:
    void RunSkill();
    FixedItem* GetParent() const { return parent; }
    const std::string& GetRecordName() const { return recordName; }
    // Queued on the item, so every machine carries it out.
    void Queue(std::unique_ptr<ActorConfigCommand> command);
    void QueueStateChange(FixedItem_State state, uint32_t user);

private:
    void CalculateFixedItemLevel(const LoadTable& record);
    std::string PickLootRecord(const LoadTable& record) const;
    // An equation of the record counted as an integer; 0 when empty or broken.
    int32_t EvaluateEquation(const std::string& text, const char* what);
    // Each creation takes a new object id, and a new seed when asked.
    void CreateAtDropCoords(ItemReplicaInfo info, bool newSeed);

    uint32_t fixedItemLevel = 0;
    uint32_t touchingActor = 0;
    std::string recordName;
    FixedItem* parent = nullptr;
    FixedItem_State itemState = FixedItem_None;
    PlayerInfo playerInfo;
    int32_t skillCountdown = 0;
};

} // namespace GAME
