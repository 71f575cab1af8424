#pragma once

#include "engine/ObjectManager.h"
#include "items/ItemEquipment.h"
#include "tests/support/EngineFixture.h"

#include <initializer_list>
#include <string>

namespace GAME::Test {

// A sword, its two affixes and the item cost record, each written by the test that needs it.
class EquipmentFixture : public EngineFixture {
protected:
    static constexpr const char* kSword = "Records/Items/Sword.dbr";
    static constexpr const char* kPrefix = "Records/Items/Prefix.dbr";
    static constexpr const char* kSuffix = "Records/Items/Suffix.dbr";
    static constexpr const char* kCost = "Records/Game/ItemCost.dbr";

    void WriteSword(std::initializer_list<std::string> extra = {})
    {
        std::initializer_list<std::string> base = {"Class = WeaponMelee_Sword",
                                                   "itemNameTag = tagSword"};
        std::string text;
        for (const auto& line : base)
            text += line + "\n";
        for (const auto& line : extra)
            text += line + "\n";
        database.WriteFile(kSword, text);
    }

    // The item of the record, rolled; null when it cannot be made.
    ItemEquipment* Make(uint32_t seed, bool prefix = true, bool suffix = true)
    {
        ItemReplicaInfo info;
        info.baseName = kSword;
        info.prefixName = prefix ? kPrefix : "";
        info.suffixName = suffix ? kSuffix : "";
        info.seed = seed;
        return DynamicCast<ItemEquipment>(Item::CreateItem(info));
    }
};

} // namespace GAME::Test
