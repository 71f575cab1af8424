#include "characters/Player.h"

#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/TriggerToken.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"

namespace GAME {

// Hands the tests the sound packs and the clock a loaded, updating player would have.
class RecordsTestPlayer : public Player {
    GAME_DECLARE_CLASS(RecordsTestPlayer)

public:
    static SoundPak* NewPak()
    {
        return DynamicCast<SoundPak>(ObjectManager::Instance().CreateObject("SoundPak"));
    }
    void GiveVoices()
    {
        notEnoughManaSound = NewPak()->GetObjectId();
        invalidEquipmentSound = NewPak()->GetObjectId();
        lockedChestSound = NewPak()->GetObjectId();
    }
    size_t ManaPlays() const { return GetSoundPak(notEnoughManaSound)->GetPlayRequests().size(); }
    size_t ChestPlays() const { return GetSoundPak(lockedChestSound)->GetPlayRequests().size(); }
    void Control(bool on) { Character::SetIsControllingCharacter(on); }
    // Time passing for the voice cool-downs, as the frame counts them down.
    void Pass(int32_t ms)
    {
        for (int32_t* cooldown :
             {&lockedChestCooldown, &skillVoxSameCooldown, &skillVoxAnyCooldown})
            *cooldown -= ms;
    }
    void Hold(const char* name) { heldTokens.emplace_back(name); }
    const std::vector<TriggerToken>& Pending() const { return pendingTokens; }
    void SetTextures(std::vector<std::string> names) { playerTextures = std::move(names); }
};

GAME_IMPLEMENT_CLASS(RecordsTestPlayer, Player);

namespace {

class PlayerRecordsTest : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        player = DynamicCast<RecordsTestPlayer>(
            ObjectManager::Instance().CreateObject("RecordsTestPlayer"));
        ASSERT_NE(player, nullptr);
    }

    RecordsTestPlayer* player = nullptr;
};

TEST_F(PlayerRecordsTest, TokensArePendingUntilHeldAndMatchedByName)
{
    player->BestowToken(TriggerToken("Gate"));
    EXPECT_FALSE(player->HasToken("Gate"));
    ASSERT_EQ(player->Pending().size(), 1u);

    player->Hold("Gate");
    player->Hold("Key");
    player->Hold("Gate");
    EXPECT_TRUE(player->HasToken("Key"));
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
    EXPECT_FALSE(player->IsNpcDialog("Priest"));
    EXPECT_FALSE(player->GetNpcDialog("Priest", dialog));
    EXPECT_EQ(dialog.actionId, 9u); // a miss leaves the output alone
    EXPECT_TRUE(player->IsNpcDialog("Smith"));

    player->AddNpcIllumination({"Priest", 1});
    player->AddNpcIllumination({"Priest", 2});
    NpcIlluminationData light;
    ASSERT_TRUE(player->GetNpcIllumination("Priest", light));
    EXPECT_EQ(light.actionId, 2u);
    player->RemoveNpcIllumination("Priest");
    EXPECT_FALSE(player->IsNpcIllumination("Priest"));

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

TEST_F(PlayerRecordsTest, SkillVoicesWaitLongForTheSameSkillAndShortForAny)
{
    player->GiveVoices();
    player->Control(true);

    player->PlayNotEnoughManaVox(10);
    player->Pass(5000);
    player->PlayNotEnoughManaVox(10);
    EXPECT_EQ(player->ManaPlays(), 1u);

    player->Pass(4000); // same-skill wait over too
    player->PlayNotEnoughManaVox(10);
    EXPECT_EQ(player->ManaPlays(), 2u);
    player->Pass(4000);
    player->PlayNotEnoughManaVox(11);
    EXPECT_EQ(player->ManaPlays(), 3u);

    player->Pass(2999);
    player->PlayNotEnoughManaVox(12);
    player->PlayInvalidEquipmentVox(13); // the short wait is shared by every skill voice
    EXPECT_EQ(player->ManaPlays(), 3u);

    player->Pass(1);
    player->ResetSkillVox();
    player->PlayNotEnoughManaVox(11);
    EXPECT_EQ(player->ManaPlays(), 4u);
}

TEST_F(PlayerRecordsTest, VoicesSpeakOnlyForTheControllingCharacter)
{
    player->GiveVoices();
    player->PlayNotEnoughManaVox(10);
    player->PlayLockedChestVox();
    EXPECT_EQ(player->ManaPlays(), 0u);
    EXPECT_EQ(player->ChestPlays(), 0u);

    player->Control(true);
    player->PlayLockedChestVox();
    player->Pass(7999);
    player->PlayLockedChestVox();
    EXPECT_EQ(player->ChestPlays(), 1u);
    player->Pass(1);
    player->PlayLockedChestVox();
    EXPECT_EQ(player->ChestPlays(), 2u);
}

TEST_F(PlayerRecordsTest, WithoutAClassTheRolloverIsTheName)
{
    player->SetPlayerName(L"Ajax");
    EXPECT_EQ(player->GetClassTag(), "");
    EXPECT_EQ(player->GetClassNameA(), L"");
    EXPECT_EQ(player->GetRolloverDescription(), L"Ajax");
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

TEST_F(PlayerPlacesTest, AKnownTeleportOrMarkerIdChangesNothingAndMarksNoSave)
{
    player->AddTeleportUID(first);
    player->AddMarkerUID(second);
    EXPECT_TRUE(player->IsSaveNeeded());
    player->AutoSave();

    player->AddTeleportUID(first);
    player->AddMarkerUID(second);
    EXPECT_FALSE(player->IsSaveNeeded());
    EXPECT_EQ(player->GetTeleportUIDs(), std::vector<UniqueId>{first});
    EXPECT_EQ(player->GetMarkerUIDs(), std::vector<UniqueId>{second});
    EXPECT_FALSE(player->IsTeleportUIDKnown(second));
    EXPECT_FALSE(player->IsMarkerUIDKnown(first));
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
    player->AddMarkerUID(first);
    player->AddRespawnUID(first);

    Game().SetGameDifficulty(GameDifficulty_Epic);
    EXPECT_FALSE(player->IsTeleportUIDKnown(first));
    EXPECT_FALSE(player->IsMarkerUIDKnown(first));
    EXPECT_FALSE(player->IsRespawnUIDKnown(first));
    EXPECT_FALSE(player->IsCurrentRespawnPoint(first));
    EXPECT_TRUE(player->GetTeleportUIDs().empty());
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

TEST_F(PlayerPlacesTest, DumpsNameEachIdAndWhetherItIsPlaced)
{
    player->AddTeleportUID(UniqueId(0x1f, 2, 3, 0xabc));
    player->AddRespawnUID(second);
    GAME::Test::LogCapture log;
    player->DumpTeleportIds();
    player->DumpRespawnIds();
    const std::vector<GAME::Test::LogCapture::Line> expected = {
        {0, "^bTeleport UIDs:"},
        {0, "^b   ID (1f:2:3:abc)  eData Not Found"},
        {0, "^bRespawn UID (a:b:c:d)  eData Not Found"},
    };
    EXPECT_EQ(log.GetLines(), expected);
}

} // namespace
} // namespace GAME
