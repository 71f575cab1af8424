#include "multiplayer/NetworkRegionLoaderServer.h"

#include "engine/ABBox.h"
#include "engine/RegionLoader.h"
#include "engine/World.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/NetworkRegionLoaderOwnPlayer.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

constexpr uint32_t kPlayer = 0x20000001;

class CountingListener : public NetworkRegionLoaderServer::LoadedListener {
public:
    void OnRegionsLoaded() override { ++calls; }
    int calls = 0;
};

class NetworkRegionLoaders : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        gEngine->GetWorld()->CreateRegion(5, {0, 0, 0}, ABBox({-100, -100, -100}, {100, 100, 100}));
        RegionLoader::SetFramesToLoad(2);
    }
    void TearDown() override
    {
        RegionLoader::SetFramesToLoad(RegionLoader::kDefaultFramesToLoad);
        GameEngineFixture::TearDown();
    }

    std::vector<int32_t> SentStates()
    {
        std::vector<int32_t> states;
        for (const auto& packet : TakeSent<NRLoaderStatePacket>()) {
            EXPECT_EQ(packet->playerId, kPlayer);
            states.push_back(packet->state);
        }
        return states;
    }

    static const WorldVec3 kHere;
};

const WorldVec3 NetworkRegionLoaders::kHere(5, Vec3(1, 0, 1));

TEST_F(NetworkRegionLoaders, WithoutARegionNoRegionLoaderAndAClientStaysLoading)
{
    NetworkRegionLoaderClient loader;
    loader.Register(WorldVec3(), kPlayer);
    for (int frame = 0; frame < 10; ++frame)
        loader.Update();
    EXPECT_EQ(loader.GetRegionLoader(), nullptr);
    EXPECT_EQ(loader.GetLocalState(), 1);
    EXPECT_EQ(SentStates(), std::vector<int32_t>{1});
}

TEST_F(NetworkRegionLoaders, AClientAnnouncesLoadingThenLoadedAndIsDoneWithItsPeer)
{
    auto* loader = new NetworkRegionLoaderClient();
    loader->Register(kHere, kPlayer);
    loader->Update(); // starts
    EXPECT_EQ(loader->GetRegionLoader()->GetRegionIds(), std::vector<uint32_t>{5});
    loader->Update();
    loader->Update();
    EXPECT_TRUE(loader->IsLocalDone());
    EXPECT_FALSE(loader->IsDone());
    EXPECT_EQ(SentStates(), (std::vector<int32_t>{1, 2}));
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, 2);
    EXPECT_TRUE(loader->IsDone());
    // Destroying it unregisters it.
    Game().DestroyNetworkLoader(loader);
    EXPECT_EQ(Game().FindNRLoader(kPlayer), nullptr);
}

TEST_F(NetworkRegionLoaders, AHeldServerLoaderNotifiesOnceAndFinishesOnlyAfterRelease)
{
    NetworkRegionLoaderServer loader;
    CountingListener listener;
    loader.AddLoadedListener(&listener);
    loader.Hold();
    loader.Register(kHere, kPlayer);
    loader.SetRemoteState(2);
    for (int frame = 0; frame < 6; ++frame)
        loader.Update();
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(loader.GetLocalState(), 1);
    EXPECT_EQ(SentStates(), std::vector<int32_t>{1});
    loader.Release();
    loader.Update();
    EXPECT_EQ(loader.GetLocalState(), 2);
    EXPECT_TRUE(loader.IsDone());
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(SentStates(), std::vector<int32_t>{2});
}

TEST_F(NetworkRegionLoaders, AnUnansweredServerLoaderStaysLoadingAndCallsNobody)
{
    NetworkRegionLoaderServer loader;
    CountingListener listener;
    loader.AddLoadedListener(&listener);
    loader.Register(kHere, kPlayer);
    for (int frame = 0; frame < 6; ++frame)
        loader.Update();
    EXPECT_EQ(loader.GetLocalState(), 1);
    EXPECT_EQ(listener.calls, 0);
    // The client's report arrives through the engine.
    Game().CtoS_HandleNRLoaderStateChangeInbound(kPlayer, 2);
    loader.Update();
    EXPECT_EQ(listener.calls, 1);
    EXPECT_TRUE(loader.IsDone());
}

TEST_F(NetworkRegionLoaders, TheServersOwnPlayerIsItsOwnPeer)
{
    NetworkRegionLoaderOwnPlayer loader;
    loader.Register(kHere, kPlayer);
    loader.Update();
    EXPECT_EQ(loader.GetRemoteState(), 1);
    EXPECT_FALSE(loader.IsDone());
    loader.Update();
    loader.Update();
    EXPECT_TRUE(loader.IsDone());
    // It announces as the server does: to every client.
    const auto sent = gEngine->GetNetworkConnectionManager().GetSentPackets();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].route, ConnectionManager::Route::Broadcast);
}

TEST_F(NetworkRegionLoaders, StatesOutsideTheThreeAndUnknownPlayersAreIgnored)
{
    NetworkRegionLoaderClient loader;
    loader.Register(kHere, kPlayer);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, 3);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, -1);
    EXPECT_EQ(loader.GetRemoteState(), 0);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "Region loader state 3 for player 536870913 ignored"),
              1u);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer + 1, 2);
    EXPECT_EQ(loader.GetRemoteState(), 0);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, 2);
    EXPECT_EQ(loader.GetRemoteState(), 2);
}

TEST_F(NetworkRegionLoaders, InboundLoadersFollowTheRoleAndThePlayer)
{
    Game().GetPlayerManagerClient()->SetMainPlayer(kPlayer);
    std::unique_ptr<NetworkRegionLoaderBase> own(Game().CreateNetworkLoaderInbound(kPlayer, kHere));
    std::unique_ptr<NetworkRegionLoaderBase> other(
        Game().CreateNetworkLoaderInbound(kPlayer + 1, kHere));
    EXPECT_NE(dynamic_cast<NetworkRegionLoaderOwnPlayer*>(own.get()), nullptr);
    EXPECT_NE(dynamic_cast<NetworkRegionLoaderServer*>(other.get()), nullptr);
    EXPECT_EQ(Game().FindNRLoader(kPlayer + 1), other.get());
    Game().SetAsNetworkClient();
    std::unique_ptr<NetworkRegionLoaderBase> client(
        Game().CreateNetworkLoaderInbound(kPlayer + 2, kHere));
    std::unique_ptr<NetworkRegionLoaderBase> made(Game().CreateNetworkLoader(kPlayer + 3, kHere));
    for (const NetworkRegionLoaderBase* loader : {client.get(), made.get()}) {
        EXPECT_NE(dynamic_cast<const NetworkRegionLoaderClient*>(loader), nullptr);
    }
}

} // namespace
} // namespace GAME::Test
