#include "engine/NetworkShim.h"

#include "characters/IdleAction.h"
#include "engine/Actor.h"
#include "engine/ActorConfigCommand.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "multiplayer/CharacterActionPackets.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::EncodePacket;

using Route = ConnectionManager::Route;
using Routes = std::vector<std::pair<Route, int>>;

// Network mode and the packets sent belong to the engine: each test leaves neither behind.
class NetworkTest : public GAME::Test::EngineFixture {
protected:
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
    // Where each packet sent so far went, taking them.
    Routes SentRoutes()
    {
        Routes routes;
        for (const ConnectionManager::SentPacket& sent : Sent())
            routes.emplace_back(sent.route, sent.host);
        return routes;
    }
};

constexpr uint32_t kTestCommandPacket = 241;

// A command whose packet carries its actor and a value, and whose runs the test counts.
size_t runs = 0;
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
        return out.Done();
    }
    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        in.RemoveUInt(actorId);
        in.RemoveUInt(value);
    }
    std::string GetPacketDescription(bool) const override { return {}; }

    uint32_t actorId = 0;
    int32_t value = 0;
};

class TestCommand : public ActorConfigCommand {
public:
    TestCommand(uint32_t actorId, int32_t value) : ActorConfigCommand(actorId), value(value)
    {
        SetNetworked(true);
    }
    void Execute() override
    {
        ++runs;
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

// An actor the server spawns on its clients, so that they hold it under its id.
class SpawnedActor : public Actor {
    GAME_DECLARE_CLASS(SpawnedActor)
public:
    bool ShouldServerSpawn() const override { return true; }
};
GAME_IMPLEMENT_CLASS(SpawnedActor, Actor);

class ActorConfigCommandTest : public NetworkTest {
protected:
    void SetUp() override
    {
        NetworkTest::SetUp();
        ASSERT_TRUE(registered);
        runs = 0;
        actor = static_cast<Actor*>(ObjectManager::Instance().CreateObject("SpawnedActor"));
        ASSERT_NE(actor, nullptr);
    }
    std::unique_ptr<NetPacket> Received(uint32_t actorId, int32_t value)
    {
        return ConnectionManager::DecodePacket(
            EncodePacket(*TestCommand(actorId, value).GetNetPacket()));
    }

    Actor* actor = nullptr;
};

TEST_F(ActorConfigCommandTest, EnqueueRunsHereAndSendsOnlyInANetworkGame)
{
    actor->Enqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 7));
    ASSERT_EQ(runs, 1u);
    EXPECT_TRUE(Sent().empty());

    gEngine->SetNetworkMode(true, false);
    auto local = std::make_unique<TestCommand>(actor->GetObjectId(), 9);
    local->SetNetworked(false);
    actor->Enqueue(std::move(local));
    actor->Enqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 10));
    actor->LocalEnqueue(std::make_unique<TestCommand>(actor->GetObjectId(), 11));
    // Each machine holds its own landmark, under an id of its own.
    auto* landmark = static_cast<Actor*>(ObjectManager::Instance().CreateObject("Actor"));
    landmark->Enqueue(std::make_unique<TestCommand>(landmark->GetObjectId(), 12));
    EXPECT_EQ(SentRoutes(), (Routes{{Route::Broadcast, ConnectionManager::kPeerHosts}}));
    EXPECT_EQ(runs, 5u);
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
}

TEST_F(ActorConfigCommandTest, AReceivedCommandRunsOnItsActorAndTheServerPassesItOn)
{
    gEngine->SetNetworkMode(true, false);
    std::unique_ptr<NetPacket> packet = Received(actor->GetObjectId(), 3);
    ASSERT_NE(packet, nullptr);
    EXPECT_TRUE(NetworkShim::ReceivePacket(4, *packet));
    ASSERT_EQ(runs, 1u);
    EXPECT_EQ(SentRoutes(), (Routes{{Route::Broadcast, 4}}));
}

// Refused as the transport refuses a message, so that it counts toward a client's flood.
TEST_F(ActorConfigCommandTest, ACommandForAMissingActorIsRefused)
{
    gEngine->SetNetworkMode(true, false);
    std::unique_ptr<NetPacket> packet = Received(actor->GetObjectId() + 100, 3);
    ASSERT_NE(packet, nullptr);
    const uint64_t refused = gEngine->GetNetworkConnectionManager().GetCounters(2).dropped;
    EXPECT_FALSE(NetworkShim::ReceivePacket(2, *packet));
    EXPECT_EQ(runs, 0u);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(gEngine->GetNetworkConnectionManager().GetCounters(2).dropped, refused + 1);
}

const WorldVec3 kPoint(2, Vec3(0.5f, 0.0f, 0.25f));

// What reached the stand-in for the controllers: the character and the action's own packet.
std::vector<std::pair<uint32_t, std::unique_ptr<NetPacket>>> received;
bool accepting = true;

bool Receive(uint32_t characterId, std::unique_ptr<CharacterAction> action)
{
    received.emplace_back(characterId, action->GetNetPacket());
    return accepting;
}

class NetworkShimTest : public NetworkTest {
protected:
    void SetUp() override
    {
        NetworkTest::SetUp();
        previous = NetworkShim::SetActionReceiver(&Receive);
        received.clear();
        accepting = true;
        Sent();
    }
    void TearDown() override
    {
        NetworkShim::SetActionReceiver(previous);
        NetworkTest::TearDown();
    }

    NetworkShim::ActionReceiver previous = nullptr;
};

TEST_F(NetworkShimTest, AClientSendsItsActionsASinglePlayerKeepsThem)
{
    const IdleAction idle(7);
    NetworkShim::SendAction(idle);
    EXPECT_TRUE(Sent().empty());

    gEngine->SetNetworkMode(true, true);
    NetworkShim::SendAction(idle);
    NetworkShim::SendAction(CharacterAction()); // it has no packet
    // Its stand-in for a character of another host: that host drives it.
    NetworkShim::SendAction(IdleAction((3u << 28) | 7));
    const std::vector<ConnectionManager::SentPacket> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::pair(sent[0].route, sent[0].bytes),
              std::pair(Route::Send, EncodePacket(*idle.GetNetPacket())));
}

TEST_F(NetworkShimTest, AReceivedActionRunsHereAndAServerPassesItToTheOtherClients)
{
    IdleActionPacket packet;
    packet.ownerId = 7;
    packet.hasPreMoveData = true;
    packet.preMovePoint = kPoint;
    gEngine->SetNetworkMode(true, false);
    EXPECT_TRUE(NetworkShim::ReceivePacket(2, packet));
    const std::vector<ConnectionManager::SentPacket> relayed = Sent();
    ASSERT_EQ(relayed.size(), 1u);
    EXPECT_EQ(std::pair(relayed[0].route, relayed[0].host), std::pair(Route::Broadcast, 2));
    EXPECT_EQ(relayed[0].bytes, EncodePacket(packet));

    // A client runs what its server sends and passes nothing on.
    gEngine->SetNetworkMode(true, true);
    IdleActionPacket plain;
    plain.ownerId = 8;
    EXPECT_TRUE(NetworkShim::ReceivePacket(0, plain));
    EXPECT_TRUE(Sent().empty());

    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(std::pair(received[0].first, EncodePacket(*received[0].second)),
              std::pair(7u, EncodePacket(packet)));
    EXPECT_EQ(std::pair(received[1].first, EncodePacket(*received[1].second)),
              std::pair(8u, EncodePacket(plain)));
}

// Dropped whole: nothing runs and a server passes nothing on.
TEST_F(NetworkShimTest, AnActionForNoCharacterOrThatNobodyTakesIsDropped)
{
    gEngine->SetNetworkMode(true, false);
    TakeStunPacket noCharacter;
    EXPECT_FALSE(NetworkShim::ReceivePacket(3, noCharacter));
    EXPECT_TRUE(received.empty());
    accepting = false;
    TakeStunPacket refused;
    refused.ownerId = 9;
    EXPECT_FALSE(NetworkShim::ReceivePacket(3, refused));
    EXPECT_EQ(received.size(), 1u);
    // The game's own receiver finds no character 9 here.
    NetworkShim::SetActionReceiver(previous);
    EXPECT_FALSE(NetworkShim::ReceivePacket(3, refused));

    EXPECT_TRUE(Sent().empty());
    using Line = GAME::Test::LogCapture::Line;
    EXPECT_EQ(log.GetLines(),
              (std::vector<Line>{
                  {2, "NetworkShim: action packet 70 from host 3 for character 0 dropped"},
                  {2, "NetworkShim: action packet 70 from host 3 for character 9 dropped"},
                  {2, "NetworkShim: action packet 70 from host 3 for character 9 dropped"}}));
}

} // namespace
} // namespace GAME
