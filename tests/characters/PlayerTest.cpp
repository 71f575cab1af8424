#include "characters/Player.h"

#include "ai/Controller.h"
#include "ai/ControllerPlayer.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "engine/TriggerToken.h"
#include "items/Item.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/RecordingPlayers.h"
#include "tests/support/RecordingUserInterface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {

// Opens what a player keeps to itself: its loaded fields, its tokens and its clocks.
class OpenPlayer : public Player {
    GAME_DECLARE_CLASS(OpenPlayer)

public:
    void Hold(const char* name) { heldTokens.emplace_back(name); }
    size_t HeldCount() const { return heldTokens.size(); }
    const std::vector<TriggerToken>& Pending() const { return pendingTokens; }
    int32_t AutoSaveTimer() const { return autoSaveTimer; }
    void Control(bool on) { Character::SetIsControllingCharacter(on); }
    void SetTextures(std::vector<std::string> names) { playerTextures = std::move(names); }
};

GAME_IMPLEMENT_CLASS(OpenPlayer, Player);

namespace Test {
namespace {

constexpr const char* kRecord = "Records/Creatures/PC/TestPlayer.dbr";

class PlayerTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(Player::kStubControllerRecord, {"Class = ControllerCombat"});
    }

    OpenPlayer* Load(const std::vector<std::string>& lines)
    {
        database.WriteFile(kRecord, RecordText(lines, "Class = OpenPlayer\n"));
        return Must(ObjectManager::Instance().CreateObjectFromFile<OpenPlayer>(kRecord));
    }
};

TEST_F(PlayerTest, ALoadedPlayerGetsTheStubController)
{
    Start();
    OpenPlayer* player = Load({});
    auto* controller =
        Must(ObjectManager::Instance().GetObject<Controller>(player->GetControllerId()));
    EXPECT_EQ(controller->GetObjectName(), Player::kStubControllerRecord);
}

TEST_F(PlayerTest, CalculateStunNeedsMoreThanFifteenAboveTheResistance)
{
    Start();
    auto* player = New<Player>();
    EXPECT_FLOAT_EQ(player->CalculateStun(50.0f, 100.0f, 0.0f, 30.0f), 1001.5f);
    EXPECT_EQ(player->CalculateStun(50.0f, 100.0f, 0.0f, 35.0f), 0.0f) << "equality";
    EXPECT_FLOAT_EQ(player->CalculateStun(50.0f, 100.0f, 50.0f, 0.0f), 500.75f);
    EXPECT_EQ(player->CalculateStun(50.0f, 0.0f, 0.0f, 0.0f), 0.0f);
    EXPECT_EQ(player->CalculateStun(50.0f, -1.0f, 0.0f, -1000.0f), 0.0f);
}

TEST_F(PlayerTest, SpeedCapsOfZeroLeaveTheSpeed)
{
    Start({"playerRunSpeedCapMin = 0;0;0", "playerRunSpeedCapMax = 0;0;0",
           "playerAttackSpeedCapMin = 50;50;50", "playerAttackSpeedCapMax = -1;-1;-1"});
    auto* player = New<Player>();
    EXPECT_EQ(player->CapRunSpeed(12345.0f), 12345.0f);
    EXPECT_EQ(player->CapAttackSpeed(-7.0f), -7.0f);
    EXPECT_EQ(player->CapSpellCastSpeed(3.0f), 3.0f);
}

class PlayerUpdateTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        Game().SetUI(&ui);
        player = New<OpenPlayer>();
    }

    void TearDown() override
    {
        Game().SetUI(nullptr);
        gEngine->SetLevelEditor(false);
        GameEngineFixture::TearDown();
    }

    RecordingUserInterface ui;
    OpenPlayer* player = nullptr;
};

TEST_F(PlayerUpdateTest, OnlyTheMainPlayerReportsItsSkillPoints)
{
    // A player without active skills has spent none of either kind.
    Game().SetUnspentSkillPoints(5);
    Game().SetUnspentMasteryPoints(9);
    player->UpdateSelf(16);
    EXPECT_EQ(Game().GetUnspentSkillPoints(), 5);
    EXPECT_EQ(Game().GetUnspentMasteryPoints(), 9);
    Game().GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    player->UpdateSelf(16);
    EXPECT_EQ(Game().GetUnspentSkillPoints(), 0);
    EXPECT_EQ(Game().GetUnspentMasteryPoints(), 0);
}

TEST_F(PlayerUpdateTest, PendingTokensAreTakenOnceAndAllDropped)
{
    Heard<GameEvent_GotToken> listener{"GameEvent_GotToken"};
    player->Hold("Gate");
    player->BestowToken(TriggerToken("Gate"));
    player->BestowToken(TriggerToken("Key"));
    player->BestowToken(TriggerToken("Key"));
    player->UpdateSelf(16);
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_EQ(listener.events[0].tokenName, "Key");
    EXPECT_EQ(player->HeldCount(), 2u);
    EXPECT_EQ(player->Pending().size(), 0u);
    EXPECT_FALSE(player->IsSaveNeeded()) << "the auto-save carried the mark out";
}

// The level editor restarts the timer but never saves.
TEST_F(PlayerUpdateTest, AutoSaveComesAfterSixtySecondsForTheControllingPlayer)
{
    player->Control(true);
    for (const bool editor : {false, true}) {
        SCOPED_TRACE(editor);
        gEngine->SetLevelEditor(editor);
        player->UpdateSelf(60000);
        EXPECT_EQ(ui.saves, 0) << "the timer reached 0, not below";
        player->UpdateSelf(1);
        EXPECT_EQ(ui.saves, editor ? 0 : 1);
        EXPECT_EQ(player->AutoSaveTimer(), Player::kAutoSaveInterval);
        ui.saves = 0;
    }
    EXPECT_FALSE(player->IsSaveNeeded());
}

TEST_F(PlayerUpdateTest, AQuestUpdateAsksForAQuestSaveOnTheNextFrame)
{
    player->Control(true);
    GameEvent_QuestUpdate event;
    event.flag = true;
    EventManager::Instance().Send("GameEvent_QuestUpdate", event);
    EXPECT_EQ(ui.questSaves, 0);
    player->UpdateSelf(16);
    EXPECT_EQ(ui.questSaves, 1);
    player->UpdateSelf(16);
    EXPECT_EQ(ui.questSaves, 1);
}

class PlayerRecordsTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        player = New<OpenPlayer>();
    }

    OpenPlayer* player = nullptr;
};

TEST_F(PlayerRecordsTest, TokensArePendingUntilHeldAndMatchedByName)
{
    player->BestowToken(TriggerToken("Gate"));
    EXPECT_FALSE(player->HasToken("Gate"));
    ASSERT_EQ(player->Pending().size(), 1u);

    player->Hold("Gate");
    player->Hold("Key");
    player->Hold("Gate");
    EXPECT_FALSE(player->HasToken(nullptr));
    EXPECT_EQ(player->GetTriggerTokensAsString(), "Gate, Key, Gate");
    player->RemoveToken(TriggerToken("Gate"));
    EXPECT_EQ(player->GetTriggerTokensAsString(), "Key, Gate");
    player->ClearTokens();
    EXPECT_EQ(player->GetTriggerTokensAsString(), "");
}

TEST_F(PlayerRecordsTest, ASeventhPetIsRefused)
{
    for (uint32_t id = 1; id <= 6; ++id)
        EXPECT_TRUE(player->CanAdoptAPet(id));
    EXPECT_FALSE(player->CanAdoptAPet(7));
    EXPECT_EQ(player->GetPets(), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6}));
}

TEST_F(PlayerRecordsTest, NpcRecordsReplaceButBoatMastersStay)
{
    player->AddNpcDialog({"Priest", 4});
    player->AddNpcDialog({"Smith", 5});
    player->AddNpcDialog({"Priest", 9});
    NpcDialogData dialog;
    ASSERT_TRUE(player->GetNpcDialog("Priest", dialog));
    EXPECT_EQ(dialog.actionId, 9u);
    player->RemoveNpcDialog("Priest");
    EXPECT_FALSE(player->GetNpcDialog("Priest", dialog));
    EXPECT_EQ(dialog.actionId, 9u); // a miss leaves the output alone
    EXPECT_TRUE(player->IsNpcDialog("Smith"));

    const BoatMasterData first{"Ferryman", "tagHarbour", 1, 2, 3};
    player->AddBoatMaster(first);
    player->AddBoatMaster({"Ferryman", "tagElsewhere", 7, 8, 9});
    BoatMasterData boat;
    ASSERT_TRUE(player->GetBoatMaster("Ferryman", boat));
    EXPECT_EQ(boat, first);
    EXPECT_FALSE(player->IsBoatMaster("Sailor"));
}

TEST_F(PlayerRecordsTest, TexturesClampToTheListAndEmptyNamesAreIgnored)
{
    player->PickNewTexture(0); // no list: nothing to take, nothing stored
    EXPECT_EQ(player->GetPlayerTexture(), "");
    EXPECT_FALSE(player->IsSaveNeeded());

    player->SetTextures({"skin0.tex", "skin1.tex"});
    player->PickNewTexture(7);
    EXPECT_EQ(player->GetPlayerTexture(), "skin1.tex");
    EXPECT_EQ(player->GetBaseTexture(), "skin1.tex");
    EXPECT_TRUE(player->IsSaveNeeded());
    player->PickNewTexture(0);
    EXPECT_EQ(player->GetBaseTexture(), "skin0.tex");

    player->SetPlayerTexture("");
    EXPECT_EQ(player->GetPlayerTexture(), "skin0.tex");
}

class PlayerPlacesTest : public PlayerRecordsTest {
protected:
    void SetUp() override
    {
        PlayerRecordsTest::SetUp();
        player->AutoSave();
    }

    const UniqueId first{1, 2, 3, 4};
    const UniqueId second{0xA, 0xB, 0xC, 0xD};
};

TEST_F(PlayerPlacesTest, AKnownTeleportIdChangesNothingAndMarksNoSave)
{
    player->AddTeleportUID(first);
    EXPECT_TRUE(player->IsSaveNeeded());
    player->AutoSave();

    player->AddTeleportUID(first);
    EXPECT_FALSE(player->IsSaveNeeded());
    EXPECT_EQ(player->GetTeleportUIDs(), std::vector<UniqueId>{first});
    EXPECT_FALSE(player->IsTeleportUIDKnown(second));
}

TEST_F(PlayerPlacesTest, AKnownRespawnIdThatIsNotCurrentBecomesCurrent)
{
    player->AddRespawnUID(first);
    player->AddRespawnUID(second);
    EXPECT_TRUE(player->IsCurrentRespawnPoint(second));
    player->AutoSave();

    player->AddRespawnUID(first);
    EXPECT_TRUE(player->IsCurrentRespawnPoint(first));
    EXPECT_TRUE(player->IsRespawnUIDKnown(second));
    EXPECT_TRUE(player->IsSaveNeeded());

    player->AutoSave();
    player->AddRespawnUID(first);
    EXPECT_FALSE(player->IsSaveNeeded());
}

TEST_F(PlayerPlacesTest, IdsLearnedOnNormalAreUnknownOnEpic)
{
    player->AddTeleportUID(first);
    player->AddRespawnUID(first);

    Game().SetGameDifficulty(GameDifficulty_Epic);
    EXPECT_FALSE(player->IsTeleportUIDKnown(first));
    EXPECT_FALSE(player->IsRespawnUIDKnown(first));
    EXPECT_FALSE(player->IsCurrentRespawnPoint(first));
    player->AddTeleportUID(second);
    player->ClearTeleportLocations();

    Game().SetGameDifficulty(GameDifficulty_Normal);
    EXPECT_EQ(player->GetTeleportUIDs(), std::vector<UniqueId>{first});
    EXPECT_TRUE(player->IsCurrentRespawnPoint(first));
}

TEST_F(PlayerPlacesTest, AClearedRespawnPointNamesNothingSoTheSpawnPointIsClosest)
{
    player->AddRespawnUID(first);
    player->ClearRespawnLocation();
    EXPECT_FALSE(player->IsCurrentRespawnPoint(first));
    EXPECT_TRUE(player->IsRespawnUIDKnown(first));
    EXPECT_EQ(player->GetClosestRespawnPoint(), player->GetSpawnPoint());
}

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

TEST_F(PlayerPaperDollTest, EquippingIsMirroredByACopyThatUnequippingDestroys)
{
    player->CreatePaperDoll();
    Player* doll = Must(player->GetPaperDoll());

    const uint32_t helmId = WearHelm();
    const uint32_t copyId = HeadItem(*doll);
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
}

TEST_F(PlayerPaperDollTest, WithoutADollNothingIsMirrored)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    const uint32_t helmId = WearHelm();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before + 1);
    EXPECT_EQ(HeadItem(*player), helmId);
    EXPECT_EQ(player->CreateCopy(0xDEADu), nullptr);
}

constexpr const char* kGiveSword = "Records/Items/GiveSword.dbr";
constexpr const char* kGiveHelm = "Records/Items/GiveHelm.dbr";
constexpr uint32_t kAttachItemPacket = 79;
constexpr uint32_t kDropItemPacket = 82;

class PlayerGiveItemTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kGiveSword, {"Class = WeaponMelee_Sword", "bitmap = givesword.tex"});
        // A plain item no slot takes, the whole main sack in size.
        database.WriteRecord(kGiveHelm, {"Class = ItemEquipment", "bitmap = givehelm.tex"});
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
    Item* sword = Make(kGiveSword);
    Item* helm = Make(kGiveHelm);
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
    player->GiveItemToCharacter(Make(kGiveHelm));  // fills the one sack
    player->GiveItemToCharacter(Make(kGiveSword)); // takes the right hand
    Item* late = Make(kGiveSword);
    player->GiveItemToCharacter(late);
    EXPECT_EQ(player->sent, (std::vector<uint32_t>{kAttachItemPacket, kDropItemPacket}));
    EXPECT_FALSE(controller->GiveItemToPlayer(0));
}

TEST_F(PlayerGiveItemTest, WithoutTheControllerTheItemIsOnlyHeld)
{
    player->SetControllerId(0);
    Item* sword = Make(kGiveSword);
    sword->SetPhysicsType(0);
    player->GiveItemToCharacter(sword);
    player->GiveItemToCharacter(nullptr);
    EXPECT_EQ(player->GetInventory().GetInventoryItems(),
              std::vector<uint32_t>{sword->GetObjectId()});
    EXPECT_EQ(sword->GetPhysicsType(), 2);
    EXPECT_FALSE(player->IsSaveNeeded());
}

} // namespace
} // namespace Test
} // namespace GAME
