#include "characters/Player.h"

#include "ai/ControllerPlayer.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/RecordingPlayers.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kSword = "Records/Items/GiveSword.dbr";
constexpr const char* kHelm = "Records/Items/GiveHelm.dbr";
constexpr uint32_t kAttachItemPacket = 79;
constexpr uint32_t kDropItemPacket = 82;

class PlayerGiveItemTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kSword, {"Class = WeaponMelee_Sword", "bitmap = givesword.tex"});
        // A plain item no slot takes, the whole main sack in size.
        database.WriteRecord(kHelm, {"Class = ItemEquipment", "bitmap = givehelm.tex"});
        GraphicsEngine::Instance().DescribeTexture("givesword.tex", 32, 96);
        GraphicsEngine::Instance().DescribeTexture("givehelm.tex", 384, 160);
        Start();
        player = CommandLogPlayer::Create();
        // The commands are kept to be read, not run.
        player->runsCommands = false;
        controller = GiveController<ControllerPlayer>(*player);
    }

    Item* Make(const char* record)
    {
        return ObjectManager::Instance().CreateObjectFromFile<Item>(record);
    }

    CommandLogPlayer* player = nullptr;
    ControllerPlayer* controller = nullptr;
};

TEST_F(PlayerGiveItemTest, AWeaponIsEquippedAndASackTakesTheRest)
{
    Item* sword = Make(kSword);
    Item* helm = Make(kHelm);
    player->GiveItemToCharacter(sword);
    EXPECT_EQ(controller->GetEquipmentCtrl().GetPrimarySet().GetRight().itemId,
              sword->GetObjectId());
    EXPECT_TRUE(controller->GetInventoryCtrl().GetSack(0)->GetInventory().empty());

    player->GiveItemToCharacter(helm);
    ASSERT_EQ(controller->GetInventoryCtrl().GetSack(0)->GetInventory().count(helm->GetObjectId()),
              1u);
    EXPECT_EQ(player->sent, std::vector<uint32_t>{kAttachItemPacket}) << "only the sword";
}

TEST_F(PlayerGiveItemTest, AFullBagRefusesAndDropsTheItem)
{
    player->GiveItemToCharacter(Make(kHelm));  // fills the one sack
    player->GiveItemToCharacter(Make(kSword)); // takes the right hand
    Item* late = Make(kSword);
    player->GiveItemToCharacter(late);
    EXPECT_EQ(player->sent, (std::vector<uint32_t>{kAttachItemPacket, kDropItemPacket}));
    EXPECT_FALSE(controller->GiveItemToPlayer(0));
}

TEST_F(PlayerGiveItemTest, WithoutTheControllerTheItemIsOnlyHeld)
{
    player->SetControllerId(0);
    Item* sword = Make(kSword);
    sword->SetPhysicsType(0);
    player->GiveItemToCharacter(sword);
    player->GiveItemToCharacter(nullptr);
    EXPECT_EQ(player->GetInventory().GetInventoryItems(),
              std::vector<uint32_t>{sword->GetObjectId()});
    EXPECT_EQ(sword->GetPhysicsType(), 2);
    EXPECT_FALSE(player->IsSaveNeeded());
}

} // namespace
} // namespace GAME::Test
