#include "multiplayer/ConfigCmdPackets.h"

#include "engine/ConnectionManager.h"
#include "multiplayer/BonusPackets.h"

#include "tests/multiplayer/WireBytes.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace GAME {
namespace {

using Test::WireBytes;

// Every class's number, registration and round trip are checked over the whole catalogue.
const auto Encode = &Test::EncodePacket;
using Test::DecodeAs;

TEST(ConfigCmdPackets, ActorOnlyPacketCarriesTheActorAlone)
{
    ReleaseStunConfigCmdPacket p;
    p.actorId = 0x01020304;
    EXPECT_EQ(Encode(p), WireBytes().Word(0x01020304).Packet(95));
}

TEST(ConfigCmdPackets, DropItemCarriesXAndZBitForBit)
{
    const float nanWithPayload = [] {
        const uint32_t word = 0x7FC01234;
        float value = 0.0f;
        std::memcpy(&value, &word, sizeof(value));
        return value;
    }();
    DropItemConfigCmdPacket p;
    p.actorId = 2;
    p.itemId = 9;
    p.x = -0.0f;
    p.z = nanWithPayload;
    const std::vector<uint8_t> bytes = Encode(p);
    EXPECT_EQ(bytes, WireBytes().Word(2).Word(9).Word(0x80000000).Word(0x7FC01234).Packet(82));
    std::unique_ptr<DropItemConfigCmdPacket> back = DecodeAs<DropItemConfigCmdPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(std::signbit(back->x));
    EXPECT_EQ(back->x, 0.0f);
    uint32_t zWord = 0;
    std::memcpy(&zWord, &back->z, sizeof(zWord));
    EXPECT_EQ(zWord, 0x7FC01234u);
}

TEST(ConfigCmdPackets, SpawnObjectWithEmptyListsWritesTwoZeroCounts)
{
    SpawnObjectConfigCmdPacket p;
    p.actorId = 1;
    p.skillNumber = 4;
    p.targetId = 6;
    p.lastValue = 0xAB;
    EXPECT_EQ(
        Encode(p),
        WireBytes().Word(1).Word(4).Place(p.origin).Word(6).Word(0).Word(0).Word(0xAB).Packet(98));
}

TEST(ConfigCmdPackets, ASpawnObjectIdCountBeyondTheBytesIsRefused)
{
    SpawnObjectConfigCmdPacket p;
    p.actorId = 1;
    p.spawnCoords = {WorldCoords(), WorldCoords()};
    p.spawnIds = {70, 71};
    std::vector<uint8_t> bytes = Encode(p);
    // The id count, just after the two coords, claims a million ids.
    const size_t idCount = 8 + 4 + 4 + 52 + 4 + 4 + 2 * 52;
    bytes[idCount + 2] = 0x0F;
    EXPECT_EQ(ConnectionManager::DecodePacket(bytes), nullptr);
}

TEST(ConfigCmdPackets, SkillTargetResultWritesItsTargetsLast)
{
    SkillTargetResultConfigCmdPacket p;
    p.actorId = 3;
    p.skillNumber = 1;
    p.seed = 2;
    p.weaponId = 5;
    p.useWeapon = true;
    p.hitIteration = -1;
    p.targets = {11, 12};
    EXPECT_EQ(Encode(p), WireBytes()
                             .Word(3)
                             .Word(1)
                             .Word(2)
                             .Word(5)
                             .Bool(true)
                             .Place(p.origin)
                             .Word(0xFFFFFFFF)
                             .Word(2)
                             .Word(11)
                             .Word(12)
                             .Packet(88));

    p.targets.clear(); // none: a count of 0, still last
    const std::vector<uint8_t> none = Encode(p);
    EXPECT_EQ(std::vector<uint8_t>(none.end() - 8, none.end()),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
}

TEST(ConfigCmdPackets, SetTeamWritesTheFlagAsZeroOrOneAndReadsAnyNonZeroByte)
{
    SetTeamConfigCmdPacket p;
    p.actorId = 8;
    p.team.Set(3, 0x0201);
    std::vector<uint8_t> bytes = Encode(p);
    ASSERT_EQ(bytes.size(), 8u + 4 + 12);
    const size_t team = 12;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + team, bytes.end()),
              (std::vector<uint8_t>{3, 0, 0, 0, 1, 2, 0, 0, 1, 0, 0, 0}));

    p.team = Team();
    EXPECT_EQ(Encode(p)[team + 8], 0);

    bytes[team + 8] = 2;
    std::unique_ptr<SetTeamConfigCmdPacket> back = DecodeAs<SetTeamConfigCmdPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->team.IsInitialized());
    EXPECT_EQ(back->team.GetTeamMajor(), 3u);
    EXPECT_EQ(back->team.GetTeamMinor(), 0x0201u);
    EXPECT_EQ(Encode(*back)[team + 8], 1);
}

TEST(ConfigCmdPackets, SkillStatesTravelAsEightBytes)
{
    SkillStateUpdateConfigCmdPacket s;
    s.actorId = 1;
    s.skillNumber = 2;
    s.state.skillLevel = 0xFFFFFFFF;
    s.state.enabled = true;
    std::vector<uint8_t> bytes = Encode(s);
    EXPECT_EQ(bytes, WireBytes().Word(1).Word(2).Word(0xFFFFFFFF).Word(1).Packet(99));
    bytes[8 + 12] = 0x80;
    std::unique_ptr<SkillStateUpdateConfigCmdPacket> backState =
        DecodeAs<SkillStateUpdateConfigCmdPacket>(bytes);
    ASSERT_NE(backState, nullptr);
    EXPECT_TRUE(backState->state.enabled);

    SkillActiveStateUpdateConfigCmdPacket a;
    a.actorId = 1;
    a.skillNumber = 2;
    a.state = SkillActiveState(-3, false, true);
    bytes = Encode(a);
    EXPECT_EQ(bytes, WireBytes().Word(1).Word(2).Word(0xFFFFFFFD).Word(0x100).Packet(100));
}

TEST(ConfigCmdPackets, AFlagTravelsAsOneByte)
{
    SetInvincibleConfigCmdPacket invincible;
    invincible.actorId = 4;
    invincible.invincible = true;
    EXPECT_EQ(Encode(invincible), WireBytes().Word(4).Bool(true).Packet(125));
}

// The effect name never travels: an assigned packet keeps its own.
TEST(BonusPackets, AssignmentTakesEveryFieldButTheEffectName)
{
    BonusToServerPacket from;
    from.bonus.experiencePoints = 9;
    from.bonus.effectName = "Fx/B";
    from.activePlayerId = 11;
    BonusToServerPacket to;
    to.bonus.effectName = "Fx/A";
    to = from;
    EXPECT_EQ(to.bonus.effectName, "Fx/A");
    EXPECT_EQ(Encode(to), Encode(from));
}

} // namespace
} // namespace GAME
