#include "ai/ControllerMonster.h"
#include "characters/AnimationSet.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "core/GameEvents.h"
#include "engine/Actor.h"
#include "engine/Jukebox.h"
#include "engine/NetworkIndex.h"
#include "engine/SoundPak.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/QuestCommandPackets.h"
#include "quests/CreatureCommandActions.h"
#include "quests/DoorLockActions.h"
#include "quests/ItemHandOutActions.h"
#include "quests/PresentationActions.h"
#include "quests/QuestLocation.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TrimAnnounce.h"
#include "tests/support/WorldCommandFixture.h"
#include "world/FixedItemConfigCommands.h"
#include "world/FixedItemDoor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace GAME {
namespace {

using Test::Announce;
using Test::AnnounceEntity;
using Test::AnnounceFixedItem;
using Test::Heard;

constexpr const char* kSword = "Records/Items/Sword.dbr";
constexpr const char* kLoot = "Records/Items/SwordTable.dbr";
constexpr const char* kRaider = "Records/Creatures/Raider.dbr";

class WorldCommandActions : public Test::WorldCommandFixture {
protected:
    void WriteItems()
    {
        database.WriteRecord(kSword, {"Class = ItemEquipment"});
        database.WriteRecord(kLoot, {"Class = LootItemTable_FixedWeight",
                                     std::string("lootName1 = ") + kSword, "lootWeight1 = 1"});
    }
    void TearDown() override
    {
        Actor::SetCommandObserver(nullptr);
        WorldCommandFixture::TearDown();
    }

    Monster* Raider(const Vec3& at = {0, 0, 0})
    {
        return SpawnAt<Monster>(kRaider, {"Class = Monster"}, at);
    }
    // A monster with an AI controller under it, as spawned monsters have.
    Monster* ControlledRaider()
    {
        Monster* monster = Raider();
        auto* controller = static_cast<ControllerMonster*>(
            ObjectManager::Instance().CreateObject("ControllerMonster"));
        monster->SetControllerId(controller->GetObjectId());
        controller->AttachParent(monster->GetObjectId());
        return monster;
    }
    static std::vector<uint32_t> Types(const std::vector<std::unique_ptr<NetPacket>>& packets)
    {
        std::vector<uint32_t> types;
        for (const auto& packet : packets)
            types.push_back(packet != nullptr ? packet->GetType() : 0u);
        return types;
    }
};

TEST_F(WorldCommandActions, DropGivesOneItemPerCreatureAndKeepsTheLastId)
{
    WriteItems();
    auto* drop = Make<Action_DropItemFromNpc>("Action_DropItemFromNpc", [](auto& a) {
        a.SetNpc("records\\creatures\\RAIDER.dbr");
        a.SetItemNormal(kSword);
    });
    drop->Fire(0, false);
    EXPECT_TRUE(drop->IsPendingFire());
    const Monster* first = Raider();
    Announce(kRaider, first->GetObjectId());
    const uint32_t firstItem = drop->GetItemId();
    ASSERT_NE(ObjectManager::Instance().GetObject<Item>(firstItem), nullptr);
    EXPECT_FALSE(drop->IsPendingFire());

    // Fired again with two creatures known: one more item each, the id the last one's.
    Announce(kRaider, Raider({4, 0, 0})->GetObjectId());
    drop->Fire(0, false);
    int dropped = 0;
    for (uint32_t id = firstItem + 1; id <= drop->GetItemId(); ++id) {
        const Item* item = ObjectManager::Instance().GetObject<Item>(id);
        dropped += item != nullptr && item->IsInWorld() && item->GetObjectName() == kSword;
    }
    EXPECT_EQ(dropped, 2);
    EXPECT_NE(ObjectManager::Instance().GetObject<Item>(drop->GetItemId()), nullptr);
}

TEST_F(WorldCommandActions, DropFromALootTableSeedsTheItemAfterTheNames)
{
    WriteItems();
    auto* drop = Make<Action_DropItemFromNpc>("Action_DropItemFromNpc", [](auto& a) {
        a.SetNpc(kRaider);
        a.SetItemNormal(kLoot);
    });
    Announce(kRaider, Raider()->GetObjectId());
    gGameEngine->GetRandomGen().Seed(4711);
    RandomUniform replay;
    replay.Seed(4711);
    ItemReplicaInfo expected;
    ASSERT_TRUE(DrawLootItemNames(kLoot, expected, replay));
    const uint32_t seed = static_cast<uint32_t>(replay.IGenerate(0, 10000));

    drop->Fire(0, false);
    const Item* item = ObjectManager::Instance().GetObject<Item>(drop->GetItemId());
    ASSERT_NE(item, nullptr);
    ItemReplicaInfo info;
    item->GetItemReplicaInfo(info);
    EXPECT_EQ(info.baseName, kSword);
    EXPECT_EQ(info.seed, seed);
}

TEST_F(WorldCommandActions, DispenseWaitsForAnNpcOrMonsterAndRemoveTakesFromTheLocalPlayer)
{
    WriteItems();
    auto* dispense = Make<Action_DispenseItemFromNpc>("Action_DispenseItemFromNpc", [](auto& a) {
        a.SetNpc(kRaider);
        a.SetItemEpic(kSword);
    });
    gEngine->GetGameInfo().SetDifficulty(1);
    Announce(kRaider, player->GetObjectId() + 1000);
    Announce(kRaider, MakeProxy({"Class = Proxy"})->GetObjectId());
    dispense->Fire(0, false);
    EXPECT_TRUE(dispense->IsPendingFire());
    auto* elder = static_cast<Npc*>(ObjectManager::Instance().CreateObject("Npc"));
    Announce(kRaider, elder->GetObjectId());
    EXPECT_FALSE(dispense->IsPendingFire());
    EXPECT_EQ(elder->GetDispenseItem(player->GetObjectId()), kSword);
    dispense->Fire(0, false);
    Announce(kRaider, ControlledRaider()->GetObjectId());
    EXPECT_FALSE(dispense->IsPendingFire());

    auto* remove = Make<Action_RemoveItemFromInventory>("Action_RemoveItemFromInventory",
                                                        [](auto& a) { a.SetItemName(kSword); });
    player->GiveItemToCharacter(ObjectManager::Instance().CreateObjectFromFile<Item>(kSword));
    ASSERT_TRUE(player->HasItem(std::string(kSword)));
    remove->Fire(elder->GetObjectId(), false);
    EXPECT_FALSE(player->HasItem(std::string(kSword)));
}

TEST_F(WorldCommandActions, ChestGetsTheDifficultysItemForEveryPartyMember)
{
    auto* chest = Make<Action_DispenseItemFromChest>("Action_DispenseItemFromChest", [](auto& a) {
        a.SetChest(kChest);
        a.SetItemNormal(kSword);
    });
    chest->Fire(0, false);
    FixedItem* box = SpawnAt<FixedItem>(kChest, {"Class = FixedItem"});
    AnnounceFixedItem("RECORDS/SPAWN/chest.dbr", box->GetObjectId());
    EXPECT_FALSE(chest->IsPendingFire());
    const ItemReplicaInfo given = box->GetDropPerPartyMemberItem();
    EXPECT_EQ(std::make_tuple(given.id, given.baseName, given.prefixName, given.seed),
              std::make_tuple(0u, std::string(kSword), std::string(), 0u));
}

TEST_F(WorldCommandActions, EmptyNamesMeanTheLocalPlayerAndAClientSendsRequests)
{
    BecomeClient();
    TakePackets();
    MoveTo(player, {3, 0, 5});
    auto* task = Make<Action_TaskCreatureToLocation>("Action_TaskCreatureToLocation");
    auto* skill = Make<Action_FireSkill>("Action_FireSkill",
                                         [](auto& a) { a.SetSkill("Records/Skills/Roar.dbr"); });
    auto* animation = Make<Action_NpcPlayAnimation>("Action_NpcPlayAnimation", [](auto& a) {
        a.SetNpc(kRaider);
        a.SetAnimation(3);
        a.SetLooping(true);
    });
    const Monster* raider = Raider();
    Announce(kRaider, raider->GetObjectId());
    task->Fire(0, false);
    animation->Fire(0, false);
    skill->Fire(0, false);

    const auto packets = TakePackets();
    ASSERT_EQ(Types(packets), (std::vector<uint32_t>{56, 58, 59}));
    const auto& move = static_cast<const QuestCommandMovePacket&>(*packets[0]);
    EXPECT_EQ(move.characterId, player->GetObjectId());
    EXPECT_EQ(move.target, player->GetCoords().GetPosition());
    const auto& play = static_cast<const QuestCommandPlayAnimationPacket&>(*packets[1]);
    EXPECT_EQ(std::make_tuple(play.characterId, play.animation, play.looping),
              std::make_tuple(raider->GetObjectId(), 3u, true));
    const auto& use = static_cast<const QuestCommandUseSkillPacket&>(*packets[2]);
    EXPECT_EQ(std::make_tuple(use.characterId, use.targetId, use.skillName),
              std::make_tuple(player->GetObjectId(), player->GetObjectId(),
                              std::string("Records/Skills/Roar.dbr")));
    for (const WaitingAction* action :
         {static_cast<WaitingAction*>(task), static_cast<WaitingAction*>(animation),
          static_cast<WaitingAction*>(skill)})
        EXPECT_FALSE(action->IsPendingFire()) << action->GetName();
}

TEST_F(WorldCommandActions, AClientNeitherDisablesPoolsNorSpawnsButStopsWaiting)
{
    Proxy* pool = MakeProxy({"Class = Proxy"});
    database.WriteRecord("Records/Quests/Spot.dbr", {"Class = QuestLocation"});
    auto* spot =
        ObjectManager::Instance().CreateObjectFromFile<QuestLocation>("Records/Quests/Spot.dbr");
    auto* disable = Make<Action_DisableProxy>(
        "Action_DisableProxy", [&](auto& a) { a.SetProxy(pool->GetObjectName().c_str()); });
    auto* spawn = Make<Action_SpawnEntityAtLocation>("Action_SpawnEntityAtLocation", [](auto& a) {
        a.SetEntity(kRaider);
        a.SetLocation("Records/Quests/Spot.dbr");
    });
    BecomeClient();
    TakePackets();
    AnnounceEntity(pool->GetObjectName(), pool->GetObjectId());
    AnnounceEntity("Records/Quests/Spot.dbr", spot->GetObjectId());
    disable->Fire(0, false);
    spawn->Fire(0, false);
    EXPECT_FALSE(pool->HasRun());
    EXPECT_FALSE(disable->IsPendingFire());
    EXPECT_FALSE(spawn->IsPendingFire());
    EXPECT_TRUE(TakePackets().empty());
}

TEST_F(WorldCommandActions, InvincibilityAndKillReachControlledCreaturesOnly)
{
    Monster* raider = ControlledRaider();
    Monster* loner = Raider({5, 0, 0});
    auto* invincible = Make<Action_SetCharacterInvincible>("Action_SetCharacterInvincible",
                                                           [](auto& a) { a.SetNpc(kRaider); });
    Announce(kRaider, loner->GetObjectId());
    invincible->Fire(0, false);
    EXPECT_TRUE(invincible->IsPendingFire());
    Announce(kRaider, raider->GetObjectId());
    EXPECT_TRUE(raider->IsInvincible());
    EXPECT_FALSE(loner->IsInvincible());
    EXPECT_FALSE(invincible->IsPendingFire());

    raider->SetInvincible(false);
    auto* kill = Make<Action_KillCreature>("Action_KillCreature",
                                           [](auto& a) { a.SetCreatureRecord(kRaider); });
    kill->Fire(0, false);
    GAME::Test::AnnounceAs<GameEvent_CreatureSpawn>("GameEvent_CreatureSpawn", kRaider,
                                                    raider->GetObjectId());
    EXPECT_FALSE(raider->IsAlive());
    EXPECT_FALSE(kill->IsPendingFire());
}

TEST_F(WorldCommandActions, AReloadKeepsTheTasksPendingFiringButNotTheKill)
{
    const auto configureTask = [](Action_TaskCreatureToLocation& a) { a.SetCreature(kRaider); };
    const auto configureKill = [](Action_KillCreature& a) { a.SetCreatureRecord(kRaider); };
    auto* task =
        Make<Action_TaskCreatureToLocation>("Action_TaskCreatureToLocation", configureTask);
    auto* kill = Make<Action_KillCreature>("Action_KillCreature", configureKill);
    task->Fire(0, false);
    kill->Fire(0, false);
    auto* restoredTask = Reloaded<Action_TaskCreatureToLocation>(*task, configureTask);
    auto* restoredKill = Reloaded<Action_KillCreature>(*kill, configureKill);
    actions.erase(actions.begin(), actions.begin() + 2);
    EXPECT_TRUE(restoredTask->IsPendingFire());
    EXPECT_FALSE(restoredKill->IsPendingFire());

    BecomeClient();
    TakePackets();
    Monster* raider = ControlledRaider();
    Announce(kRaider, raider->GetObjectId());
    GAME::Test::AnnounceAs<GameEvent_CreatureSpawn>("GameEvent_CreatureSpawn", kRaider,
                                                    raider->GetObjectId());
    EXPECT_FALSE(restoredTask->IsPendingFire());
    EXPECT_EQ(Types(TakePackets()), std::vector<uint32_t>{56});
    EXPECT_TRUE(raider->IsAlive());
}

struct DoorRow {
    const char* name;
    bool client;
    bool reFire;
    std::vector<std::pair<int, bool>> queued; // state, playSounds
};

class DoorCommands : public WorldCommandActions, public ::testing::WithParamInterface<DoorRow> {};

TEST_P(DoorCommands, QueueTheStateWithSoundsOnlyWhenFiredAfresh)
{
    const DoorRow& row = GetParam();
    auto* door = Make<DoorAction>(row.name, [](DoorAction& a) { a.SetDoor("Doors\\Gate.dbr"); });
    EXPECT_STREQ(door->GetDoor(), "Doors/Gate.dbr");
    std::vector<std::pair<int, bool>> queued;
    Actor::SetCommandObserver([&](const Actor&, const ActorConfigCommand& command) {
        if (const auto* change = dynamic_cast<const FixedItemStateChangeConfigCmd*>(&command))
            queued.emplace_back(change->GetState(), change->GetPlaySounds());
    });
    auto* gate = SpawnAt<FixedItemDoorBase>("Doors/Gate.dbr", {"Class = FixedItemDoor"});
    ASSERT_NE(gate, nullptr);
    if (row.client)
        BecomeClient();
    door->Fire(0, row.reFire);
    AnnounceFixedItem("doors\\gate.DBR", gate->GetObjectId());
    EXPECT_EQ(queued, row.queued);
}

INSTANTIATE_TEST_SUITE_P(Rows, DoorCommands,
                         ::testing::Values(DoorRow{"Action_OpenDoor", false, false, {{11, true}}},
                                           DoorRow{"Action_OpenDoor", false, true, {{11, false}}},
                                           DoorRow{"Action_OpenDoor", true, true, {}},
                                           DoorRow{"Action_CloseDoor", true, true, {{9, false}}},
                                           DoorRow{"Action_CloseDoor", false, false, {{9, true}}}));

TEST_F(WorldCommandActions, ALockFiredEarlyLocksThePoolsAccessoryObjects)
{
    database.WriteRecord("Records/Spawn/Chests.dbr",
                         {"fixedItemChance = 100", std::string("fixedItemName1 = ") + kChest,
                          "fixedItemWeight1 = 1"});
    Proxy* pool = MakeProxy({"Class = Proxy", "accessory1 = Records/Spawn/Chests.dbr"});
    auto* lock = Make<Action_LockFixedItem>(
        "Action_LockFixedItem", [&](auto& a) { a.SetFixedItem(pool->GetObjectName().c_str()); });
    lock->Fire(0, false);
    EXPECT_TRUE(lock->IsPendingFire());
    pool->InitialUpdate();
    ASSERT_EQ(lock->GetFixedItemIds().size(), 1u);
    const auto* chest =
        ObjectManager::Instance().GetObject<FixedItem>(lock->GetFixedItemIds().front());
    ASSERT_NE(chest, nullptr);
    EXPECT_TRUE(chest->IsLocked());
    EXPECT_FALSE(lock->IsPendingFire());
}

TEST_F(WorldCommandActions, OnAClientEachLockIsFirstARequest)
{
    FixedItem* first = SpawnAt<FixedItem>(kChest, {"Class = FixedItem"});
    FixedItem* second = SpawnAt<FixedItem>(kChest, {"Class = FixedItem"});
    first->SetLock(true);
    second->SetLock(true);
    database.WriteRecord("Records/Spawn/Pool.dbr", {"Class = ProxyPool"});
    auto* unlock = Make<Action_UnlockFixedItem>(
        "Action_UnlockFixedItem", [](auto& a) { a.SetFixedItem("Records/Spawn/Pool.dbr"); });
    BecomeClient();
    TakePackets();
    unlock->Fire(0, false);
    QuestNetMsg_ProxySpawn news;
    news.nameIndex = StringToNetworkIndex("Records/Spawn/Pool.dbr");
    news.accessoryObjects = {first->GetObjectId(), second->GetObjectId()};
    QuestRepository::Get().OnGenericEntityInitialUpdate_Net(news);
    const auto packets = TakePackets();
    ASSERT_EQ(Types(packets), (std::vector<uint32_t>{60, 60}));
    const auto& request = static_cast<const QuestCommandLockFixedItemPacket&>(*packets[1]);
    EXPECT_EQ(std::make_tuple(request.objectId, request.locked),
              std::make_tuple(second->GetObjectId(), false));
    EXPECT_FALSE(first->IsLocked());
    EXPECT_FALSE(second->IsLocked());
}

TEST_F(WorldCommandActions, ScreenAndCameraEventsConvertTheirTimes)
{
    Heard<GameEvent_ScreenFade> fades("GameEvent_ScreenFade");
    Heard<GameEvent_CameraShake> shakes("GameEvent_CameraShake");
    auto* fade = Make<Action_ScreenFade>("Action_ScreenFade", [](auto& a) {
        a.SetFadeInOut(1.5f);
        a.SetBlackout(0.0009f);
    });
    fade->Fire(0, false);
    fade->SetFadeInOut(std::numeric_limits<float>::quiet_NaN());
    fade->SetBlackout(1.0e12f);
    fade->Fire(0, false);
    ASSERT_EQ(fades.events.size(), 2u);
    EXPECT_EQ(std::make_tuple(fades.events[0].fadeInOutMs, fades.events[0].blackoutMs,
                              fades.events[0].red, fades.events[0].alpha),
              std::make_tuple(1500, 0, 0.0f, 1.0f));
    EXPECT_EQ(std::make_tuple(fades.events[1].fadeInOutMs, fades.events[1].blackoutMs),
              std::make_tuple(0, INT32_MAX));

    auto* shake = Make<Action_ScreenShake>("Action_ScreenShake", [](auto& a) {
        a.SetDuration(0);
        a.SetAmplitude(4);
    });
    shake->Fire(0, false);
    EXPECT_TRUE(shakes.events.empty());
    shake->SetDuration(250);
    shake->Fire(0, false);
    ASSERT_EQ(shakes.events.size(), 1u);
    EXPECT_EQ(std::make_tuple(shakes.events[0].durationMs, shakes.events[0].amplitude),
              std::make_tuple(250, 4.0f));
}

TEST_F(WorldCommandActions, MusicAndDebugTextGoToTheirServices)
{
    const std::vector<std::string> names = {"Action_LoadAmbientPlaylist",
                                            "Action_LoadMusicPlaylist", "Action_FadeInMusic",
                                            "Action_FadeOutMusic", "Action_LoadEventMusic"};
    for (const std::string& name : names) {
        TriggerAction* action = Make<TriggerAction>(name.c_str(), [](TriggerAction& a) {
            if (auto* list = dynamic_cast<PlaylistAction*>(&a))
                list->SetPlaylist("Records/Music/Storm.dbr");
        });
        action->Fire(0, false);
    }
    auto* end = Make<Action_FadeOutEventMusic>("Action_FadeOutEventMusic",
                                               [](auto& a) { a.SetTime(2.5f); });
    end->Fire(0, false);
    std::vector<std::tuple<int, std::string, int32_t, bool>> requests;
    for (const Jukebox::Request& request : TakeJukebox())
        requests.emplace_back(request.type, request.name, request.milliseconds, request.flag);
    const std::string storm = "Records/Music/Storm.dbr";
    EXPECT_EQ(requests, (std::vector<std::tuple<int, std::string, int32_t, bool>>{
                            {Jukebox::LoadAmbientPlaylistRequest, storm, 0, false},
                            {Jukebox::LoadMusicPlaylistRequest, storm, 0, false},
                            {Jukebox::FadeInMusicRequest, "", 0, false},
                            {Jukebox::FadeOutMusicRequest, "", 5000, false},
                            {Jukebox::PlayEventMusicRequest, storm, 0, false},
                            {Jukebox::EndEventMusicRequest, "", 2500, false}}));

    auto* debug = Make<Action_DebugText>(
        "Action_DebugText", [](auto& a) { a.SetDebugText(std::string(600, 'x').c_str()); });
    debug->Fire(0, false);
    GAME::Test::RecordingUserInterface screen;
    gGameEngine->SetUI(&screen);
    debug->Fire(0, false);
    gGameEngine->SetUI(nullptr);
    ASSERT_EQ(screen.debugTexts.size(), 1u);
    EXPECT_EQ(screen.debugTexts[0], std::wstring(512, L'x'));
}

TEST_F(WorldCommandActions, APlayedSoundPakIsKeptUntilTheNextOneAndUnplayedOnesGoAtOnce)
{
    database.WriteRecord("Records/Sounds/Horn.dbr", {"Class = SoundPak"});
    auto* sound = Make<Action_PlaySoundEffect>(
        "Action_PlaySoundEffect", [](auto& a) { a.SetEffect("Records/Sounds/Horn.dbr"); });
    ObjectManager& objects = ObjectManager::Instance();
    sound->Fire(0, false);
    EXPECT_EQ(sound->GetPlayedPakId(), 0u);
    sound->Fire(player->GetObjectId(), false);
    const uint32_t first = sound->GetPlayedPakId();
    ASSERT_NE(objects.GetObject<SoundPak>(first), nullptr);
    EXPECT_EQ(objects.GetObject<SoundPak>(first)->GetPlayRequests().size(), 1u);
    sound->Fire(player->GetObjectId(), false);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObject<SoundPak>(first), nullptr);
    const uint32_t second = sound->GetPlayedPakId();
    actions.clear();
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObject<SoundPak>(second), nullptr);
}

struct RegistrationRow {
    const char* name;
    bool canReFire;
    bool canDelay;
    const char* description; // with no properties set
};

class ActionRegistration : public WorldCommandActions,
                           public ::testing::WithParamInterface<RegistrationRow> {};

TEST_P(ActionRegistration, IsMadeByNameAndAnswersItsRow)
{
    const RegistrationRow& row = GetParam();
    std::unique_ptr<TriggerAction> action = TriggerActionFactory::Get().Create(row.name, 7);
    ASSERT_NE(action, nullptr);
    EXPECT_STREQ(action->GetName(), row.name);
    EXPECT_EQ(action->CanReFire(), row.canReFire);
    EXPECT_EQ(action->CanDelay(), row.canDelay);
    EXPECT_EQ(action->GetDescription(), row.description);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ActionRegistration,
    ::testing::Values(
        RegistrationRow{"Action_DispenseItemFromNpc", true, true,
                        "Dispense Item {B[empty],[empty],[empty]} From NPC {B[empty]}"},
        RegistrationRow{"Action_DropItemFromNpc", false, true,
                        "Drop Item {B[empty],[empty],[empty]} From {B[empty]}"},
        RegistrationRow{"Action_TaskCreatureToLocation", true, true,
                        "Task {B[empty]} To {B[empty]} and {B Don't Fight}"},
        RegistrationRow{"Action_UnlockFixedItem", true, true,
                        "Unlock Fixed Item {B[empty]} and {BRefire}"},
        RegistrationRow{"Action_KillCreature", false, false, "Kill Creature {B[empty]}"},
        RegistrationRow{"Action_FadeInMusic", false, true, "Fade In Music"},
        RegistrationRow{"Action_SetCharacterInvincible", true, false, "Make {B[empty]} invincible"},
        RegistrationRow{"Action_TeleportPlayer", false, true, "Teleport Player to {(0.,0.,0.)}"},
        RegistrationRow{"Action_SetTimeOfDay", false, false, "Set Time Of Day to {B0.} Hour"},
        RegistrationRow{"Action_DebugText", false, false, "Display Debug Text {B\"\"}"},
        RegistrationRow{"Action_ScreenShake", false, false,
                        "Screen Shake {B0} amplitude for {B0}ms"},
        RegistrationRow{"Action_FireSkill", false, true,
                        "Fire Skill {B[empty]} from {B[empty]} to {B[empty]} and {BDon't Allow "
                        "Interruptions}"}));

TEST_F(WorldCommandActions, DescriptionsShowBareRecordNames)
{
    auto* animation = Make<Action_NpcPlayAnimation>("Action_NpcPlayAnimation", [](auto& a) {
        a.SetNpc("Records\\Npc\\Elder.dbr");
        a.SetAllowInterruptions(true);
    });
    EXPECT_EQ(animation->GetDescription(),
              "Npc {BElder} play animation {B" +
                  AnimationSet::GetAnimTypeAsText(static_cast<AnimationSet_Type>(0)) +
                  "} and {BAllow Interruptions}");
    auto* teleport = Make<Action_TeleportPlayer>("Action_TeleportPlayer", [](auto& a) {
        a.SetTeleportXCoord(1.5f);
        a.SetTeleportZCoord(-2.0f);
        a.SetRegionId(7);
    });
    EXPECT_EQ(teleport->GetDescription(), "Teleport Player to {(1.5,0.,-2.)}");
    EXPECT_EQ(teleport->GetRegionId(), 7.0f);
    auto* fight = Make<Action_TaskCreatureToLocation>("Action_TaskCreatureToLocation", [](auto& a) {
        a.SetCreature(kRaider);
        a.SetLocation("Q/Spot.dbr");
        a.SetFight(true);
    });
    EXPECT_EQ(fight->GetDescription(), "Task {BRaider} To {BSpot} and {B Fight}");
}

} // namespace
} // namespace GAME
