#include "items/LootBase.h"

#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "items/LootItemTableRandomizer.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LootBase, Object);

LootBase::~LootBase() = default;

void LootBase::Load(const LoadTable& /*table*/) {}

void LootBase::GetLootName(std::string& /*base*/, std::string& /*prefix*/, std::string& /*suffix*/,
                           RandomUniform& /*random*/, int& /*depth*/)
{}

void LootBase::SetLevel(uint32_t /*parentLevel*/, uint32_t /*averagePlayerLevel*/) {}

void LootBase::OverrideTest(std::string& /*base*/, std::string& /*prefix*/, std::string& /*suffix*/,
                            RandomUniform& /*random*/)
{}

void LootBase::Destroyer::operator()(LootBase* table) const
{
    ObjectManager::Instance().DestroyObjectEx(table, "Project/Game/LootBase", __LINE__);
}

bool LootBase::IsLootBaseRecord(const std::string& record)
{
    if (record.empty())
        return false;
    const LoadTable* table = ObjectManager::Instance().GetDatabase().FindLoadTable(record);
    if (table == nullptr)
        return false;
    const std::string className = table->GetString("Class");
    const RTTI_ClassInfo* info = Object::classInfo.FindClass(className.c_str());
    return info != nullptr && info->IsA(LootBase::classInfo);
}

LootBase::Handle LootBase::Create(const std::string& record)
{
    if (!IsLootBaseRecord(record))
        return Handle();
    return Handle(ObjectManager::Instance().CreateObjectFromFile<LootBase>(record));
}

void LootBase::RollAffixes(std::string& prefix, std::string& suffix, RandomUniform& random,
                           bool overrideTest) const
{
    LootItemTableRandomizer randomizer;
    randomizer.LoadFromDatabase(GetObjectName());
    if (overrideTest) {
        randomizer.OverrideWeightsAndChance();
    } else {
        randomizer.SetWeightModifiers(weightModifiers);
        if (noBrokenItems)
            randomizer.SetNoBrokenItems();
    }
    randomizer.GetRandomizerNames(prefix, suffix, random);
}

} // namespace GAME
