#include "items/LootMasterTable.h"

#include "engine/Engine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LootMasterTable, LootBase);

LootMasterTable::~LootMasterTable() = default;

void LootMasterTable::Load(const LoadTable& table)
{
    LootItemTable_FixedWeight::LoadCumulative(table, entries);
}

void LootMasterTable::SetLevel(uint32_t parentLevel, uint32_t averagePlayerLevel)
{
    level1 = parentLevel;
    level2 = averagePlayerLevel;
}

void LootMasterTable::GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                                  RandomUniform& random, int& depth)
{
    if (entries.empty() || depth <= 0)
        return;
    --depth;
    const Entry* picked = LootItemTable_FixedWeight::PickCumulative(entries, random);
    if (picked == nullptr)
        return;
    LootBase::Handle table = LootBase::Create(picked->name);
    if (table == nullptr) {
        gEngine->Log(Engine::LogData, "LootMasterTable: Unable to create LootBase (%s)",
                     picked->name.c_str());
        return;
    }
    table->SetLevel(level1, level2);
    table->SetNoBrokenItems(noBrokenItems);
    table->SetRandomizerWeightModifiers(weightModifiers);
    table->GetLootName(base, prefix, suffix, random, depth);
}

} // namespace GAME
