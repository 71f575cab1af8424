#include "items/LootItemTable_DynWeight.h"

#include "core/DesignerEquation_Algebra.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/LootWeights.h"

#include <algorithm>
#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(LootItemTable_DynWeight, LootBase);

LootItemTable_DynWeight::LootItemTable_DynWeight() = default;
LootItemTable_DynWeight::~LootItemTable_DynWeight() = default;

void LootItemTable_DynWeight::Load(const LoadTable& table)
{
    std::vector<std::string> itemNames;
    table.GetStringList("itemNames", itemNames);
    defaultWeight = SaturateToInt(table.GetFloat("defaultWeight", 0.0f));
    table.GetFloatList("bellSlope", bellWeights);
    // The trailing blank and the doubled one belong to the lines designers search the log for.
    LoadEquation(table.GetString("minItemLevelEquation"), minItemLevelEquation,
                 "-=- LootItemTable_DynWeight:: Equation  load failure : minItemLevelEquation ");
    LoadEquation(table.GetString("maxItemLevelEquation"), maxItemLevelEquation,
                 "-=- LootItemTable_DynWeight:: Equation  load failure : maxItemLevelEquation ");
    LoadEquation(table.GetString("targetLevelEquation"), targetLevelEquation,
                 "-=- LootItemTable_DynWeight:: Equation  load failure : targetLevelEquation ");

    Database& database = ObjectManager::Instance().GetDatabase();
    entries.clear();
    entries.reserve(itemNames.size());
    for (std::string& name : itemNames) {
        if (name.empty())
            continue;
        const LoadTable* item = database.FindLoadTable(name);
        const int32_t level = item != nullptr ? item->GetInt(itemLevelKey.c_str(), 0) : 0;
        entries.push_back({std::move(name), level, LootWeight(defaultWeight), false});
        lowestItemLevel = std::min(lowestItemLevel, level);
        highestItemLevel = std::max(highestItemLevel, level);
    }
}

void LootItemTable_DynWeight::LoadEquation(const std::string& text,
                                           std::unique_ptr<DesignerEquation<float>>& equation,
                                           const char* failure)
{
    equation.reset();
    if (text.empty())
        return;
    auto parsed = std::make_unique<DesignerEquation_Algebra>();
    if (parsed->ParseEquation(text.c_str(), this))
        equation = std::move(parsed);
    else
        gEngine->Log(Engine::LogData, "%s", failure);
}

void LootItemTable_DynWeight::SetLevel(uint32_t parent, uint32_t averagePlayer)
{
    parentLevel = parent;
    averagePlayerLevel = averagePlayer;
}

bool LootItemTable_DynWeight::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    if (name == nullptr)
        return false;
    if (IsDesignerName(name, "minPlayerLevel") || IsDesignerName(name, "maxPlayerLevel") ||
        IsDesignerName(name, "numberOfPlayers"))
        value = 1.0f;
    else if (IsDesignerName(name, "gameDifficulty"))
        value = static_cast<float>(gameDifficulty);
    else if (IsDesignerName(name, "parentLevel"))
        value = static_cast<float>(parentLevel);
    else if (IsDesignerName(name, "averagePlayerLevel"))
        value = static_cast<float>(averagePlayerLevel);
    else
        return false;
    return true;
}

int32_t LootItemTable_DynWeight::EvaluateLevel(
    const std::unique_ptr<DesignerEquation<float>>& equation) const
{
    // Rounded, and saturated: a formula may give anything, NaN included.
    const int32_t level =
        equation != nullptr ? SaturateToInt(static_cast<double>((*equation)()) + 0.5) : 0;
    return std::min(std::max(level, lowestItemLevel), highestItemLevel);
}

void LootItemTable_DynWeight::ProcessTableData()
{
    processed = true;
    gameDifficulty = gGameEngine != nullptr ? GameEngine::Get().GetGameDifficulty() : 0;
    const int32_t minLevel = EvaluateLevel(minItemLevelEquation);
    const int32_t maxLevel = EvaluateLevel(maxItemLevelEquation);
    SetValidItemLevel(minLevel, maxLevel);
    SetDynamicWeights(EvaluateLevel(targetLevelEquation));
}

void LootItemTable_DynWeight::SetValidItemLevel(int32_t minLevel, int32_t maxLevel)
{
    bool any = false;
    for (Entry& entry : entries) {
        entry.valid = minLevel <= entry.level && entry.level <= maxLevel;
        any = any || entry.valid;
    }
    if (any || entries.empty())
        return;
    // Nothing in the window: the nearest item below it, else the first one listed.
    Entry* fallback = nullptr;
    for (Entry& entry : entries) {
        if (entry.level < minLevel && entry.level > 0 &&
            (fallback == nullptr || entry.level > fallback->level))
            fallback = &entry;
    }
    (fallback != nullptr ? *fallback : entries.front()).valid = true;
}

void LootItemTable_DynWeight::SetDynamicWeights(int32_t target)
{
    // Without a bell the valid items keep their weights; left unsummed, nothing could be picked.
    const bool scaled = !bellWeights.empty();
    for (Entry& entry : entries) {
        if (!entry.valid)
            continue;
        if (scaled) {
            const float distance = std::fabs(static_cast<float>(static_cast<int64_t>(entry.level) -
                                                                static_cast<int64_t>(target)));
            const int64_t d = SaturateToInt(distance);
            if (d < static_cast<int64_t>(bellWeights.size())) {
                const int64_t percent = LootWeight(SaturateToInt(bellWeights[d]));
                entry.weight = LootWeight(percent * entry.weight / 100);
            }
        }
        totalWeight = AddLootWeight(totalWeight, entry.weight);
    }
}

void LootItemTable_DynWeight::GetLootName(std::string& base, std::string& prefix,
                                          std::string& suffix, RandomUniform& random,
                                          int& /*depth*/)
{
    if (!processed)
        ProcessTableData();
    if (entries.empty())
        return;
    // A total of 0 draws from 0..0, which no running sum exceeds.
    const int64_t roll = random.IGenerate(0, LootCumulativeBound(totalWeight));
    int64_t runningSum = 0;
    for (const Entry& entry : entries) {
        if (!entry.valid)
            continue;
        runningSum += entry.weight;
        if (runningSum > roll) {
            base = entry.name;
            RollAffixes(prefix, suffix, random);
            return;
        }
    }
}

void LootItemTable_DynWeight::OverrideTest(std::string& base, std::string& prefix,
                                           std::string& suffix, RandomUniform& random)
{
    NextOverride(entries, overrideIndex, base, prefix, suffix, random);
}

} // namespace GAME
