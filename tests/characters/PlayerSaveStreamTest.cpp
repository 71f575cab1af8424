#include "characters/Player.h"

#include "ai/ControllerPlayer.h"
#include "characters/CharacterBio.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/PlayerGameInterface.h"
#include "characters/PlayerReplicationRecord.h"
#include "characters/PlayerSave_UISetting.h"
#include "engine/ConnectionManager.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/TriggerToken.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Opens the fields the save carries to the test.
class SavedPlayer : public Player {
public:
    using Player::alternateConfigEnabled;
    using Player::heldTokens;
    using Player::markerIds;
    using Player::pendingTokens;
    using Player::respawnIds;
    using Player::strategicMovementRespawnPoints;
    using Player::teleportIds;
};

class RecordingInterface : public PlayerGameInterface {
public:
    void RestoreUISettings(PlayerSave_UISetting& settings) override
    {
        restored.push_back(settings);
    }
    std::vector<PlayerSave_UISetting> restored;
};

// The player's own block written by hand, so that the reader is checked against the layout
// rather than against itself. The blocks that follow are left out.
struct OwnBlock {
    uint32_t version = 5;
    uint32_t pageCount = 36;
    std::vector<int32_t> pages;
    int32_t teleportVersion = 1;
    uint32_t epicTeleports = 1;
    int32_t markerVersion = 1;
    int32_t respawnVersion = 1;
    uint32_t epicMarkersAndRespawns = 0;
    int32_t respawnPointVersion = 1;
    int32_t temp = 1;

    std::vector<uint8_t> Write() const
    {
        IOStreamWrite out;
        const auto Int = [&out](const char* key, int32_t value) { out.StreamInt(key, value); };
        const auto UInt = [&out](const char* key, uint32_t value) { out.StreamUInt(key, value); };
        UInt("playerVersion", version);
        out.BeginBlock();
        std::wstring name = L"Hand";
        out.StreamWideString("myPlayerName", name);
        bool no = false, yes = true;
        if (version >= 5)
            out.StreamBool("isInMainQuest", no);
        out.StreamBool("disableAutoPopV2", yes);
        UInt("numTutorialPagesV2", pageCount);
        for (uint32_t i = 0; i < pageCount; ++i)
            Int("currentPageV2", i < pages.size() ? pages[i] : -1);
        Group(out, "versionCheckTeleportInfo", teleportVersion, "teleportUIDsSize", "teleportUID",
              epicTeleports);
        Group(out, "versionCheckMovementInfo", markerVersion, "markerUIDsSize", "markerUID",
              epicMarkersAndRespawns);
        Group(out, "versionCheckRespawnInfo", respawnVersion, "respawnUIDsSize", "respawnUID",
              epicMarkersAndRespawns);
        Int("versionRespawnPoint", respawnPointVersion);
        for (int i = 0; i < 3 && respawnPointVersion == 1; ++i) {
            UniqueId point(0, 0, 0, static_cast<uint32_t>(i + 1));
            out.StreamUniqueId("strategicMovementRespawnPoint[i]", point);
        }
        UInt("money", 250);
        Int("compassState", 2);
        out.StreamBool("skillWindowShowHelp", no);
        out.StreamBool("alternateConfig", yes);
        out.StreamBool("alternateConfigEnabled", yes);
        std::string texture = "hand.tex";
        out.StreamString("playerTexture", texture);
        if (version >= 3)
            Int("temp", temp);
        if (version >= 4)
            out.StreamBool("hasBeenInGame", yes);
        out.EndBlock();
        return out.GetBytes();
    }

    static void Group(IOStreamWrite& out, const char* versionKey, int32_t groupVersion,
                      const char* sizeKey, const char* idKey, uint32_t epicCount)
    {
        out.StreamInt(versionKey, groupVersion);
        if (groupVersion != 1)
            return;
        for (uint32_t difficulty = 0; difficulty < 3; ++difficulty) {
            uint32_t size = difficulty == 1 ? epicCount : 0;
            out.StreamUInt(sizeKey, size);
            for (uint32_t i = 0; i < size && i < 4; ++i) {
                UniqueId id(7, 7, 7, i);
                out.StreamUniqueId(idKey, id);
            }
        }
    }
};

class PlayerSaveStreamTest : public StartedFixture {
protected:
    // A player with something in every field the save keeps.
    void Play(SavedPlayer& player)
    {
        player.SetPlayerName(L"H\u00e9ro");
        player.SetIsInMainQuest(false);
        player.teleportIds[1] = {UniqueId(1, 2, 3, 4)};
        player.teleportIds[2] = {UniqueId(5, 6, 7, 8), UniqueId(9, 9, 9, 9)};
        player.markerIds[0] = {UniqueId(10, 0, 0, 1)};
        player.respawnIds[2] = {UniqueId(11, 0, 0, 2)};
        player.strategicMovementRespawnPoints[1] = UniqueId(11, 0, 0, 3);
        player.AddMoney(1234);
        player.SetCompassState(-2);
        player.SetSkillWindowShowsHelp(false);
        player.alternateConfigEnabled = true;
        player.SetGreatestDifficultyCompleted(static_cast<GameDifficulty>(1));
        player.SetHasBeenInGame(true);
        player.ReceiveExperience(5000, true);
        Game().UnlockTutorialPage(4, false);
        Game().UnlockTutorialPage(20, false);
        Game().SetDisableTutorialAutoPop(true);
    }
};

TEST_F(PlayerSaveStreamTest, APlayedPlayerReadIntoANewOneIsEqualAndWritesTheSameBytes)
{
    SavedPlayer played;
    Play(played);
    const std::vector<uint8_t> bytes = Streamed(played);
    Game().ResetTutorialState();

    SavedPlayer loaded;
    ASSERT_TRUE(ReadBack(loaded, bytes));
    EXPECT_EQ(Game().GetTutorialUnlockList(), (std::vector<int32_t>{4, 20}));
    // Every field came back: the reloaded player saves byte for byte alike.
    EXPECT_EQ(Streamed(loaded), bytes);
}

TEST_F(PlayerSaveStreamTest, AReadHandsTheSavedUISettingsOn)
{
    SavedPlayer player;
    RecordingInterface screen;
    SavedPlayer loaded;
    loaded.SetGameInterface(&screen);
    ASSERT_TRUE(ReadBack(loaded, Streamed(player)));
    ASSERT_EQ(screen.restored.size(), 1u);
    EXPECT_TRUE(screen.restored[0].skillBar[0].active);
    EXPECT_FALSE(screen.restored[0].skillBar[1].active);
}

TEST_F(PlayerSaveStreamTest, VersionsPageCountsAndGroupVersionsGateWhatIsRead)
{
    OwnBlock layout;
    layout.pages = {4, 36, 7, -5};
    SavedPlayer current;
    ReadBack(current, layout.Write());
    EXPECT_FALSE(current.IsInMainQuest());
    EXPECT_EQ(Game().GetTutorialUnlockList(), (std::vector<int32_t>{4, 7}));
    EXPECT_EQ(log.Count(1, "Player: saved tutorial pages the game lacks passed over: 2"), 1u);
    EXPECT_EQ(current.teleportIds[1], std::vector<UniqueId>{UniqueId(7, 7, 7, 0)});
    EXPECT_EQ(current.GetCurrentMoney(), 250u);
    EXPECT_TRUE(current.GetHasBeenInGame());

    layout.pageCount = 35; // consumed, nothing unlocked
    layout.teleportVersion = 2;
    SavedPlayer older;
    ReadBack(older, layout.Write());
    EXPECT_TRUE(Game().GetTutorialUnlockList().empty());
    EXPECT_TRUE(older.teleportIds[1].empty());
    EXPECT_EQ(older.GetCurrentMoney(), 250u); // the keys after the skipped group still line up

    layout.version = 4;
    SavedPlayer four;
    ReadBack(four, layout.Write());
    EXPECT_TRUE(four.IsInMainQuest());
    EXPECT_TRUE(four.GetHasBeenInGame());
    layout.version = 2;
    SavedPlayer two;
    ReadBack(two, layout.Write());
    EXPECT_FALSE(two.GetHasBeenInGame());
    EXPECT_EQ(two.GetGreatestDifficultyCompleted(), static_cast<GameDifficulty>(0));
}

TEST_F(PlayerSaveStreamTest, EachPlaceGroupVersionSkipsOnlyItsOwnKeys)
{
    OwnBlock layout;
    layout.epicMarkersAndRespawns = 1;
    SavedPlayer all;
    ReadBack(all, layout.Write());
    EXPECT_EQ(all.markerIds[1], std::vector<UniqueId>{UniqueId(7, 7, 7, 0)});
    EXPECT_EQ(all.respawnIds[1], std::vector<UniqueId>{UniqueId(7, 7, 7, 0)});
    EXPECT_EQ(all.strategicMovementRespawnPoints[0], UniqueId(0, 0, 0, 1));

    layout.markerVersion = 0;
    layout.respawnVersion = 2;
    layout.respawnPointVersion = 7;
    SavedPlayer skipped;
    ReadBack(skipped, layout.Write());
    EXPECT_EQ(skipped.teleportIds[1], std::vector<UniqueId>{UniqueId(7, 7, 7, 0)});
    EXPECT_TRUE(skipped.markerIds[1].empty());
    EXPECT_TRUE(skipped.respawnIds[1].empty());
    for (const UniqueId& point : skipped.strategicMovementRespawnPoints)
        EXPECT_EQ(point, UniqueId());
    EXPECT_EQ(skipped.GetCurrentMoney(), 250u);

    layout.markerVersion = 1; // only the respawn list is skipped; the point is read again
    layout.respawnPointVersion = 1;
    SavedPlayer respawnOnly;
    ReadBack(respawnOnly, layout.Write());
    EXPECT_EQ(respawnOnly.markerIds[1].size(), 1u);
    EXPECT_TRUE(respawnOnly.respawnIds[1].empty());
    EXPECT_EQ(respawnOnly.strategicMovementRespawnPoints[2], UniqueId(0, 0, 0, 3));
}

TEST_F(PlayerSaveStreamTest, HostileCountsAndDifficultiesAreRefused)
{
    OwnBlock layout;
    layout.temp = 9;
    SavedPlayer odd;
    ReadBack(odd, layout.Write());
    EXPECT_EQ(odd.GetGreatestDifficultyCompleted(), static_cast<GameDifficulty>(0)); // stored 3

    layout.epicTeleports = 65537;
    SavedPlayer flooded;
    IOStreamRead reader(layout.Write());
    flooded.StreamProperties(&reader);
    EXPECT_EQ(reader.GetRefusal(),
              "is damaged: its teleportUIDsSize of 65537 lies outside 0 to 65536");
    EXPECT_TRUE(flooded.teleportIds[1].empty());
    EXPECT_EQ(log.Count(1, "Player: saved \"teleportUIDsSize\" of 65537 refused"), 1u);

    layout.epicTeleports = 65536; // allowed, but the stream holds only four: stops there
    SavedPlayer cut;
    EXPECT_FALSE(ReadBack(cut, layout.Write()));
    EXPECT_EQ(cut.teleportIds[1].size(), 4u);
}

TEST_F(PlayerSaveStreamTest, ASaveOfANewerVersionIsRefusedBeforeItsFields)
{
    OwnBlock layout;
    layout.version = 6;
    SavedPlayer newer;
    IOStreamRead reader(layout.Write());
    newer.StreamProperties(&reader);
    EXPECT_TRUE(reader.HasFailed());
    EXPECT_EQ(reader.GetRefusal(),
              "was written by a newer game: its playerVersion is 6, this game reads up to 5");
    EXPECT_EQ(log.Count(1, "Player: saved playerVersion 6 is newer than 5; refused"), 1u);
    EXPECT_EQ(newer.GetCurrentMoney(), 0u);
}

TEST_F(PlayerSaveStreamTest, EveryTruncationOfASaveFails)
{
    SavedPlayer played;
    Play(played);
    const std::vector<uint8_t> bytes = Streamed(played);
    for (size_t size = 8; size < bytes.size(); size += 13) {
        SavedPlayer loaded;
        EXPECT_FALSE(ReadBack(loaded, {bytes.begin(), bytes.begin() + static_cast<long>(size)}))
            << size;
    }
}

TEST_F(PlayerSaveStreamTest, ControllerBlocksAreStreamedOrPassedOver)
{
    auto* controller = New<ControllerPlayer>();
    SavedPlayer played;
    played.SetControllerId(controller->GetObjectId());
    const std::vector<uint8_t> bytes = Streamed(played);
    EXPECT_NE(Described(bytes).find("bool controllerStreamed = true\n{\n"), std::string::npos);

    SavedPlayer withController;
    withController.SetControllerId(controller->GetObjectId());
    EXPECT_TRUE(ReadBack(withController, bytes));
    EXPECT_EQ(log.CountContaining("passed over"), 0u);

    SavedPlayer without; // the hot slots after the three blocks are still read in step
    EXPECT_TRUE(ReadBack(without, bytes));
    EXPECT_EQ(log.Count(1, "Player: saved inventory and equipment passed over, no player "
                           "controller"),
              1u);
    EXPECT_NE(Described(Streamed(without)).find("bool controllerStreamed = false\n"),
              std::string::npos);
}

TEST_F(PlayerSaveStreamTest, HeldTokensComeBackPendingAndBadCountsFailTheStream)
{
    SavedPlayer holder;
    holder.heldTokens = {TriggerToken("bridge"), TriggerToken("gate")};
    IOStreamWrite out;
    EXPECT_TRUE(holder.StreamPropertiesQuestTokens(&out));
    EXPECT_EQ(Described(out.GetBytes()),
              "int versionNumber = 1\n{\n  int numberOfTriggerTokens = 2\n"
              "  string tokenName = \"bridge\"\n"
              "  string tokenName = \"gate\"\n}\n");
    SavedPlayer loaded;
    IOStreamRead in(out.GetBytes());
    EXPECT_TRUE(loaded.StreamPropertiesQuestTokens(&in));
    EXPECT_FALSE(in.HasFailed());
    EXPECT_TRUE(loaded.heldTokens.empty());
    EXPECT_EQ(loaded.pendingTokens, holder.heldTokens);

    for (int32_t count : {-1, 65537}) {
        IOStreamWrite hostile;
        int32_t version = 1;
        hostile.StreamInt("versionNumber", version);
        hostile.BeginBlock();
        hostile.StreamInt("numberOfTriggerTokens", count);
        std::string name = "x";
        hostile.StreamString("tokenName", name);
        hostile.EndBlock();
        IOStreamRead read(hostile.GetBytes());
        SavedPlayer fresh;
        fresh.StreamPropertiesQuestTokens(&read);
        EXPECT_TRUE(read.HasFailed()) << count;
        EXPECT_TRUE(fresh.pendingTokens.empty()) << count;
    }
    EXPECT_EQ(log.Count(1, "Player: saved \"numberOfTriggerTokens\" of 65537 refused"), 1u);
}

class PlayerReplicationTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        source = NewPlayer();
        copy = NewPlayer();
    }

    // With the five base attributes, so that the bio keeps what it is given.
    static Player* NewPlayer()
    {
        auto* player = New<Player>();
        player->GetCharacterBio().Load(
            Record("characterLife = 1\ncharacterMana = 1\ncharacterStrength = 1\n"
                   "characterDexterity = 1\ncharacterIntelligence = 1"));
        return player;
    }

    // What the source sends when spawned elsewhere, as the transport carries it.
    std::vector<uint8_t> SpawnMessage()
    {
        SpawnPlayerPacket packet;
        packet.objectId = source->GetObjectId();
        const uint32_t size = packet.PrepareOutBuffer();
        return {packet.GetOutBuffer(), packet.GetOutBuffer() + size};
    }

    Player* source = nullptr;
    Player* copy = nullptr;
};

TEST_F(PlayerReplicationTest, ASpawnedCopyTakesNameStatsMoneyAndLevel)
{
    source->SetPlayerName(L"Ana");
    source->GetCharacterBio().RestoreCurrentBioStats({.currentLife = 250,
                                                      .currentMana = 40,
                                                      .baseLife = 300,
                                                      .baseMana = 60,
                                                      .baseStrength = 51,
                                                      .baseDexterity = 52,
                                                      .baseIntelligence = 123},
                                                     true);
    source->AddMoney(777);

    std::unique_ptr<NetPacket> decoded = ConnectionManager::DecodePacket(SpawnMessage());
    auto* spawn = Must(dynamic_cast<SpawnPlayerPacket*>(decoded.get()));
    ASSERT_TRUE(spawn->ReadObjectRecord(*copy));
    copy->ApplyReplicationData();

    // The record's own layout test pins each field; here the copy takes them.
    EXPECT_EQ(copy->GetPlayerName(), L"Ana");
    CharacterBioReplicaInfo arrived;
    copy->GetCharacterBio().GetCurrentBioStats(arrived);
    EXPECT_EQ(arrived.currentLife, 250u);
    EXPECT_EQ(copy->GetCurrentMoney(), 777u);
}

TEST_F(PlayerReplicationTest, AMovingRecordCarriesTargetsAfterTheFlag)
{
    const PlayerReplicationRecord moving{.moving = true,
                                         .pathTarget = WorldVec3(7, Vec3(1.0f, 2.0f, 3.0f)),
                                         .attackTargetId = 0x11223344,
                                         .attackTargetSkillId = 5};
    const std::vector<uint8_t> still = Encode(PlayerReplicationRecord());
    const std::vector<uint8_t> moved = Encode(moving);
    ASSERT_EQ(moved.size(), still.size() + 16 + 4 + 4);
    EXPECT_EQ(still.back(), 0);
    const std::vector<uint8_t> tail(moved.end() - 9, moved.end());
    EXPECT_EQ(tail, (std::vector<uint8_t>{0x40, 0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0}));

    PlayerReplicationRecord back;
    SpawnPlayerPacket carrier;
    NetPacketInBuffer in(carrier, moved.data(), static_cast<int>(moved.size()));
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back.pathTarget, moving.pathTarget);
}

TEST_F(PlayerReplicationTest, EveryFieldTravelsInItsPlace)
{
    PlayerReplicationRecord sent{.playerName = L"Ana",
                                 .coords = WorldCoords(WorldVec3(3, Vec3(1.0f, 2.0f, 3.0f))),
                                 .currentLife = 250.0f,
                                 .currentMana = 40.0f,
                                 .tainted = true,
                                 .baseLife = 300.0f,
                                 .baseMana = 60.0f,
                                 .baseStrength = 51.0f,
                                 .baseDexterity = 52.0f,
                                 .baseIntelligence = 123.0f,
                                 .characterLevel = 7,
                                 .experiencePoints = 9000,
                                 .money = 777,
                                 .playerTexture = "skin.tex",
                                 .actionState = ActionState_Idle};
    sent.team.Set(2, 5);
    const std::vector<uint8_t> expected = Written([&sent](NetPacketOutBuffer& out) {
        out.Add(std::wstring(L"Ana"));
        out.Add(sent.coords);
        out.AddUInt(250.0f);
        out.AddUInt(40.0f);
        out.Add(true);
        for (float base : {300.0f, 60.0f, 51.0f, 52.0f, 123.0f})
            out.AddUInt(base);
        out.AddRaw(sent.team.ToRaw());
        for (uint32_t word : {7u, 9000u, 777u})
            out.AddUInt(word);
        out.Add(std::string("skin.tex"));
        // Damage, fixed damage, skills, buffs and items: five empty counts.
        for (int list = 0; list < 5; ++list)
            out.AddUInt(0u);
        out.AddUInt(static_cast<uint32_t>(ActionState_Idle));
        out.Add(false);
    });
    EXPECT_EQ(Encode(sent), expected);
}

TEST_F(PlayerReplicationTest, ARecordCutShortIsDiscardedAndApplyingNothingIsLogged)
{
    source->SetPlayerName(L"Ana");
    std::vector<uint8_t> message = SpawnMessage();
    const std::vector<uint8_t> record(message.begin() + NetPacketHeader::kSize + 4,
                                      message.end() - 1);
    copy->SetPlayerName(L"Bea");
    Feed(*copy, record);
    LogCapture log;
    copy->ApplyReplicationData();
    EXPECT_EQ(copy->GetPlayerName(), L"Bea");
    EXPECT_EQ(log.Count(1, "Player replication applied without a record read"), 1u);

    SpawnPlayerPacket packet;
    packet.CopyInbound(message.data() + NetPacketHeader::kSize,
                       static_cast<int>(message.size() - NetPacketHeader::kSize - 1));
    EXPECT_FALSE(packet.ReadObjectRecord(*copy));
    EXPECT_FALSE(packet.IsInboundComplete());
}

TEST_F(PlayerReplicationTest, ListCountsBeyondTheBytesAreRefusedBeforeAnyRoomIsMade)
{
    std::vector<uint8_t> bytes = Encode(PlayerReplicationRecord());
    // The skill count follows the two damage lists; 0xFFFFFFFF skills cannot fit.
    PlayerReplicationRecord record;
    const size_t skillCount = bytes.size() - (4 + 4 + 4 + 4 + 1);
    for (size_t i = 0; i < 4; ++i)
        bytes[skillCount + i] = 0xFF;
    SpawnPlayerPacket carrier;
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_FALSE(record.Read(in));
    EXPECT_TRUE(record.skills.empty());
}

TEST_F(PlayerReplicationTest, BioFloatsThatAreNotNumbersOrNegativeArriveAsZero)
{
    Feed(*copy,
         Encode(PlayerReplicationRecord{.currentLife = -5.0f,
                                        .baseStrength = std::numeric_limits<float>::quiet_NaN(),
                                        .baseDexterity = 42.9f,
                                        .baseIntelligence = 1e20f}));
    copy->ApplyReplicationData();
    CharacterBioReplicaInfo arrived;
    copy->GetCharacterBio().GetCurrentBioStats(arrived);
    EXPECT_EQ(arrived.currentLife, 0u);
    EXPECT_EQ(arrived.baseStrength, 0u);
    EXPECT_EQ(arrived.baseDexterity, 42u);
    EXPECT_EQ(arrived.baseIntelligence, CharacterBioReplicaInfo::ToWholeNumber(1e20f));
}

} // namespace
} // namespace GAME::Test
