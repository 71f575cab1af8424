#include "items/Armor.h"
#include "items/ArmorJewelry.h"
#include "items/ArmorMisc.h"
#include "items/ArmorProtective.h"

#include "characters/Character.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldCoords.h"
#include "items/ItemSet.h"
#include "items/WeaponArmor_Shield.h"
#include "items/WeaponMelee_Sword.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/EquipmentRecords.h"
#include "tests/support/Records.h"
#include "tests/support/TrimMust.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using ArmorFamilyTest = EquipmentFixture;

TEST_F(ArmorFamilyTest, EachClassIsMadeByNameWithItsKinds)
{
    const struct {
        const char* name;
        Item_Type type;
        Market_TypeEnum market;
    } rows[] = {
        {"ArmorJewelry_Ring", ItemType_Ring, Market_General},
        {"ArmorMisc_Vestment", ItemType_UpperBody, Market_Armor},
        {"ArmorProtective_LowerBody", ItemType_LowerBody, Market_Armor},
        {"ArmorProtective", ItemType_Plain, Market_Armor},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto* armor = Must(DynamicCast<Armor>(ObjectManager::Instance().CreateObject(row.name)));
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
    auto* helm =
        Must(ObjectManager::Instance().CreateObjectFromFile<Armor>("Records/Items/Helm.dbr"));
    Wearer wearer;
    const struct {
        int32_t gender;
        const char* mesh;
        const char* base;
        const char* bump;
    } rows[] = {{1, "male.msh", "male.tex", "male.bump"},
                {2, "female.msh", "", ""},
                {6, "tiger.msh", "", ""},
                {7, "", "", ""}};
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
    auto* shield = Must(DynamicCast<WeaponArmor_Shield>(Item::CreateItem(info)));
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
    auto* sword = Must(Make(1, false, false));
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

using WeaponArmor_ShieldTest = EngineFixture;

TEST_F(WeaponArmor_ShieldTest, ReadsItsBlockValuesAndPlaysItsOwnBlockSound)
{
    database.WriteRecord("Records/Block.dbr", {"Class = SoundPak"});
    database.WriteRecord("Records/Shield.dbr",
                         {"Class = WeaponArmor_Shield", "defensiveBlockChance = 12.5",
                          "defensiveBlock = 40", "blockAbsorption = 55", "blockRecoveryTime = 0.7",
                          "blockSound = Records/Block.dbr"});
    ObjectManager& objects = ObjectManager::Instance();
    auto* shield = objects.CreateObjectFromFile<WeaponArmor_Shield>("Records/Shield.dbr");
    EXPECT_EQ(shield->GetShieldBlockChance(), 12.5f);
    EXPECT_EQ(shield->GetShieldRecoveryTime(), 700); // 699 if multiplied in double precision

    auto* sound = Must(objects.GetObject<SoundPak>(shield->GetObjectId() + 1));
    const WorldCoords place(3, Coords::FromTranslation(Vec3(1.0f, 2.0f, 3.0f)));
    shield->PlayBlockSound(place);
    ASSERT_EQ(sound->GetPlayRequests().size(), 1u);
    EXPECT_EQ(sound->GetPlayRequests()[0].coords, place);

    // Reloading drops the old sound; a record that is no sound pack gives none.
    shield->Load(Record("blockRecoveryTime = 1e12\nblockSound = Records/Shield.dbr\n"));
    EXPECT_EQ(shield->GetShieldRecoveryTime(), INT32_MAX);
    EXPECT_EQ(shield->GetShieldBlockChance(), 0.0f);
    EXPECT_EQ(objects.GetObjectCount(), 1u);
    shield->PlayBlockSound(place);
}

class ItemSetTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        texts.Clear();
        texts.AddText("SimpleStringFormat", L"<%s>");
    }
    void TearDown() override
    {
        texts.Clear();
        EngineFixture::TearDown();
    }

    LocalizationManager& texts = LocalizationManager::Instance();
};

TEST_F(ItemSetTest, ListsItsMembersInRecordOrderEvenWithoutTheirRecords)
{
    database.WriteRecord(
        "Records/Item/Sets/Bronze.dbr",
        {"setMembers = Records/Item/Bronze/Helm.dbr;Records/Item/Bronze/NoRecord.dbr"});
    database.WriteRecord("Records/Item/Bronze/Helm.dbr", {"itemNameTag = tagBronzeHelm"});

    ItemSet set;
    set.LoadFromDatabase("Records/Item/Sets/Bronze.dbr");
    ASSERT_EQ(set.GetMembers().size(), 2u);
    EXPECT_EQ(set.GetMembers()[0].recordName, "records\\item\\bronze\\helm.dbr");
    EXPECT_EQ(set.GetMembers()[0].displayName, L"<tagBronzeHelm>");
    // A member without a record still belongs to the set, under an empty name tag.
    EXPECT_EQ(set.GetMembers()[1].recordName, "records\\item\\bronze\\norecord.dbr");
    EXPECT_EQ(set.GetMembers()[1].displayName, L"<>");

    // A missing record is logged and leaves the set empty.
    ItemSet gone;
    gone.LoadFromDatabase("Records/Item/Sets/Gone.dbr");
    EXPECT_EQ(log.Count(1, "ItemSet: could not load record 'Records/Item/Sets/Gone.dbr'"), 1u);
    EXPECT_TRUE(gone.GetMembers().empty());
    EXPECT_TRUE(gone.GetSetName().empty());
}

} // namespace
} // namespace GAME::Test
