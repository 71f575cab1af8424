#include "characters/Player.h"

#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "items/Item.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"

namespace GAME {
namespace {

using Test::StartedFixture;

using Test::Must;

constexpr const char* kHero = "Records/Creatures/PC/Hero.dbr";
constexpr const char* kHelm = "Records/Items/Helm.dbr";

class PlayerPaperDollTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        database.WriteRecord(kHero, {"Class = Player"});
        database.WriteRecord(kHelm, {"Class = Item"});
        player = Must(ObjectManager::Instance().CreateObjectFromFile<Player>(kHero));
    }

    // A helm from the player's pack put on its head.
    uint32_t WearHelm()
    {
        Item* helm = ObjectManager::Instance().CreateObjectFromFile<Item>(kHelm);
        player->GetInventory().AddItemToInventory(helm->GetObjectId(), false);
        player->AttachItemAction(helm->GetObjectId(), EquipLocations_Head);
        return helm->GetObjectId();
    }

    static uint32_t HeadItem(const Player& someone)
    {
        for (const EquipManagerContainer& worn : someone.GetAttachedItems()) {
            if (worn.location == EquipLocations_Head)
                return worn.itemId;
        }
        return 0;
    }

    Player* player = nullptr;
};

TEST_F(PlayerPaperDollTest, TheDollIsACopyStandingInABoxOfItsOwn)
{
    player->CreatePaperDoll();
    Player* doll = Must(player->GetPaperDoll());
    EXPECT_NE(doll, player);
    EXPECT_EQ(doll->GetObjectName(), kHero);
    EXPECT_TRUE(doll->IsCopy());
    EXPECT_FALSE(doll->IsControllingCharacter());
    EXPECT_EQ(doll->GetLightId(), 0u);

    Region* region = Must(player->GetPaperDollRegion());
    EXPECT_EQ(region->GetBounds(), ABBox(Vec3(0.0f, 0.0f, 0.0f), Vec3(20.0f, 20.0f, 20.0f)));
    EXPECT_EQ(region->GetEntityIds(), std::vector<uint32_t>{doll->GetObjectId()});

    player->SetPlayerTexture("skin2.tex");
    EXPECT_EQ(doll->GetBaseTexture(), "skin2.tex");
}

TEST_F(PlayerPaperDollTest, EquippingIsMirroredByACopyThatUnequippingDestroys)
{
    player->CreatePaperDoll();
    Player* doll = Must(player->GetPaperDoll());

    const uint32_t helmId = WearHelm();
    const uint32_t copyId = HeadItem(*doll);
    ASSERT_NE(copyId, 0u);
    EXPECT_NE(copyId, helmId);
    Object* copy = Must(ObjectManager::Instance().GetObject(copyId));
    EXPECT_EQ(copy->GetObjectName(), kHelm);

    player->DetachItemAction(helmId);
    EXPECT_EQ(HeadItem(*doll), 0u);
    EXPECT_TRUE(doll->GetInventoryItems().empty());
    EXPECT_EQ(ObjectManager::Instance().GetObject(copyId), nullptr);
    EXPECT_NE(ObjectManager::Instance().GetObject(helmId), nullptr);

    // The pair is forgotten: a second unequip of the same item reaches nothing.
    player->DetachItemAction(helmId);
    EXPECT_NE(ObjectManager::Instance().GetObject(helmId), nullptr);
}

TEST_F(PlayerPaperDollTest, ANewDollTakesTheOldOneAndItsItemsAway)
{
    player->CreatePaperDoll();
    const uint32_t oldDollId = player->GetPaperDoll()->GetObjectId();
    WearHelm();
    const uint32_t oldCopyId = HeadItem(*player->GetPaperDoll());
    ASSERT_NE(oldCopyId, 0u);

    player->CreatePaperDoll();
    ObjectManager& objects = ObjectManager::Instance();
    EXPECT_EQ(objects.GetObject(oldDollId), nullptr);
    EXPECT_EQ(objects.GetObject(oldCopyId), nullptr);
    ASSERT_NE(player->GetPaperDoll(), nullptr);
    EXPECT_NE(player->GetPaperDoll()->GetObjectId(), oldDollId);
}

TEST_F(PlayerPaperDollTest, WithoutADollNothingIsMirrored)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    const uint32_t helmId = WearHelm();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before + 1);
    EXPECT_EQ(HeadItem(*player), helmId);
    EXPECT_EQ(player->CreateCopy(0xDEADu), nullptr);
}

} // namespace
} // namespace GAME
