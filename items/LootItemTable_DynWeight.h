#pragma once

#include "core/EquationInterface.h"
#include "items/LootBase.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

template <typename T> class DesignerEquation;

// A list of item records weighted by how near their level lies to a target level: only items
// inside a level window count, and a bell of percentages scales each by its distance.
class LootItemTable_DynWeight : public LootBase, public EquationInterface<float> {
    GAME_DECLARE_CLASS(LootItemTable_DynWeight)

public:
    struct Entry {
        std::string name;
        int32_t level = 0;
        uint32_t weight = 0;
        bool valid = false;
    };

    LootItemTable_DynWeight();
    void Load(const LoadTable& table) override;
    ~LootItemTable_DynWeight() override;
    void GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                     RandomUniform& random, int& depth) override;
    void SetLevel(uint32_t parentLevel, uint32_t averagePlayerLevel) override;
    void OverrideTest(std::string& base, std::string& prefix, std::string& suffix,
                      RandomUniform& random) override;

    bool GetDesignerVariable(const char* name, float& value) override;

    // The window and the bell weights; once per object, on the first roll.
    void ProcessTableData();
    void SetValidItemLevel(int32_t minLevel, int32_t maxLevel);
    void SetDynamicWeights(int32_t target);

    const std::vector<Entry>& GetEntries() const { return entries; }
    uint32_t GetTotalWeight() const { return totalWeight; }

private:
    int32_t EvaluateLevel(const std::unique_ptr<DesignerEquation<float>>& equation) const;
    void LoadEquation(const std::string& text, std::unique_ptr<DesignerEquation<float>>& equation,
                      const char* failure);

    std::string itemLevelKey = "itemLevel";
    int32_t defaultWeight = 0;
    std::vector<float> bellWeights;
    std::vector<Entry> entries;
    uint32_t totalWeight = 0;
    int32_t lowestItemLevel = 0xFFFFFF;
    int32_t highestItemLevel = 0;
    uint32_t parentLevel = 0;
    uint32_t averagePlayerLevel = 0;
    int32_t gameDifficulty = 0;
    bool processed = false;
    std::unique_ptr<DesignerEquation<float>> minItemLevelEquation;
    std::unique_ptr<DesignerEquation<float>> maxItemLevelEquation;
    std::unique_ptr<DesignerEquation<float>> targetLevelEquation;
    uint32_t overrideIndex = 0;
};

} // namespace GAME
