#include "game/GameEngine.h"

#include "core/DialogManager.h"
#include "engine/LocalizationManager.h"
#include "engine/World.h"
#include "engine/ZoneManager.h"
#include "game/ActivityManager.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerManagerServer.h"
#include "skills/SkillProfile.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/PortalGameFixture.h"
#include "tests/support/RecordingUserInterface.h"
#include "world/FixedItemTeleport.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using GameEngineServices = CombatGameFixture;

PlayerNetBasicInfo Named(uint32_t id, const wchar_t* name)
{
    PlayerNetBasicInfo info;
    info.playerId = id;
    info.name = name;
    return info;
}

TEST_F(GameEngineServices, ChatPartyAnswersAndPetsKeepArrivalOrder)
{
    Game().AddChatMessage(L"Ann", L"hi", 1);
    Game().AddChatMessage(L"Bob", L"yo", 2);
    std::vector<ChatMessage> chat{ChatMessage{L"old", L"old", 0}};
    Game().RemovePendingMessages(chat);
    ASSERT_EQ(chat.size(), 2u);
    Game().RemovePendingMessages(chat);
    EXPECT_TRUE(chat.empty());

    Game().RegisterPartyRequestResponse(8, true);
    Game().RegisterPartyRequestResponse(9, false);
    EXPECT_EQ(Game().GetTopPartyRequestResponse().playerId, 8u);
    EXPECT_FALSE(Game().GetTopPartyRequestResponse().accepted);
    EXPECT_EQ(Game().GetTopPartyRequestResponse().playerId, 0u);

    Game().RegisterLocalPet(4);
    Game().RegisterLocalPet(4);
    Game().RegisterLocalPet(6);
    Game().UnregisterLocalPet(4);
    EXPECT_EQ(Game().GetLocalPetList(), std::vector<uint32_t>{6});
}

TEST_F(GameEngineServices, UnknownSkillResourceIsTheNullProfile)
{
    const Name name = Name::Create("Records/Skills/Unknown.dbr");
    EXPECT_EQ(Game().GetSkillResource(name), Game().GetNullSkillResource());

    LoadTable table;
    table.Parse("characterStrength = 4", "skill.dbr");
    const SkillProfile* loaded = Game().LoadSkillResource(name, table);
    EXPECT_EQ(loaded->GetCharAttrStore().GetAttributes().size(), 1u);
    EXPECT_EQ(Game().LoadSkillResource(name, LoadTable()), loaded) << "loaded once, then shared";
    EXPECT_EQ(Game().GetSkillResource(name), loaded);

    Game().Shutdown();
    EXPECT_EQ(Game().GetSkillResource(name), Game().GetNullSkillResource());
}

TEST_F(GameEngineServices, EachRenderingReasonIsSwitchedOnItsOwn)
{
    EXPECT_TRUE(Game().IsRenderingEnabled());
    Game().SetRenderingEnabled(false, RenderingDisable_Teleport);
    EXPECT_FALSE(Game().IsRenderingEnabled());
    Game().SetRenderingEnabled(true, RenderingDisable_Respawn);
    EXPECT_FALSE(Game().IsRenderingEnabled());
    Game().SetRenderingEnabled(true, RenderingDisable_Teleport);
    EXPECT_TRUE(Game().IsRenderingEnabled());

    Game().SetRenderingEnabled(false, RenderingDisable_Loading);
    Game().SetRenderingEnabled(false, RenderingDisable_Respawn);
    Game().ForceRenderingEnabled();
    EXPECT_TRUE(Game().IsRenderingEnabled());

    Game().SetRenderingEnabled(false, static_cast<RenderingDisable>(4));
    Game().SetRenderingEnabled(false, static_cast<RenderingDisable>(-1));
    EXPECT_TRUE(Game().IsRenderingEnabled());
}

TEST_F(GameEngineServices, AutoSaveOffSucceedsWithoutSaving)
{
    EXPECT_FALSE(Game().SaveGame());
    EXPECT_FALSE(Game().SaveQuest(true));
    EXPECT_FALSE(Game().DisplaySkillReallocationWindow(5));

    RecordingUserInterface ui;
    ui.questSaveAnswer = false;
    Game().SetUI(&ui);
    Game().SetAutoSave(false);
    EXPECT_TRUE(Game().AutoSave());
    EXPECT_TRUE(Game().AutoSaveQuest(true));
    EXPECT_EQ(ui.saves + ui.questSaves, 0);

    Game().SetAutoSave(true);
    EXPECT_TRUE(Game().AutoSave());
    EXPECT_FALSE(Game().AutoSaveQuest(true));
    EXPECT_EQ(ui.saves, 1);
    EXPECT_EQ(ui.questSaves, 1);
    Game().SetUI(nullptr);
}

TEST_F(GameEngineServices, TheGameWaitsForLoadingTeleportAndDeath)
{
    EXPECT_TRUE(Game().IsGameWaiting()) << "no main player";
    Player* player = MakeMainPlayer();
    EXPECT_TRUE(Game().IsGameWaiting()) << "still loading";
    Game().SetGameLoading(false);
    EXPECT_FALSE(Game().IsGameWaiting());
    player->SetTeleporting(true);
    EXPECT_TRUE(Game().IsGameWaiting());
    player->SetTeleporting(false);
    player->SetLifeState(LifeState_Dying);
    EXPECT_TRUE(Game().IsGameWaiting());
}

TEST_F(GameEngineServices, TryJumpReportsWhatIsMissing)
{
    Game().TryJump(4242);
    EXPECT_EQ(log.Count(1, "Entity: 4242 is not loaded."), 1u);

    Entity* target = static_cast<Entity*>(ObjectManager::Instance().CreateObject("Decoration"));
    WorldCoords there(0, Coords::FromTranslation(Vec3(3, 0, 4)));
    gEngine->GetWorld()->SetCoords(target, there);
    Game().TryJump(target->GetObjectId());
    EXPECT_EQ(log.Count(1, "Player is null!"), 1u);

    Player* player = MakeMainPlayer();
    Game().TryJump(target->GetObjectId());
    EXPECT_EQ(player->GetCoords(), there);
}

// The frame takes a ban answer only while the ban question is open, and leaves other answers.
TEST_F(GameEngineServices, BanningAsksFirstThenTellsTheOthers)
{
    LocalizationManager& texts = LocalizationManager::Instance();
    texts.Clear();
    texts.AddText("tagQuestionBan", L"Ban %s?");
    texts.AddText("tagMessageBan", L"%s is banned");
    Game().GetPlayerManagerClient()->HandlePlayerUpdate({Named(7, L"Ann"), Named(9, L"Bob")});
    DialogManager& dialogs = Game().GetDialogManager();
    dialogs.AddResponse({DialogManager::PartyTradeInvitation, true});
    dialogs.AddResponse({DialogManager::PartyFixedItemTeleport, true});
    dialogs.AddResponse({DialogManager::PartyBanPlayer, false});
    Game().Update(0);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyBanPlayer), 1u) << "no ban is asked";
    dialogs.GetResponseFor(DialogManager::PartyBanPlayer);

    Game().BanPlayer(9, true);
    ASSERT_EQ(dialogs.GetNumDialog(), 1u);
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"Ban Bob?");
    EXPECT_EQ(Game().GetNumNotifications(), 0u);

    dialogs.AddResponse({DialogManager::PartyBanPlayer, true});
    Game().Update(0);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyBanPlayer), 0u);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyTradeInvitation), 1u);
    ASSERT_EQ(Game().GetNumNotifications(), 1u) << "Ann, not Bob, is told";
    EXPECT_EQ(Game().TakeTopNotification().texts, std::vector<std::wstring>{L"Bob is banned"});

    dialogs.AddResponse({DialogManager::PartyBanPlayer, true});
    Game().Update(0);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyBanPlayer), 1u)
        << "the question was answered already";
    texts.Clear();
}

TEST_F(GameEngineServices, CreateEntityFixesTheIdBeforeItTravels)
{
    Game().SetAsNetworkServer();
    const WorldCoords coords(0, Coords::FromTranslation(Vec3(1, 2, 3)));
    Game().CreateEntity(coords, "Records/Props/Crate.dbr", 0);
    Game().CreateEntity(coords, "Records/Props/Crate.dbr", 77);
    const auto packets = TakeSent<CreateEntityPacket>();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_NE(packets[0]->objectId, 0u);
    EXPECT_EQ(ObjectManager::Instance().GetObject(packets[0]->objectId), nullptr);
    EXPECT_EQ(packets[1]->objectId, 77u);
}

TEST_F(GameEngineServices, ALoneInviterIsToldTheInvitationWent)
{
    Game().SetAsNetworkServer();
    Game().GetPlayerManagerClient()->SetMainPlayer(0x10000001);
    Game().InvitePlayerToParty(0x20000002, 0x10000001);

    const auto sent = gEngine->GetNetworkConnectionManager().TakeSentPackets();
    ASSERT_EQ(sent.size(), 2u);
    const auto told = ConnectionManager::DecodePacket(sent[0].bytes);
    const auto* message = dynamic_cast<const RemoteMessagePacket*>(told.get());
    EXPECT_EQ(message->receiver, 0x10000001u);
    EXPECT_EQ(message->textTag, "tagInviteSend");
    const auto invite = ConnectionManager::DecodePacket(sent[1].bytes);
    const auto* invitation = dynamic_cast<const InvitePartyConfigCmdPacket*>(invite.get());
    EXPECT_EQ(invitation->invitingPlayer, 0x20000002u);
}

// An activity that only counts the ids handed out before it.
class Probe : public GameActivity {
public:
    void Update(int) override {}
    void Render(GraphicsCanvas&) override {}
    bool IsFinished() override { return true; }
};

class Travel : public PortalGameFixture {
protected:
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
        return WorldCoords(kPortalRegion, Coords::FromTranslation(Vec3(x, 0, 0)));
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

TEST_F(Travel, RepeatedOrClashingHooksCreateNothingTwiceAndAClientNone)
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

    // A client lists portals without objects.
    Game().SetAsNetworkClient();
    const size_t clientObjects = ObjectManager::Instance().GetObjectCount();
    Game().CreateFixedItemTeleportNetHook(At(1), 0x20000001, 901, "a");
    EXPECT_TRUE(Game().HasFixedItemTeleport(0x20000001));
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), clientObjects);
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
