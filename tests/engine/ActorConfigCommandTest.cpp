#include "engine/ActorConfigCommand.h"

#include "engine/Actor.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"

#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <array>

namespace GAME {
namespace {

constexpr uint32_t kTestCommandPacket = 241;

// A command whose packet carries its actor and a value, and whose run the test can count.
struct Runs {
    uint32_t actorId = 0;
    int32_t value = 0;
};
std::vector<Runs> runs;
// Value 20 enqueues a 21 on this actor while it runs.
Actor* nestOn = nullptr;

class TestCommandPacket : public NetPacket {
public:
    TestCommandPacket() : NetPacket(kTestCommandPacket) {}
    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        out.AddUInt(actorId);
        out.AddUInt(value);
        out.AddRaw(record);
        return out.Done();
    }
    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        in.RemoveUInt(actorId);
        in.RemoveUInt(value);
        in.RemoveRaw(record);
    }
    std::string GetPacketDescription(bool) const override { return {}; }

    uint32_t actorId = 0;
    int32_t value = 0;
    std::array<uint8_t, 12> record{};
};

class TestCommand : public ActorConfigCommand {
public:
    TestCommand(uint32_t actorId, int32_t value) : ActorConfigCommand(actorId), value(value)
    {
        SetNetworked(true);
    }
    void Execute() override
    {
        runs.push_back({actorId, value});
        if (value == 20 && nestOn != nullptr)
            nestOn->Enqueue(std::make_unique<TestCommand>(actorId, 21));
    }
    std::unique_ptr<NetPacket> GetNetPacket() const override
    {
        auto packet = std::make_unique<TestCommandPacket>();
        packet->actorId = actorId;
        packet->value = value;
        return packet;
    }
    int32_t value = 0;
};

const bool registered = [] {
    ConnectionManager::RegisterPacketClass<TestCommandPacket>();
    return NetworkShim::RegisterCommandBuilder(
        kTestCommandPacket, [](const NetPacket& packet) -> std::unique_ptr<ActorConfigCommand> {
            const auto& own = static_cast<const TestCommandPacket&>(packet);
            return std::make_unique<TestCommand>(own.actorId, own.value);
        });
}();

class ActorConfigCommandTest : public GAME::Test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        ASSERT_TRUE(registered);
        runs.clear();
        actor = static_cast<Actor*>(ObjectManager::Instance().CreateObject("Actor"));
        ASSERT_NE(actor, nullptr);
    }
    void TearDown() override
    {
        gEngine->SetNetworkMode(false, false);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        EngineFixture::TearDown();
    }
    std::vector<ConnectionManager::SentPacket> Sent()
    {
        return gEngine->GetNetworkConnectionManager().TakeSentPackets();
    }
    std::unique_ptr<NetPacket> Received(uint32_t actorId, int32_t value)
    {
        TestCommand command(actorId, value);
        std::unique_ptr<NetPacket> packet = command.GetNetPacket();
        const uint32_t size = packet->PrepareOutBuffer();
        return ConnectionManager::DecodePacket(packet->GetOutBuffer(), size);
    }

    Actor* actor = nullptr;
};

TEST_F(ActorConfigCommandTest, EnqueueRunsHereAndSendsOnlyInANetworkGame)
{
    actor->Enqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 7));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].value, 7);
    EXPECT_TRUE(Sent().empty());

    gEngine->SetNetworkMode(true, true);
    actor->Enqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 8));
    std::vector<ConnectionManager::SentPacket> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].route, ConnectionManager::Route::Send);

    gEngine->SetNetworkMode(true, false);
    auto local = std::make_unique<TestCommand>(actor->GetObjectId(), 9);
    local->SetNetworked(false);
    actor->Enqueue(std::move(local));
    actor->Enqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 10));
    actor->LocalEnqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 11));
    sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].route, ConnectionManager::Route::Broadcast);
    EXPECT_EQ(runs.size(), 5u);
}

// What a command sends while it runs reaches the peers after it, as this machine applied them.
TEST_F(ActorConfigCommandTest, ACommandSentWhileAnotherRunsFollowsIt)
{
    gEngine->SetNetworkMode(true, false);
    nestOn = actor;
    actor->Enqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 20));
    nestOn = nullptr;
    std::vector<int32_t> values;
    for (const ConnectionManager::SentPacket& sent : Sent()) {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(sent.bytes);
        ASSERT_NE(packet, nullptr);
        values.push_back(static_cast<const TestCommandPacket&>(*packet).value);
    }
    EXPECT_EQ(values, (std::vector<int32_t>{20, 21}));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].value, 20);
}

TEST_F(ActorConfigCommandTest, AReceivedCommandRunsOnItsActorAndTheServerPassesItOn)
{
    gEngine->SetNetworkMode(true, false);
    std::unique_ptr<NetPacket> packet = Received(actor->GetObjectId(), 3);
    ASSERT_NE(packet, nullptr);
    EXPECT_TRUE(NetworkShim::ReceivePacket(4, *packet));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].actorId, actor->GetObjectId());
    std::vector<ConnectionManager::SentPacket> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].route, ConnectionManager::Route::Broadcast);
    EXPECT_EQ(sent[0].host, 4);

    // A client runs what its server sends and sends nothing back.
    gEngine->SetNetworkMode(true, true);
    EXPECT_TRUE(NetworkShim::ReceivePacket(0, *packet));
    EXPECT_EQ(runs.size(), 2u);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ActorConfigCommandTest, ACommandForAMissingActorDoesNothing)
{
    gEngine->SetNetworkMode(true, false);
    std::unique_ptr<NetPacket> packet = Received(actor->GetObjectId() + 100, 3);
    ASSERT_NE(packet, nullptr);
    EXPECT_FALSE(NetworkShim::ReceivePacket(2, *packet));
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(log.Count(2, "NetworkShim: command packet 241 from host 2 for actor " +
                               std::to_string(actor->GetObjectId() + 100) + " dropped"),
              1u);
}

TEST_F(ActorConfigCommandTest, ARawRecordTravelsAsItsBytesAndAShortOneFails)
{
    TestCommandPacket packet;
    packet.record = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const uint32_t size = packet.PrepareOutBuffer();
    ASSERT_EQ(size, NetPacketHeader::kSize + 20);
    const uint8_t* fields = packet.GetOutBuffer() + NetPacketHeader::kSize;
    EXPECT_EQ(std::vector<uint8_t>(fields + 8, fields + 20),
              std::vector<uint8_t>(packet.record.begin(), packet.record.end()));

    TestCommandPacket back;
    back.CopyInbound(fields, 20);
    EXPECT_TRUE(back.IsInboundComplete());
    EXPECT_EQ(back.record, packet.record);
    TestCommandPacket shortOne;
    shortOne.CopyInbound(fields, 19);
    EXPECT_FALSE(shortOne.IsInboundComplete());
    EXPECT_EQ(shortOne.record, (std::array<uint8_t, 12>{}));
}

} // namespace
} // namespace GAME
