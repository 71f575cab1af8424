#include "game/GameEngine.h"

#include "core/DialogManager.h"
#include "engine/ABBox.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "engine/ZoneManager.h"
#include "game/ActivityManager.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/PlayerManagerServer.h"
#include "tests/support/GameEngineFixture.h"
#include "world/FixedItemTeleport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace GAME::Test {
namespace {

// An activity that only counts the ids handed out before it.
class Probe : public GameActivity {
public:
    void Update(int) override {}
    void Render(GraphicsCanvas&) override {}
    bool IsFinished() override { return true; }
};

class Travel : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord("Records/Item/Teleporters/ArtifactShrine.dbr",
                             {"Class = FixedItemTeleport"});
        Start();
        World& world = *gEngine->GetWorld();
        world.CreateRegion(5, {0, 0, 0}, ABBox({-100, -100, -100}, {100, 100, 100}));
        world.GetRegionById(5)->SetLevelLoaded(true);
    }

    // Activities installed since the last call, told by the ids handed out.
    uint32_t ActivitiesInstalled()
    {
        auto* probe = new Probe();
        ActivityManager::Get().InstallActivity(probe);
        const uint32_t count = probe->GetId() - 1 - lastProbeId;
        lastProbeId = probe->GetId();
        return count;
    }

    static WorldCoords At(float x)
    {
        return WorldCoords(5, Coords::FromTranslation(Vec3(x, 0, 0)));
    }

    uint32_t lastProbeId = 0;
};

TEST_F(Travel, AskingWhileOwningAPortalCreatesNothingUntilYes)
{
    Player* player = MakeMainPlayer();
    gEngine->GetWorld()->SetCoords(player, At(3));
    Game().CreateFixedItemTeleport();
    ASSERT_EQ(Game().GetTeleportInfoList().size(), 1u);
    const uint32_t first = Game().GetTeleportInfoList()[0].teleportId;
    EXPECT_TRUE(Game().MainPlayerHasPersonalTeleport());

    Game().CreateFixedItemTeleport();
    EXPECT_EQ(Game().GetTeleportInfoList()[0].teleportId, first);

    Game().GetDialogManager().AddResponse({DialogManager::PartyFixedItemTeleport, true});
    Game().Update(16);
    // The second portal of an owner replaces the first in the list.
    ASSERT_EQ(Game().GetTeleportInfoList().size(), 1u);
    const uint32_t second = Game().GetTeleportInfoList()[0].teleportId;
    EXPECT_NE(second, first);
    EXPECT_NE(ObjectManager::Instance().GetObject<FixedItemTeleport>(second), nullptr);
    EXPECT_FALSE(Game().ValidateArtifactPortal(first));
}

TEST_F(Travel, RepeatedOrClashingHooksCreateNothingTwice)
{
    Game().CreateFixedItemTeleportNetHook(At(1), 0x20000001, 900, "a");
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    Game().CreateFixedItemTeleportNetHook(At(2), 0x20000002, 900, "b");
    ASSERT_EQ(Game().GetTeleportInfoList().size(), 1u);
    EXPECT_EQ(Game().GetTeleportInfoList()[0].recordName, "a");
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);

    // An id that already names an object keeps its entry but makes no portal.
    Player* player = MakeMainPlayer();
    const uint32_t taken = player->GetObjectId();
    Game().CreateFixedItemTeleportNetHook(At(3), 0x20000003, taken, "c");
    EXPECT_TRUE(Game().ValidateArtifactPortal(taken));
    EXPECT_EQ(ObjectManager::Instance().GetObject<Player>(taken), player);
    EXPECT_EQ(log.CountContaining("not created: the id is in use"), 1u);

    Game().DestroyFixedItemTeleportNetHook(0x20000001);
    Game().DestroyFixedItemTeleportNetHook(taken);
    EXPECT_TRUE(Game().GetTeleportInfoList().empty());
}

TEST_F(Travel, AClientListsPortalsWithoutObjects)
{
    Game().SetAsNetworkClient();
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    Game().CreateFixedItemTeleportNetHook(At(1), 0x20000001, 901, "a");
    EXPECT_TRUE(Game().HasFixedItemTeleport(0x20000001));
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);
}

TEST_F(Travel, AJoiningPlayerLearnsEveryPortalAndTheLocalZoneIsFound)
{
    Game().SetAsNetworkServer();
    Game().GetPlayerManagerClient()->SetMainPlayer(0x10000001);
    Game().CreateFixedItemTeleportNetHook(WorldCoords(), 0x10000001, 901, "none");
    Game().CreateFixedItemTeleportNetHook(At(1), 0x20000001, 902, "b");
    EXPECT_EQ(Game().GetMainPlayersPersonalPortalZone(), 0u);
    Game().CreateFixedItemTeleportNetHook(At(2), 0x10000001, 903, "c");
    ZoneManager::Instance().SetActForRegion(5, 2);
    EXPECT_EQ(Game().GetMainPlayersPersonalPortalZone(), 2u);
    ZoneManager::Instance().Clear();

    TakeSent<CreateItemTeleportPacket>();
    PlayerNetBasicInfo joiner;
    joiner.playerId = 0x30000001;
    Game().GetPlayerManagerServer()->HandleNewPlayer(joiner);
    const auto sent = TakeSent<CreateItemTeleportPacket>();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0]->objectId, 902u);
    EXPECT_EQ(sent[1]->objectId, 903u);
}

TEST_F(Travel, PropagationSkipsTheTeleportersAndTheServersOwnHosts)
{
    Game().SetAsNetworkServer();
    Game().GetPlayerManagerClient()->SetMainPlayer(0x10000001);
    std::vector<PlayerNetBasicInfo> players(4);
    const uint32_t ids[] = {0x10000001, 0x20000001, 0x30000001, 0x40000002};
    for (size_t i = 0; i < players.size(); ++i)
        players[i].playerId = ids[i];
    Game().GetPlayerManagerClient()->HandlePlayerUpdate(players);
    gEngine->GetNetworkConnectionManager().ClearSentPackets();

    Game().ServerPropegateTeleport(0x20000001, 7, -8, 9);
    const auto& sent = gEngine->GetNetworkConnectionManager().GetSentPackets();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].route, ConnectionManager::Route::ToHost);
    EXPECT_EQ(sent[0].host, 3);
    EXPECT_EQ(sent[1].host, 4);
}

// Which variant runs shows in what it tells the other machines at once.
TEST_F(Travel, TheTeleportVariantFollowsRoleAndPlayer)
{
    Player* player = MakeMainPlayer();
    const uint32_t local = player->GetObjectId();
    struct Case {
        bool client;
        uint32_t who;
        size_t packets;
        ConnectionManager::Route route;
    };
    const Case cases[] = {
        {false, local, 1, ConnectionManager::Route::Broadcast},   // local server
        {false, 0x20000001, 0, ConnectionManager::Route::ToHost}, // non-local server, alone
        {true, local, 1, ConnectionManager::Route::Send},         // local client
        {true, 0x20000001, 0, ConnectionManager::Route::Send},    // non-local client
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.client);
        if (c.client)
            Game().SetAsNetworkClient();
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        Game().InstallTeleportActivity(c.who, 1, 0, 1);
        const auto& sent = gEngine->GetNetworkConnectionManager().GetSentPackets();
        ASSERT_EQ(sent.size(), c.packets);
        if (c.packets != 0) {
            EXPECT_EQ(sent[0].route, c.route);
        }
    }
    EXPECT_EQ(ActivitiesInstalled(), 4u);
}

TEST_F(Travel, AClientRespawnAlsoAsksTheServer)
{
    MakeMainPlayer();
    const WorldVec3 where(5, Vec3(1, 2, 3));
    const uint32_t id = Game().StartRespawnForLocalPlayer(where);
    EXPECT_NE(id, 0u);
    EXPECT_TRUE(Game().IsDeathLoaderActive(id));
    EXPECT_TRUE(TakeSent<StartServerRespawnPacket>().empty());

    Game().SetAsNetworkClient();
    Game().StartRespawnForLocalPlayer(where);
    EXPECT_EQ(TakeSent<StartServerRespawnPacket>().size(), 1u);
}

TEST_F(Travel, ReceivedMessagesForUnknownPlayersStartNothing)
{
    Game().SetAsNetworkServer();
    StartServerRespawnPacket respawn;
    respawn.playerId = 0x20000001;
    respawn.location = WorldVec3(5, Vec3(1, 0, 1));
    StartTeleportPacket teleport;
    teleport.playerId = 0x20000001;
    teleport.x = std::numeric_limits<float>::quiet_NaN();
    teleport.y = 1e30f;
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(respawn, Game()));
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(teleport, Game()));
    EXPECT_EQ(ActivitiesInstalled(), 0u);

    Player* other = MakeMainPlayer();
    Game().GetPlayerManagerClient()->SetMainPlayer(0);
    respawn.playerId = other->GetObjectId();
    teleport.playerId = other->GetObjectId();
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(respawn, Game()));
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(teleport, Game()));
    EXPECT_EQ(ActivitiesInstalled(), 2u);

    // A client takes no respawn requests.
    Game().SetAsNetworkClient();
    EXPECT_FALSE(InboundPacketDispatcher::DispatchToEngine(respawn, Game()));
    EXPECT_EQ(ActivitiesInstalled(), 0u);
}

} // namespace
} // namespace GAME::Test
