#include "game/GameEngine.h"

#include "core/DialogManager.h"
#include "engine/LocalizationManager.h"
#include "engine/World.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "skills/SkillProfile.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/RecordingUserInterface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using GameEngineServices = GameEngineFixture;

PlayerNetBasicInfo Named(uint32_t id, const wchar_t* name)
{
    PlayerNetBasicInfo info;
    info.playerId = id;
    info.name = name;
    return info;
}

TEST_F(GameEngineServices, ARepeatedNotificationIsQueuedOnce)
{
    Start();
    Game().AddUINotificationTag(3, "tagLevelUp", false);
    Game().AddUINotificationTag(3, "tagLevelUp", false);
    EXPECT_EQ(Game().GetNumNotifications(), 1u);
    // Only a repeat of the newest one is dropped.
    Game().AddUINotificationTag(4, "tagLevelUp", false);
    Game().AddUINotificationTag(3, "tagLevelUp", false);
    Game().AddUINotification(3, std::vector<std::wstring>{L"a", L"b"}, false);
    Game().AddUINotification(3, std::vector<std::wstring>{L"a", L"b"}, false);
    EXPECT_EQ(Game().GetNumNotifications(), 4u);
    EXPECT_EQ(Game().TakeTopNotification().tags, std::vector<std::string>{"tagLevelUp"});
    EXPECT_EQ(Game().TakeTopNotification().type, 4);

    // A notification that clears the queue first.
    Game().AddUINotification(9, L"fresh", true);
    ASSERT_EQ(Game().GetNumNotifications(), 1u);
    EXPECT_EQ(Game().TakeTopNotification().texts, std::vector<std::wstring>{L"fresh"});
    EXPECT_EQ(Game().TakeTopNotification(), UINotification());
}

TEST_F(GameEngineServices, ChatPartyAnswersAndPetsKeepArrivalOrder)
{
    Start();
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
    Start();
    const Name name = Name::Create("Records/Skills/Unknown.dbr");
    EXPECT_EQ(Game().GetSkillResource(name), Game().GetNullSkillResource());

    LoadTable table;
    table.Parse("characterStrength = 4", "skill.dbr");
    const SkillProfile* loaded = Game().LoadSkillResource(name, table);
    EXPECT_NE(loaded, Game().GetNullSkillResource());
    EXPECT_EQ(loaded->GetCharAttrStore().GetAttributes().size(), 1u);
    EXPECT_EQ(Game().LoadSkillResource(name, LoadTable()), loaded) << "loaded once, then shared";
    EXPECT_EQ(Game().GetSkillResource(name), loaded);

    Game().Shutdown();
    EXPECT_EQ(Game().GetSkillResource(name), Game().GetNullSkillResource());
}

TEST_F(GameEngineServices, EachRenderingReasonIsSwitchedOnItsOwn)
{
    Start();
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
    Start();
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
    Start();
    EXPECT_TRUE(Game().IsGameWaiting()) << "no main player";
    Player* player = MakeMainPlayer();
    EXPECT_TRUE(Game().IsGameWaiting()) << "still loading";
    Game().SetGameLoading(false);
    EXPECT_FALSE(Game().IsGameWaiting());
    player->SetTeleporting(true);
    EXPECT_TRUE(Game().IsGameWaiting());
    player->SetTeleporting(false);
    player->SetLifeState(LifeState_Dying);
    EXPECT_FALSE(Game().IsPlayerAlive());
    EXPECT_TRUE(Game().IsGameWaiting());
}

TEST_F(GameEngineServices, TryJumpReportsWhatIsMissing)
{
    Start();
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
    Start();
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
    EXPECT_EQ(dialogs.PeekTopDialog().party, DialogManager::PartyBanPlayer);
    EXPECT_EQ(Game().GetNumNotifications(), 0u);

    dialogs.AddResponse({DialogManager::PartyBanPlayer, true});
    Game().Update(0);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyBanPlayer), 0u);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyTradeInvitation), 1u);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyFixedItemTeleport), 1u);
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
    Start();
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
    Start();
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

} // namespace
} // namespace GAME::Test
