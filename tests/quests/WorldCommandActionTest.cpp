#include "ai/ControllerMonster.h"

#include "characters/BoatMasterData.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/Actor.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetworkIndex.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/QuestCommandPackets.h"
#include "quests/Action_IlluminateNpc.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/CreatureCommandActions.h"
#include "quests/Dialog.h"
#include "quests/DialogPak.h"
#include "quests/DoorLockActions.h"
#include "quests/ItemHandOutActions.h"
#include "quests/NpcTalkActions.h"
#include "quests/PresentationActions.h"
#include "quests/QuestLocation.h"
#include "quests/QuestRepository.h"
#include "tests/support/Announce.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/Must.h"
#include "tests/support/QuestGameFixture.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/WorldCommandFixture.h"
#include "world/FixedItemConfigCommands.h"
#include "world/FixedItemDoor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

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
        GAME::Test::GiveController<ControllerMonster>(*monster);
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
    const Item* item =
        GAME::Test::Must(ObjectManager::Instance().GetObject<Item>(drop->GetItemId()));
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
    const auto configureTask = [](auto& a) { a.SetCreature(kRaider); };
    const auto configureKill = [](auto& a) { a.SetCreatureRecord(kRaider); };
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
    bool client, reFire;
    std::vector<std::pair<int, bool>> queued; // state, playSounds
};

class DoorCommands : public WorldCommandActions, public ::testing::WithParamInterface<DoorRow> {};

TEST_P(DoorCommands, QueueTheStateWithSoundsOnlyWhenFiredAfresh)
{
    const DoorRow& row = GetParam();
    auto* door = Make<DoorAction>(row.name, [](auto& a) { a.SetDoor("Doors\\Gate.dbr"); });
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

TEST_F(WorldCommandActions, ScreenFadeConvertsItsTimesAndSaturates)
{
    Heard<GameEvent_ScreenFade> fades("GameEvent_ScreenFade");
    auto* fade = Make<Action_ScreenFade>("Action_ScreenFade", [](auto& a) {
        a.SetFadeInOut(1.5f);
        a.SetBlackout(0.0009f);
    });
    fade->Fire(0, false);
    fade->SetFadeInOut(std::numeric_limits<float>::quiet_NaN());
    fade->SetBlackout(1.0e12f);
    fade->Fire(0, false);
    ASSERT_EQ(fades.events.size(), 2u);
    EXPECT_EQ(std::make_tuple(fades.events[0].fadeInOutMs, fades.events[0].blackoutMs),
              std::make_tuple(1500, 0));
    EXPECT_EQ(std::make_tuple(fades.events[1].fadeInOutMs, fades.events[1].blackoutMs),
              std::make_tuple(0, INT32_MAX));
}

TEST_F(WorldCommandActions, DebugTextNeedsAScreenAndIsCutTo512Characters)
{
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
    sound->Fire(player->GetObjectId(), false);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObject<SoundPak>(first), nullptr);
    const uint32_t second = sound->GetPlayedPakId();
    actions.clear();
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObject<SoundPak>(second), nullptr);
}

constexpr const char* kElder = "Records/Creatures/NPC/Village/VillageElder.dbr";

class NpcTalkActions : public Test::QuestGameFixture {
protected:
    void SetUp() override
    {
        QuestGameFixture::SetUp();
        player = MakeMainPlayer();
    }
    Npc* Announce(const std::string& name = kElder)
    {
        auto* npc = DynamicCast<Npc>(ObjectManager::Instance().CreateObject("Npc"));
        GAME::Test::Announce(name, npc->GetObjectId());
        return npc;
    }
    // The action after the quest state was saved and loaded and its trigger fired again.
    template <typename A> A* Reloaded()
    {
        ReloadQuestState();
        return static_cast<A*>(QuestRepository::Get().FindActionById(0));
    }

    Player* player = nullptr;
};

TEST_F(NpcTalkActions, TalkBeforeTheNpcAnnouncedItselfIsLost)
{
    GAME::Test::Heard<GameEvent_GenericEntity> talks("GameEvent_ConversationBegin");
    auto* talk = LoadAction<Action_TalkNPC>("Action_TalkNPC", [](auto& a) { a.SetNPC(kElder); });
    talk->Fire(0, false);
    EXPECT_FALSE(talk->IsPendingFire());
    const Npc* elder = Announce();
    EXPECT_TRUE(talks.events.empty());
    EXPECT_EQ(talk->GetNpcId(), elder->GetObjectId());

    talk->Fire(0, false);
    ASSERT_EQ(talks.events.size(), 1u);
    EXPECT_EQ(talks.events[0].objectId, player->GetObjectId());
}

TEST_F(NpcTalkActions, BoatDialogCompletesOnAppearanceButNotAcrossAReload)
{
    // The reload first: the player keeps a ferryman once made.
    for (const bool reload : {true, false}) {
        SCOPED_TRACE(reload);
        auto* boat = LoadAction<Action_BoatDialog>("Action_BoatDialog", [](auto& a) {
            a.SetNPC(kElder);
            a.SetTag("tagFerry");
            a.SetX(4);
        });
        boat->Fire(0, false);
        EXPECT_TRUE(boat->IsPendingFire());
        if (reload)
            boat = Reloaded<Action_BoatDialog>();
        const Npc* ferryman = Announce();
        BoatMasterData data;
        EXPECT_EQ(player->GetBoatMaster(ferryman->GetObjectName(), data), !reload);
        EXPECT_FALSE(boat->IsPendingFire());
        QuestRepository::Destroy();
    }
}

TEST_F(NpcTalkActions, HiddenAgainOnRestoreOnlyWhenAllowed)
{
    for (const bool canReFire : {true, false}) {
        SCOPED_TRACE(canReFire);
        auto* hide = LoadAction<Action_HideNpc>("Action_HideNpc", [&](auto& a) {
            a.SetNpc(kElder);
            a.SetCanReFire(canReFire);
        });
        Npc* elder = Announce();
        hide->GetParent()->Fire(true);
        EXPECT_FALSE(elder->GetVisibility());
        elder->SetVisibility(true);
        Reloaded<Action_HideNpc>();
        Npc* restored = Announce();
        EXPECT_EQ(restored->GetVisibility(), !canReFire);
        QuestRepository::Destroy();
    }
}

TEST_F(NpcTalkActions, ClearStaysPendingAcrossAReload)
{
    database.WriteRecord("Records/Dialog/Elder.dbr", {"defaultDialogTextTag = tagElder"});
    auto* clear = LoadAction<Action_ClearNPCDialog>("Action_ClearNPCDialog",
                                                    [](auto& a) { a.SetNPC(kElder); });
    clear->Fire(0, false);
    clear = Reloaded<Action_ClearNPCDialog>();
    ASSERT_TRUE(clear->IsPendingFire());
    Npc* elder = DynamicCast<Npc>(ObjectManager::Instance().CreateObject("Npc"));
    elder->Dialog_ReplaceStatic("Records/Dialog/Elder.dbr", nullptr, false);
    ASSERT_TRUE(elder->HasDialog());
    clear->SetNpcId(elder->GetObjectId());
    clear->Apply();
    EXPECT_FALSE(elder->HasDialog());
    EXPECT_FALSE(clear->IsPendingFire());
}

TEST_F(NpcTalkActions, EndedIlluminationIsNotMarkedAgainOnRestore)
{
    auto* mark =
        LoadAction<Action_IlluminateNpc>("Action_IlluminateNpc", [](auto& a) { a.SetNpc(kElder); });
    Npc* elder = Announce();
    mark->GetParent()->Fire(true);
    EXPECT_EQ(elder->GetIlluminateAction(), mark);
    elder->Dialog_Deluminate();
    EXPECT_TRUE(mark->IsDeluminate());

    Reloaded<Action_IlluminateNpc>();
    Npc* restored = Announce();
    EXPECT_EQ(restored->GetIlluminateAction(), nullptr);
}

TEST_F(NpcTalkActions, ANameSetAfterReadingIsNotListenedFor)
{
    auto* hide = LoadAction<Action_HideNpc>("Action_HideNpc", [](auto& a) { a.SetNpc(kElder); });
    hide->SetNpc("Records/Npc/Other.dbr");
    hide->Fire(0, false);
    const Npc* other = Announce("Records/Npc/Other.dbr");
    EXPECT_TRUE(other->GetVisibility());
    EXPECT_TRUE(hide->IsPendingFire());
    EXPECT_FALSE(Announce()->GetVisibility());
}

class NpcDialogActionTest : public GAME::Test::EngineFixture {
protected:
    // Reading properties registers the actions with the repository.
    void TearDown() override
    {
        QuestRepository::Destroy();
        EngineFixture::TearDown();
    }

    template <typename Channel> static bool Stream(Action_UpdateNPCDialog& update, Channel* stream)
    {
        return update.SerializeChildProperties(stream) && update.StreamChildProperties(stream);
    }
};

TEST_F(NpcDialogActionTest, UpdateDialogWaitsForItsNpcThenHandsTheDialogOver)
{
    database.WriteRecord("Records/Dialog/Baker.dbr", {"defaultDialogTextTag = tagBaker"});
    Action_UpdateNPCDialog action(1, nullptr);
    action.SetDialogFile("Records/Dialog/Baker.dbr");
    action.SetNoPrimaryDialog(true);
    action.Fire(0, false);
    EXPECT_TRUE(action.IsPendingFire());
    action.SetNpcId(999999); // names nothing
    action.Apply();
    EXPECT_TRUE(action.IsPendingFire());

    Npc* npc = DynamicCast<Npc>(ObjectManager::Instance().CreateObject("Npc"));
    action.SetNpcId(npc->GetObjectId());
    action.Apply();
    EXPECT_FALSE(action.IsPendingFire());
    ASSERT_TRUE(npc->HasDialog());
    EXPECT_TRUE(npc->GetDialogPak()->GetPrimaryDialog()->HasBeenPlayed());
}

TEST_F(NpcDialogActionTest, PropertiesAndStateStreamUnderTheirKeys)
{
    IOStreamWrite out;
    {
        Action_UpdateNPCDialog update(1, nullptr);
        update.SetNPC("Records/Npc/Baker.dbr");
        update.SetDialogFile("Records/Dialog/Baker.dbr");
        update.SetNoPrimaryDialog(true);
        update.Fire(0, false);
        ASSERT_TRUE(Stream(update, &out));
    }
    IOStreamRead in(out.GetBytes());
    Action_UpdateNPCDialog update(1, nullptr);
    ASSERT_TRUE(Stream(update, &in));
    EXPECT_EQ(std::make_tuple(std::string(update.GetNPC()), std::string(update.GetDialogFile()),
                              update.IsPendingFire(), update.GetNoPrimaryDialog()),
              std::make_tuple("Records/Npc/Baker.dbr", "Records/Dialog/Baker.dbr", true, true));
}

} // namespace
} // namespace GAME
