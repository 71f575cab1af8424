#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/ConfigCmdPackets.h"

#include "engine/ConnectionManager.h"
#include "tests/multiplayer/WireBytes.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBody.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

using Test::EncodePacket;
using Test::ReadBody;
using Test::WireBytes;

const WorldVec3 kA(1, Vec3(1.0f, 2.0f, 3.0f));
const WorldVec3 kB(2, Vec3(-4.0f, 0.5f, 8.0f));

class NewPackets : public GAME::Test::EngineFixture {};

size_t CountLines(const std::string& text, const std::string& label)
{
    size_t count = 0;
    for (size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1))
        ++count;
    return count;
}

TEST(EngineNetPackets, ServerSpawnCompleteIsItsHeaderAlone)
{
    ServerSpawnCompletePacket packet;
    EXPECT_EQ(EncodePacket(packet), (std::vector<uint8_t>{34, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(EngineNetPackets, AcksAndNacksListTheirIdsCountFirst)
{
    AckEntityPacket ack;
    ack.entityIds = {5, 6};
    const std::vector<uint8_t> bytes = EncodePacket(ack);
    EXPECT_EQ(bytes,
              (std::vector<uint8_t>{35, 0, 0, 0, 12, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0}));

    NackEntityPacket nack;
    nack.entityIds = {5, 6};
    std::vector<uint8_t> nackBytes = EncodePacket(nack);
    EXPECT_EQ(nackBytes[0], 36);
    nackBytes[0] = 35;
    EXPECT_EQ(nackBytes, bytes);
}

TEST_F(NewPackets, AnAckCountBeyondItsBytesFailsBeforeAllocating)
{
    const std::vector<uint8_t> bytes = WireBytes().Word(0x40000000).Word(5).Word(6).Packet(35);
    EXPECT_EQ(ConnectionManager::DecodePacket(bytes), nullptr);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "ConnectionManager: packet 35 does not read back"), 1u);

    AckEntityPacket ack;
    ReadBody(ack, bytes);
    EXPECT_FALSE(ack.IsInboundComplete());
    EXPECT_EQ(ack.entityIds.capacity(), 0u);
}

// Each list has its own count; the description pairs them only as far as both go.
TEST(EngineNetPackets, PositionsPairWithIdsOnlyAsFarAsTheShorterListGoes)
{
    PlayerPositionUpdatePacket packet;
    packet.playerIds = {0x10000001, 0x20000001};
    packet.positions = {kA, kB, kA};
    const std::vector<uint8_t> bytes = EncodePacket(packet);
    EXPECT_EQ(bytes, WireBytes()
                         .Word(2)
                         .Word(0x10000001)
                         .Word(0x20000001)
                         .Word(3)
                         .Position(kA)
                         .Position(kB)
                         .Position(kA)
                         .Packet(28));
    packet.playerIds = {1, 2, 3};
    packet.positions = {kA, kB};
    EXPECT_EQ(CountLines(packet.GetPacketDescription(false), "Player Position: "), 2u);
}

TEST(FixedItemConfigCmdPackets, StateChangeCarriesStateTargetOrNoneAndTheSoundFlag)
{
    FixedItemStateChangeConfigCmdPacket packet;
    packet.actorId = 0x42;
    packet.state = 3;
    packet.doSound = true;
    EXPECT_EQ(EncodePacket(packet), WireBytes().Word(0x42).Word(3).Word(0).Bool(true).Packet(102));
}

TEST(FixedItemConfigCmdPackets, TargetAndSkillTargetDifferOnlyInTheirType)
{
    FixedItemTargetConfigCmdPacket target;
    FixedItemSkillTargetConfigCmdPacket skill;
    target.actorId = skill.actorId = 0x42;
    target.primaryTarget = skill.primaryTarget = 0x10000007;
    target.targets = skill.targets = {8, 9};
    const std::vector<uint8_t> bytes = EncodePacket(target);
    EXPECT_EQ(bytes, WireBytes().Word(0x42).Word(0x10000007).Word(2).Word(8).Word(9).Packet(103));
    std::vector<uint8_t> skillBytes = EncodePacket(skill);
    EXPECT_EQ(skillBytes[0], 104);
    skillBytes[0] = 103;
    EXPECT_EQ(skillBytes, bytes);
}

} // namespace
} // namespace GAME
