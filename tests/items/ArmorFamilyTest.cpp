#include "items/Armor.h"
#include "items/ArmorJewelry.h"
#include "items/ArmorMisc.h"
#include "items/ArmorProtective.h"

#include "characters/Character.h"
#include "items/ItemSet.h"
#include "items/WeaponArmor_Shield.h"
#include "items/WeaponMelee_Sword.h"
#include "tests/support/EquipmentRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using ArmorFamilyTest = EquipmentFixture;

TEST_F(ArmorFamilyTest, EachClassIsMadeByNameUnderItsParentWithItsKinds)
{
    const struct {
        const char* name;
        const char* parent;
        Item_Type type;
        Market_TypeEnum market;
    } rows[] = {
        {"ArmorJewelry_Ring", "ArmorJewelry", ItemType_Ring, Market_General},
        {"ArmorJewelry_Bracelet", "ArmorJewelry", ItemType_Forearm, Market_General},
        {"ArmorJewelry_Amulet", "ArmorJewelry", ItemType_Amulet, Market_General},
        {"ArmorMisc_Vestment", "ArmorMisc", ItemType_UpperBody, Market_Armor},
        {"ArmorMisc_Clothing", "ArmorMisc", ItemType_Clothing, Market_Armor},
        {"ArmorProtective_Head", "ArmorProtective", ItemType_Head, Market_Armor},
        {"ArmorProtective_UpperBody", "ArmorProtective", ItemType_UpperBody, Market_Armor},
        {"ArmorProtective_LowerBody", "ArmorProtective", ItemType_LowerBody, Market_Armor},
        {"ArmorProtective_Forearm", "ArmorProtective", ItemType_Forearm, Market_Armor},
        {"ArmorJewelry", "Armor", ItemType_Plain, Market_General},
        {"ArmorProtective", "Armor", ItemType_Plain, Market_Armor},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto* armor = DynamicCast<Armor>(ObjectManager::Instance().CreateObject(row.name));
        ASSERT_NE(armor, nullptr);
        EXPECT_EQ(std::string(armor->GetClassInfo()->GetParent()->GetName()), row.parent);
        EXPECT_EQ(armor->GetItemType(), row.type);
        EXPECT_EQ(armor->GetItemMarketType(), row.market);
    }
}

class Wearer : public Character {
public:
    Character_Gender GetGender() const override { return shown; }
    Character_Gender shown{};
};

TEST_F(ArmorFamilyTest, TheWearersBodyPicksTheMeshAndAnUnknownBodyKeepsTheItemsOwn)
{
    database.WriteRecord("Records/Items/Helm.dbr",
                         {"Class = ArmorProtective_Head", "armorMaleMesh = male.msh",
                          "armorMaleBaseTexture = male.tex", "armorMaleBumpTexture = male.bump",
                          "armorTigermanMeshName = tiger.msh", "armorFemaleMesh = female.msh"});
    auto* helm = ObjectManager::Instance().CreateObjectFromFile<Armor>("Records/Items/Helm.dbr");
    ASSERT_NE(helm, nullptr);
    Wearer wearer;
    const struct {
        int32_t gender;
        const char* mesh;
        const char* base;
        const char* bump;
    } rows[] = {{1, "male.msh", "male.tex", "male.bump"},
                {2, "female.msh", "", ""},
                {6, "tiger.msh", "", ""},
                {7, "", "", ""},
                {0, "", "", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.gender);
        wearer.shown = static_cast<Character_Gender>(row.gender);
        helm->SetArmorGender(wearer);
        EXPECT_EQ(helm->GetMeshOverride(), row.mesh);
        EXPECT_EQ(helm->GetBaseTexture(), row.base);
        EXPECT_EQ(helm->GetBumpTexture(), row.bump);
        helm->ResetArmorGender(wearer);
        EXPECT_EQ(helm->GetMeshOverride(), "");
    }
}

TEST_F(ArmorFamilyTest, AHelmetWithAnAffixIsNamedByTheMagicalFormat)
{
    database.WriteRecord("Records/Items/Helm.dbr",
                         {"Class = ArmorProtective_Head", "itemNameTag = tagHelm"});
    database.WriteRecord(kPrefix, {"lootRandomizerName = tagShiny"});
    ItemReplicaInfo info;
    info.baseName = "Records/Items/Helm.dbr";
    info.seed = 3;
    auto* plain = DynamicCast<Armor>(Item::CreateItem(info));
    info.prefixName = kPrefix;
    auto* magical = DynamicCast<Armor>(Item::CreateItem(info));
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(magical, nullptr);
    EXPECT_EQ(plain->GetGameDescription(false), L"CommonArmorFormat tagHelm");
    EXPECT_EQ(magical->GetGameDescription(false), L"RandomMagicalArmorFormat tagHelm   tagShiny");
}

TEST_F(ArmorFamilyTest, AShieldsAffixesRaiseItsBlockOnceAndItsTextStartsWithTheBlockLine)
{
    database.WriteRecord("Records/Items/Shield.dbr",
                         {"Class = WeaponArmor_Shield", "defensiveBlockChance = 10",
                          "defensiveBlock = 50", "offensivePhysicalMin = 4"});
    database.WriteRecord(kPrefix, {"shieldBlockChanceModifier = 20", "shieldBlockModifier = 20"});
    database.WriteRecord(kSuffix, {"shieldBlockChanceModifier = 10"});
    ItemReplicaInfo info;
    info.baseName = "Records/Items/Shield.dbr";
    info.prefixName = kPrefix;
    info.suffixName = kSuffix;
    auto* shield = DynamicCast<WeaponArmor_Shield>(Item::CreateItem(info));
    ASSERT_NE(shield, nullptr);
    for (int roll = 0; roll < 2; ++roll) {
        SCOPED_TRACE(roll);
        EXPECT_FLOAT_EQ(shield->GetShieldBlockChance(), 13.0f);
        EXPECT_FLOAT_EQ(shield->GetShieldDefense(), 60.0f);
        float recorded = 0.0f;
        ASSERT_TRUE(shield->GetDesignerVariable("shieldBlockChance", recorded));
        EXPECT_FLOAT_EQ(recorded, 10.0f);
        std::vector<GameTextLine> lines;
        shield->CreateUIAttributeText(lines);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0].style, GameTextClass::ItemBaseStats);
        EXPECT_EQ(lines[0].text, L"tagShieldBlockInfo 13 60");
        shield->InitializeItem();
    }
}

TEST_F(ArmorFamilyTest, ASwordWithNoBonusesEndsItsStatisticsWithoutASeparator)
{
    WriteSword({"offensivePhysicalMin = 4", "offensivePhysicalMax = 8"});
    auto* sword = Make(1, false, false);
    ASSERT_NE(sword, nullptr);
    std::vector<GameTextLine> lines;
    sword->CreateUIAttributeText(lines);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.back().style, GameTextClass::ItemBaseStats);
    for (const GameTextLine& line : lines)
        EXPECT_NE(line.style, GameTextClass::Default);
}

TEST_F(ArmorFamilyTest, ASetShowsItsWornMembersAndItsBonusesAtTheWornCount)
{
    database.WriteRecord("Records/Sets/Bronze.dbr",
                         {"setName = tagBronze",
                          "setMembers = Records/A.dbr;Records/B.dbr;Records/C.dbr",
                          "characterStrength = 1;2;3"});
    ItemSet set;
    set.LoadFromDatabase("Records/Sets/Bronze.dbr");
    std::vector<GameTextLine> none;
    set.GetUIDisplayText(std::vector<std::string>{}, none);
    ASSERT_EQ(none.size(), 4u);

    std::vector<GameTextLine> lines;
    set.GetUIDisplayText({"records\\a.dbr", "records\\c.dbr"}, lines);
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[0].style, GameTextClass::ItemSetName);
    EXPECT_EQ(lines[1].style, GameTextClass::ItemSetComponentAvailable);
    EXPECT_EQ(lines[2].style, GameTextClass::ItemSetComponentNotAvailable);
    EXPECT_EQ(lines[3].style, GameTextClass::ItemSetComponentAvailable);
    std::vector<GameTextLine> atTwo;
    set.GetUIDisplayText(2, GameTextClass::ItemSetBonuses, atTwo);
    ASSERT_EQ(lines.size(), 4u + atTwo.size());
    EXPECT_EQ(lines[4].text, atTwo[0].text);
    EXPECT_EQ(lines[4].style, GameTextClass::ItemSetBonuses);
}

} // namespace
} // namespace GAME::Test
