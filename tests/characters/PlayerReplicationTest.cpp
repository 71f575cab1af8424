#include "characters/Player.h"

#include "characters/CharacterBio.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/PlayerReplicationRecord.h"
#include "engine/ConnectionManager.h"
#include "engine/NetPacketInBuffer.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <array>
#include <limits>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

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
    const std::vector<uint8_t> bytes = Encode(sent);

    SpawnPlayerPacket carrier;
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    std::wstring name;
    WorldCoords coords;
    float life = 0, mana = 0, base[5] = {};
    bool tainted = false;
    std::array<uint8_t, 12> team{};
    uint32_t level = 0, experience = 0, money = 0;
    std::string texture;
    ASSERT_TRUE(in.Remove(name) && in.Remove(coords) && in.RemoveUInt(life) &&
                in.RemoveUInt(mana) && in.Remove(tainted));
    for (float& value : base)
        ASSERT_TRUE(in.RemoveUInt(value));
    ASSERT_TRUE(in.RemoveRaw(team) && in.RemoveUInt(level) && in.RemoveUInt(experience) &&
                in.RemoveUInt(money) && in.Remove(texture));
    EXPECT_EQ(name, L"Ana");
    EXPECT_EQ(coords, sent.coords);
    EXPECT_EQ(life, 250.0f);
    EXPECT_EQ(mana, 40.0f);
    EXPECT_TRUE(tainted);
    EXPECT_EQ(std::vector<float>(base, base + 5),
              (std::vector<float>{300.0f, 60.0f, 51.0f, 52.0f, 123.0f}));
    EXPECT_EQ(team, sent.team.ToRaw());
    EXPECT_EQ(level, 7u);
    EXPECT_EQ(experience, 9000u);
    EXPECT_EQ(money, 777u);
    EXPECT_EQ(texture, "skin.tex");
    // Damage, fixed damage, skills, buffs and items: five empty counts.
    for (int list = 0; list < 5; ++list) {
        uint32_t count = 1;
        ASSERT_TRUE(in.RemoveUInt(count));
        EXPECT_EQ(count, 0u) << list;
    }
    uint32_t action = 0;
    bool moving = true;
    ASSERT_TRUE(in.RemoveUInt(action) && in.Remove(moving));
    EXPECT_EQ(action, static_cast<uint32_t>(ActionState_Idle));
    EXPECT_FALSE(moving);
    EXPECT_EQ(in.GetRemaining(), 0u);
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
