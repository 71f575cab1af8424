#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/ConfigCmdPackets.h"

#include "engine/ConnectionManager.h"
#include "tests/multiplayer/WireBytes.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

using Test::DecodeAs;
using Test::EncodePacket;
using Test::WireBytes;

const WorldVec3 kA(1, Vec3(1.0f, 2.0f, 3.0f));
const WorldVec3 kB(2, Vec3(-4.0f, 0.5f, 8.0f));
const WorldVec3 kC(3, Vec3(0.0f, -1.0f, 2.5f));

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
    const std::vector<uint8_t> bytes = EncodePacket(packet);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{34, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(packet.GetPacketDescription(false),
              "ServerSpawnCompletePacket is atomic, containing no member elements\n");
    EXPECT_NE(DecodeAs<ServerSpawnCompletePacket>(bytes), nullptr);
}

TEST(EngineNetPackets, AcksAndNacksListTheirIdsCountFirst)
{
    AckEntityPacket ack;
    ack.entityIds = {5, 6};
    const std::vector<uint8_t> bytes = EncodePacket(ack);
    EXPECT_EQ(bytes,
              (std::vector<uint8_t>{35, 0, 0, 0, 12, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0}));
    EXPECT_EQ(ack.GetPacketDescription(false),
              "Acked Entities: \n  Entity IDs: 5\n  Entity IDs: 6\n");
    std::unique_ptr<AckEntityPacket> back = DecodeAs<AckEntityPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->entityIds, ack.entityIds);

    NackEntityPacket nack;
    nack.entityIds = {5, 6};
    std::vector<uint8_t> nackBytes = EncodePacket(nack);
    EXPECT_EQ(nackBytes[0], 36);
    nackBytes[0] = 35;
    EXPECT_EQ(nackBytes, bytes);
    EXPECT_EQ(nack.GetPacketDescription(false).rfind("Nacked Entities: \n", 0), 0u);
}

TEST_F(NewPackets, AnAckCountBeyondItsBytesFailsBeforeAllocating)
{
    const std::vector<uint8_t> bytes = WireBytes().Word(0x40000000).Word(5).Word(6).Packet(35);
    EXPECT_EQ(ConnectionManager::DecodePacket(bytes), nullptr);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "ConnectionManager: packet 35 does not read back"), 1u);

    AckEntityPacket ack;
    ack.CopyInbound(bytes.data() + NetPacketHeader::kSize,
                    static_cast<int>(bytes.size() - NetPacketHeader::kSize));
    EXPECT_FALSE(ack.IsInboundComplete());
    EXPECT_EQ(ack.entityIds.capacity(), 0u);
}

TEST(EngineNetPackets, PositionsPairWithIdsOnlyAsFarAsTheShorterListGoes)
{
    PlayerPositionUpdatePacket packet;
    packet.playerIds = {0x10000001, 0x20000001};
    packet.positions = {kA, kB, kC};
    const std::vector<uint8_t> bytes = EncodePacket(packet);
    EXPECT_EQ(bytes, WireBytes()
                         .Word(2)
                         .Word(0x10000001)
                         .Word(0x20000001)
                         .Word(3)
                         .Position(kA)
                         .Position(kB)
                         .Position(kC)
                         .Packet(28));
    std::unique_ptr<PlayerPositionUpdatePacket> back = DecodeAs<PlayerPositionUpdatePacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->playerIds, packet.playerIds);
    EXPECT_EQ(back->positions, packet.positions);

    for (const PlayerPositionUpdatePacket* shown : {&packet, back.get()}) {
        const std::string text = shown->GetPacketDescription(false);
        EXPECT_EQ(text.rfind("Player Positions: \n  Player ID: 268435457\n"
                             "  Player Position: region 1 (1, 2, 3)\n",
                             0),
                  0u)
            << text;
        EXPECT_EQ(CountLines(text, "Player ID: "), 2u);
        EXPECT_EQ(CountLines(text, "Player Position: "), 2u);
    }
    packet.playerIds = {1, 2, 3};
    packet.positions = {kA, kB};
    EXPECT_EQ(CountLines(packet.GetPacketDescription(false), "Player Position: "), 2u);
}

TEST(EngineNetPackets, FrustumWorldAndWarpCarryTheirOneOrTwoFields)
{
    FrustumUpdatePacket frustum;
    frustum.originatorHostId = -3;
    frustum.originatorPosition = kB;
    EXPECT_EQ(EncodePacket(frustum), WireBytes().Word(0xFFFFFFFDu).Position(kB).Packet(20));
    EXPECT_EQ(frustum.GetPacketDescription(false),
              "Originator Host ID: -3\nOriginator position: region 2 (-4, 0.5, 8)\n");

    WorldInitPacket world;
    world.timeOfDay = 18.25f;
    EXPECT_EQ(EncodePacket(world), WireBytes().Float(18.25f).Packet(25));
    EXPECT_EQ(world.GetPacketDescription(false), "Time (24hr): 18.25\n");

    WarpEntityPacket warp;
    warp.warpPoint = kC;
    EXPECT_EQ(EncodePacket(warp), WireBytes().Position(kC).Packet(37));
    EXPECT_EQ(warp.GetPacketDescription(false), "Warp Point: region 3 (0, -1, 2.5)\n");
}

TEST(FixedItemConfigCmdPackets, StateChangeCarriesStateTargetOrNoneAndTheSoundFlag)
{
    FixedItemStateChangeConfigCmdPacket packet;
    packet.actorId = 0x42;
    packet.state = 3;
    packet.doSound = true;
    const std::vector<uint8_t> bytes = EncodePacket(packet);
    EXPECT_EQ(bytes, WireBytes().Word(0x42).Word(3).Word(0).Bool(true).Packet(102));
    EXPECT_EQ(packet.GetPacketDescription(false),
              "Parent ID: 66\nState:     3\nTarget ID: 0\nDo Sound:  true\n");
    std::unique_ptr<FixedItemStateChangeConfigCmdPacket> back =
        DecodeAs<FixedItemStateChangeConfigCmdPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->target.GetId(), 0u);
    EXPECT_TRUE(back->doSound);
}

TEST(FixedItemConfigCmdPackets, TargetAndSkillTargetDifferOnlyInTheirTypeAndHeading)
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

    EXPECT_EQ(target.GetPacketDescription(false),
              "Parent ID: 66\nPrimary Target ID: 268435463\nSecondary Target IDs:\n"
              "  Target 0: 8\n  Target 1: 9\n");
    EXPECT_NE(skill.GetPacketDescription(false).find("\nSkill Target IDs:\n  Target 0: 8\n"),
              std::string::npos);
}

TEST(FixedItemConfigCmdPackets, StrategicMovementTargetsTravelAsAnIdList)
{
    StrategicMovementTargetConfigCmdPacket packet;
    packet.actorId = 0x42;
    packet.targets = {7};
    const std::vector<uint8_t> bytes = EncodePacket(packet);
    EXPECT_EQ(bytes, WireBytes().Word(0x42).Word(1).Word(7).Packet(105));
    EXPECT_EQ(packet.GetPacketDescription(false), "Parent ID: 66\nTarget IDs:\n  Target 0: 7\n");
    std::unique_ptr<StrategicMovementTargetConfigCmdPacket> back =
        DecodeAs<StrategicMovementTargetConfigCmdPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->targets, packet.targets);
}

// Each new class, filled, then every message cut shorter than its own.
struct NewClass {
    const char* name;
    std::function<std::unique_ptr<NetPacket>()> make;
};

template <typename P> NewClass Filled(const char* name, std::function<void(P&)> fill)
{
    return {name, [fill] {
                auto packet = std::make_unique<P>();
                fill(*packet);
                return packet;
            }};
}

const NewClass kNewClasses[] = {
    Filled<FrustumUpdatePacket>("frustum",
                                [](auto& p) {
                                    p.originatorHostId = 2;
                                    p.originatorPosition = kA;
                                }),
    Filled<WorldInitPacket>("world init", [](auto& p) { p.timeOfDay = 6.0f; }),
    Filled<PlayerPositionUpdatePacket>("positions",
                                       [](auto& p) {
                                           p.playerIds = {1, 2};
                                           p.positions = {kA};
                                       }),
    Filled<ServerSpawnCompletePacket>("spawn complete", [](auto&) {}),
    Filled<AckEntityPacket>("ack",
                            [](auto& p) {
                                p.entityIds = {5, 6};
                            }),
    Filled<NackEntityPacket>("nack", [](auto& p) { p.entityIds = {7}; }),
    Filled<WarpEntityPacket>("warp", [](auto& p) { p.warpPoint = kB; }),
    Filled<FixedItemStateChangeConfigCmdPacket>("state change",
                                                [](auto& p) {
                                                    p.actorId = 9;
                                                    p.state = 2;
                                                    p.target = 4;
                                                    p.doSound = true;
                                                }),
    Filled<FixedItemTargetConfigCmdPacket>("targets",
                                           [](auto& p) {
                                               p.actorId = 9;
                                               p.primaryTarget = 3;
                                               p.targets = {4, 5};
                                           }),
    Filled<FixedItemSkillTargetConfigCmdPacket>("skill targets",
                                                [](auto& p) {
                                                    p.actorId = 9;
                                                    p.targets = {4};
                                                }),
    Filled<StrategicMovementTargetConfigCmdPacket>("strategic targets",
                                                   [](auto& p) {
                                                       p.actorId = 9;
                                                       p.targets = {1, 2, 3};
                                                   }),
};

TEST_F(NewPackets, EveryShorterCutIsRefusedWithOneLogLine)
{
    for (const NewClass& row : kNewClasses) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<NetPacket> packet = row.make();
        const std::vector<uint8_t> bytes = EncodePacket(*packet);
        ASSERT_NE(ConnectionManager::DecodePacket(bytes), nullptr);
        for (size_t length = 0; length < bytes.size(); ++length) {
            log.Clear();
            EXPECT_EQ(ConnectionManager::DecodePacket(GAME::Test::CutMessage(bytes, length)),
                      nullptr)
                << length << " bytes";
            EXPECT_EQ(log.GetLines().size(), 1u) << length << " bytes";
        }
    }
}

TEST(EngineNetPackets, AnUnfilledPacketSendsZerosOnly)
{
    for (const NewClass& row : kNewClasses) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<NetPacket> filled = row.make();
        std::unique_ptr<NetPacket> empty = ConnectionManager::CreatePacket(filled->GetType());
        ASSERT_NE(empty, nullptr);
        const std::vector<uint8_t> bytes = EncodePacket(*empty);
        EXPECT_TRUE(std::all_of(bytes.begin() + NetPacketHeader::kSize, bytes.end(),
                                [](uint8_t byte) { return byte == 0; }));
    }
}

} // namespace
} // namespace GAME
