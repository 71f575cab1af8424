#include "game/GameEngine.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/GameEvents.h"
#include "core/GameTextLine.h"
#include "engine/AmbianceManager.h"
#include "engine/EventManager.h"
#include "engine/InstanceGroupManager.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/ActivityManager.h"
#include "game/GameActivity.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PlayerManagerServer.h"
#include "skills/Skill.h"
#include "skills/SkillProfile.h"
#include "skills/SkillReasons.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/Must.h"
#include "tests/support/Records.h"
#include "world/GameCamera.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

using GameEngineLifeCycle = GameEngineFixture;

TEST_F(GameEngineLifeCycle, InitializeAndShutdownAreIdempotent)
{
    ShutdownObjects();
    EXPECT_EQ(gGameEngine, nullptr);

    Start();
    GameEngine* first = gGameEngine;
    InitializeObjects();
    EXPECT_EQ(gGameEngine, first);

    ShutdownObjects();
    ShutdownObjects();
    EXPECT_EQ(gGameEngine, nullptr);
}

TEST_F(GameEngineLifeCycle, RolesChooseInterfaceAndServerServices)
{
    Start();
    GameEngineNetworkInterface* inbound = Game().GetInboundNetworkInterface();
    GameEngineClientServicesModule* client = Game().GetClientServices();
    GameEngineServerServicesModuleBase* fullServer = Game().GetServerServices();
    EXPECT_NE(Game().GetPlayerManagerServer(), nullptr);

    Game().SetAsNetworkServer();
    EXPECT_NE(Game().GetNetworkInterface(), inbound);
    EXPECT_EQ(Game().GetServerServices(), fullServer);
    GameEngineNetworkInterface* outbound = Game().GetNetworkInterface();

    Game().SetAsNetworkClient();
    EXPECT_EQ(Game().GetNetworkInterface(), outbound);
    EXPECT_EQ(Game().GetClientServices(), client);
    EXPECT_NE(Game().GetServerServices(), fullServer);
    EXPECT_EQ(Game().GetPlayerManagerServer(), nullptr);
    EXPECT_FALSE(Game().IsServerOrSingle());

    Game().SetAsNetworkStub();
    EXPECT_EQ(Game().GetNetworkInterface(), inbound);
    EXPECT_EQ(Game().GetServerServices(), fullServer);
}

TEST_F(GameEngineLifeCycle, AMarketSoundThatIsNoSoundPakIsDroppedAtOnce)
{
    database.WriteRecord("Records/Sounds/Odd.dbr", {"Class = Decoration"});
    Start({"marketSaleSound = Records/Sounds/Odd.dbr"});
    const auto& history = ObjectManager::Instance().GetDestroyHistory();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.back().file, "Engine/ObjectManager");
    Game().PlayMarketSaleSound();
    ShutdownObjects();
    EXPECT_TRUE(std::none_of(history.begin(), history.end(), [](const auto& record) {
        return record.file == "Project/Game/GameEngine";
    })) << "no sale sound is left to destroy";
}

// Reads its skill profile as it goes.
struct ProfileReader : Object {
    ProfileReader(const SkillProfile* profile, uint32_t& seen) : profile(profile), seen(seen) {}
    ~ProfileReader() override { seen = profile->GetMaxLevel(); }
    const SkillProfile* profile;
    uint32_t& seen;
};

// A pet a game left behind, or a buff on it, would read freed profiles in the next game.
TEST_F(GameEngineLifeCycle, ShutdownDestroysTheGamesObjectsBeforeTheirSkillProfiles)
{
    Start();
    LoadTable table;
    table.Parse("skillMaxLevel = 7", "skill.dbr");
    uint32_t seen = 0;
    ASSERT_TRUE(ObjectManager::Instance().RegisterObject(
        new ProfileReader(Game().LoadSkillResource(Name::Create("Kept.dbr"), table), seen)));
    ShutdownObjects();
    EXPECT_EQ(seen, 7u) << "destroyed while its profile still stood";
}

using GameEngineSettings = GameEngineFixture;

// Absent ranges read as zero; angles are given in degrees.
TEST_F(GameEngineSettings, RangesAnglesItemClassesAndSacks)
{
    Start({"CameraPitchDefault = 45", "magicalItemColor = ^y",
           "UICharWindowInventorySack0DimsX = 12", "UICharWindowInventorySack0DimsY = 5",
           "UICharWindowInventorySack1DimsX = 4", "UICharWindowInventorySack1DimsY = 6"});
    EXPECT_EQ(Game().GetMaximumRange(), 0.0f);
    EXPECT_FLOAT_EQ(Game().GetCamera().GetCameraPitch(), 45.0f * 0.017453292f);

    // Item classes without an entry are common.
    const auto stray = static_cast<ItemClassification>(7);
    EXPECT_EQ(Game().GetItemTextClass(stray), GameTextClass::ItemNameCommon);
    EXPECT_EQ(Game().GetItemTextClass(ItemClassification_Quest), GameTextClass::ItemNameQuest);
    EXPECT_EQ(Game().GetItemColorText(stray), L"");
    EXPECT_EQ(Game().GetItemColorText(ItemClassification_Magical), L"^y");

    // Any sack but the first is the second.
    EXPECT_EQ(Game().GetInventorySackDims(0), Vec2(12, 5));
    for (int32_t sack : {1, 5, -1})
        EXPECT_EQ(Game().GetInventorySackDims(sack), Vec2(4, 6)) << sack;
}

TEST_F(GameEngineSettings, DesignerVariablesAnswerExactNamesOnly)
{
    Start({"experienceEquation = ((monsterExperience*(1+(gameDifficultyDV*0.5))))"});
    Game().SetGameDifficulty(GameDifficulty_Legendary);
    EXPECT_EQ(Game().CalculateExperienceReward(12, 100), 200u);

    float value = -1.0f;
    for (const auto& [name, expected] : {std::pair{"gameDifficultyDV", 2.0f},
                                         {"monsterLevel", 12.0f},
                                         {"monsterExperience", 100.0f},
                                         {"numberOfPlayers", 0.0f}}) {
        EXPECT_TRUE(Game().GetDesignerVariable(name, value)) << name;
        EXPECT_EQ(value, expected) << name;
    }
    for (const char* name : {"gameDifficulty", "gameDifficultyDVx", "", "GameDifficultyDV"}) {
        value = -1.0f;
        EXPECT_FALSE(Game().GetDesignerVariable(name, value)) << name;
        EXPECT_EQ(value, 0.0f) << name;
    }
    EXPECT_FALSE(Game().GetDesignerVariable(nullptr, value));
}

TEST_F(GameEngineSettings, LootWeightsAreTruncatedTowardZero)
{
    Start({"noPrefixNoSuffixModifierChampion = 2.9", "bothPrefixSuffixModifierChampion = -1.5",
           "prefixOnlyModifierChampion = 3", "brokenOnlyModifierChampion = 1e12",
           "suffixOnlyModifierHeroChest = -7.99"});
    RandomizerWeightModifiers weights;
    Game().GetMonsterLootWeightModifiers(MonsterClassification_Champion, weights);
    EXPECT_EQ(weights.noPrefixNoSuffix, 2);
    EXPECT_EQ(weights.bothPrefixSuffix, -1);
    EXPECT_EQ(weights.prefixOnly, 3);
    EXPECT_EQ(weights.suffixOnly, 0);
    EXPECT_EQ(weights.brokenOnly, INT32_MAX);

    Game().GetChestLootWeightModifiers(ChestClassification_Hero, weights);
    EXPECT_EQ(weights, (RandomizerWeightModifiers{0, 0, 0, -7, 0}));

    RandomizerWeightModifiers untouched{1, 2, 3, 4, 5};
    Game().GetMonsterLootWeightModifiers(static_cast<MonsterClassification>(4), untouched);
    Game().GetChestLootWeightModifiers(static_cast<ChestClassification>(3), untouched);
    EXPECT_EQ(untouched, (RandomizerWeightModifiers{1, 2, 3, 4, 5}));
}

// The caps are kept between hits, so a change of difficulty or of the settings record must reach
// the next hit.
TEST_F(GameEngineSettings, DefenseCapsFollowTheDifficultyAndAReloadedRecord)
{
    Start({"monsterDefenseCap = 40;60;80", "playerDefenseCap = 50;70;90"});
    Player* player = Must(MakeMainPlayer());
    auto* monster = static_cast<Character*>(ObjectManager::Instance().CreateObject("Monster"));
    ASSERT_NE(monster, nullptr);
    const auto caps = [&] {
        return std::pair(monster->GetDefenseAttributeCap(), player->GetDefenseAttributeCap());
    };
    EXPECT_EQ(caps(), std::pair(40.0f, 50.0f));
    gEngine->GetGameInfo().SetDifficulty(2);
    EXPECT_EQ(caps(), std::pair(80.0f, 90.0f));
    database.WriteRecord(kSettings, {"monsterDefenseCap = 45;65;85"});
    ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
    EXPECT_EQ(caps(), std::pair(85.0f, 0.0f)) << "an entry gone is no cap";
}

TEST_F(GameEngineSettings, AnEquationThatDoesNotParseIsLoggedAndDropped)
{
    Start({"experienceEquation = (monsterExperience*",
           "deathPenaltyEquation = (currentPlayerLevel+"});
    EXPECT_EQ(log.Count(1, "-=- GameEngine Equation load failure : experienceEquation "), 1u);
    EXPECT_EQ(log.Count(1, "-=- GameEngine Equation load failure : deathPenaltyEquation "), 1u);
    EXPECT_EQ(Game().CalculateExperienceReward(10, 250), 250u);
}

// Without its settings the game runs on zeros: the log must say why.
TEST_F(GameEngineSettings, AMissingRecordIsLogged)
{
    Start();
    EXPECT_EQ(log.Count(1, "GameEngine: could not load record 'Records/Game/GameEngine.dbr'"), 1u);
    EXPECT_EQ(Game().GetMeleeRange(), 0.0f);
}

class GameEngineProxyPools : public CombatGameFixture {
protected:
    static Proxy* NewProxy(uint32_t word)
    {
        auto* proxy = static_cast<Proxy*>(ObjectManager::Instance().CreateObject("Proxy"));
        proxy->SetUniqueID(UniqueId(word, 0, 0, 1));
        return proxy;
    }

    static void AddGroup(const std::string& type, const std::string& name,
                         const std::vector<const Proxy*>& members)
    {
        std::vector<UniqueId> ids;
        for (const Proxy* proxy : members)
            ids.push_back(proxy->GetUniqueID());
        InstanceGroupManager::Instance().AddGroup(InstanceGroup(type, name, ids));
    }
};

TEST_F(GameEngineProxyPools, AUniqueGroupSelectsExactlyOneProxyUntilCleared)
{
    Proxy* first = NewProxy(1);
    Proxy* second = NewProxy(2);
    Proxy* loner = NewProxy(3);
    AddGroup("Unique Proxies", "Camp", {first, second});
    AddGroup("Unique Proxies", "Empty", {});

    EXPECT_EQ(Game().GetProxyType(first), GameEngine::ProxyType_Unique);
    EXPECT_EQ(Game().GetProxyType(loner), GameEngine::ProxyType_None);
    const bool firstChosen = Game().IsUniqueProxySelected(first);
    EXPECT_NE(firstChosen, Game().IsUniqueProxySelected(second));
    EXPECT_EQ(Game().IsUniqueProxySelected(first), firstChosen) << "asked again";
    EXPECT_FALSE(Game().IsUniqueProxySelected(loner));

    // After a clear the group chooses again, and still exactly one.
    Game().ClearProxyInfo();
    EXPECT_NE(Game().IsUniqueProxySelected(first), Game().IsUniqueProxySelected(second));
}

TEST_F(GameEngineProxyPools, UnifiedPoolsAreSharedByGroupAndTheLaterWins)
{
    Proxy* a = NewProxy(1);
    Proxy* b = NewProxy(2);
    Proxy* patrol = NewProxy(3);
    Proxy* loner = NewProxy(4);
    AddGroup("Unified Proxies", "Crypt", {a, b});
    // Its first group is of another type; a unique group later still types it.
    AddGroup("Patrol Points", "Road", {patrol});
    AddGroup("Unique Proxies", "Road Camp", {patrol});

    EXPECT_EQ(Game().GetProxyType(a), GameEngine::ProxyType_Unified);
    EXPECT_EQ(Game().GetProxyType(patrol), GameEngine::ProxyType_Unique);
    uint32_t pool = 99;
    EXPECT_FALSE(Game().GetUnifiedProxyPool(a, pool));
    Game().SetUnifiedProxyPool(a, 3);
    Game().SetUnifiedProxyPool(b, 5);
    ASSERT_TRUE(Game().GetUnifiedProxyPool(a, pool));
    EXPECT_EQ(pool, 5u);

    Game().SetUnifiedProxyPool(patrol, 8);
    ASSERT_TRUE(Game().GetUnifiedProxyPool(patrol, pool));
    EXPECT_EQ(pool, 8u);

    Game().SetUnifiedProxyPool(loner, 1);
    pool = 99;
    EXPECT_FALSE(Game().GetUnifiedProxyPool(loner, pool));
    EXPECT_EQ(pool, 99u);

    Game().ClearProxyInfo();
    EXPECT_FALSE(Game().GetUnifiedProxyPool(a, pool));
}

class TutorialHints : public CombatGameFixture {
protected:
    // The page stays shut for a frame one short of the time and opens on the next.
    void ExpectOpensAt(int32_t ms, int32_t page)
    {
        Game().Update(ms - 1);
        EXPECT_FALSE(Unlocked(page));
        Game().Update(1);
        EXPECT_TRUE(Unlocked(page));
    }
    // The page stays shut a step short of the count and opens on the last step.
    void ExpectOpensAfter(int steps, int32_t page, const std::function<void()>& step)
    {
        for (int i = 1; i < steps; ++i)
            step();
        Game().Update(0);
        EXPECT_FALSE(Unlocked(page));
        step();
        Game().Update(0);
        EXPECT_TRUE(Unlocked(page));
    }
    bool Unlocked(int32_t page)
    {
        const std::vector<int32_t>& list = Game().GetTutorialUnlockList();
        return std::find(list.begin(), list.end(), page) != list.end();
    }

    Heard<GameEvent_TutorialUnlock> heard{"GameEvent_TutorialUnlock"};
};

// Nine mastery points and no skill points unlock the page on the first frame.
TEST_F(TutorialHints, MasteryPageOnTheFirstFrame)
{
    Game().SetUnspentMasteryPoints(9);
    Game().Update(16);
    EXPECT_EQ(Game().GetTutorialUnlockList(), std::vector<int32_t>{32});
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.events[0].page, 32u);

    Game().ResetTutorialState();
    Game().SetUnspentMasteryPoints(8);
    Game().Update(16);
    Game().SetUnspentMasteryPoints(9);
    Game().SetUnspentSkillPoints(1);
    Game().Update(16);
    EXPECT_FALSE(Unlocked(32));
}

TEST_F(TutorialHints, HotSlotPageNeedsFiveMinutesWithoutUsingTheSlots)
{
    Game().SetUnspentSkillPoints(2);
    ExpectOpensAt(300000, 29);

    Game().ResetTutorialState();
    Game().SetUnspentSkillPoints(2);
    Game().SetHotSlotChanged(true);
    Game().Update(400000);
    EXPECT_FALSE(Unlocked(29));
}

// Either kind of unspent point counts; spending them all starts the count again.
TEST_F(TutorialHints, UnspentPointsPageNeedsMoreThanTenMinutes)
{
    Game().Update(700000);
    EXPECT_FALSE(Unlocked(31)) << "no main player";
    // Each load stands for the points the player holds at that moment.
    Player* player = MakeMainPlayer();
    player->Load(Record("skillPoints = 1"));
    ExpectOpensAt(600001, 31);

    Game().ResetTutorialState();
    player->Load(Record("skillPoints = 0\nmodifierPoints = 2"));
    Game().Update(400000);
    player->Load(Record("modifierPoints = 0"));
    Game().Update(1);
    player->Load(Record("modifierPoints = 2"));
    ExpectOpensAt(600001, 31);
}

TEST_F(TutorialHints, InventoryPageAtTenMinutesOrSixteenItems)
{
    ExpectOpensAt(600000, 28);
    // A long session holds the timer at its top rather than overflowing it.
    Game().Update(INT32_MAX);
    Game().Update(INT32_MAX);

    Game().ResetTutorialState();
    ExpectOpensAfter(16, 28, [this] { Game().IncrementItemsAdded(); });
}

TEST_F(TutorialHints, PotionPageAfterThreeDeathsWithAnUndrunkPotion)
{
    Game().SetPotionPickedUp();
    ExpectOpensAfter(3, 30, [this] { Game().IncrementDeathCount(); });

    Game().ResetTutorialState();
    Game().SetPotionPickedUp();
    Game().SetPotionUsed();
    for (int i = 0; i < 3; ++i)
        Game().IncrementDeathCount();
    Game().Update(0);
    EXPECT_FALSE(Unlocked(30));
}

TEST_F(TutorialHints, QuietUnlockIsKeptOnceAndUnknownPagesAreIgnored)
{
    Game().UnlockTutorialPage(5, false);
    Game().UnlockTutorialPage(5, false);
    Game().UnlockTutorialPage(5, true);
    Game().UnlockTutorialPage(36, true);
    Game().UnlockTutorialPage(UINT32_MAX, true);
    EXPECT_EQ(Game().GetTutorialUnlockList(), std::vector<int32_t>{5});
    EXPECT_TRUE(heard.events.empty());

    Game().UnlockAllTutorials();
    EXPECT_EQ(Game().GetTutorialUnlockList().size(), 36u);
    EXPECT_EQ(heard.events.size(), 35u);
}

using GameEngineFrame = CombatGameFixture;

// What the earlier and the later steps of the frame have done when the activities run.
struct StepSnapshot {
    bool ran = false;
    bool masteryPageUnlocked = false;
    uint32_t ambienceUpdates = 0;
    size_t packetsSent = 0;
};

class OrderProbe : public GameActivity {
public:
    explicit OrderProbe(StepSnapshot& seen) : seen(seen) {}
    void Update(int) override
    {
        const std::vector<int32_t>& pages = gGameEngine->GetTutorialUnlockList();
        seen.ran = true;
        seen.masteryPageUnlocked = std::find(pages.begin(), pages.end(), 32) != pages.end();
        seen.ambienceUpdates = AmbianceManager::Instance().GetPositionUpdateCount();
        seen.packetsSent = gEngine->GetNetworkConnectionManager().GetSentPackets().size();
    }
    void Render(GraphicsCanvas&) override {}
    bool IsFinished() override { return seen.ran; }

private:
    StepSnapshot& seen;
};

TEST_F(GameEngineFrame, StepsRunInTheirFixedOrder)
{
    gEngine->GetGameInfo().SetDifficulty(2); // the server's balance level changes on frame one
    Game().SetAsNetworkServer();
    Player* player = MakeMainPlayer();
    gEngine->GetWorld()->SetCoords(player, WorldCoords(0, Coords::FromTranslation(Vec3(1, 0, 1))));
    // Entering the main player announced him; only the frame's own packets count.
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    Game().SetUnspentMasteryPoints(9);
    AmbianceManager::Instance().Reset();
    StepSnapshot seen;
    ActivityManager::Get().InstallActivity(new OrderProbe(seen));

    Game().Update(16);
    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.masteryPageUnlocked) << "tutorial hints come before the activities";
    EXPECT_EQ(seen.ambienceUpdates, 0u) << "ambience comes after the activities";
    EXPECT_EQ(seen.packetsSent, 0u) << "the server services come last";
    EXPECT_EQ(AmbianceManager::Instance().GetPositionUpdateCount(), 1u);
    EXPECT_GE(gEngine->GetNetworkConnectionManager().GetSentPackets().size(), 1u);
    AmbianceManager::Instance().Reset();
}

// A second personal portal is asked about; only the portal's own answer is taken by the frame.
TEST_F(GameEngineFrame, PortalAnswersAreTakenOnlyWhileThePortalQuestionIsOpen)
{
    Game().SetAsNetworkServer();
    Player* player = MakeMainPlayer();
    gEngine->GetWorld()->SetCoords(player, WorldCoords(0, Coords::FromTranslation(Vec3(3, 0, 4))));
    DialogManager& dialogs = Game().GetDialogManager();

    Game().CreateFixedItemTeleport(); // no portal yet: made at once
    std::vector<std::unique_ptr<CreateItemTeleportPacket>> sent =
        TakeSent<CreateItemTeleportPacket>();
    ASSERT_EQ(sent.size(), 1u);

    Game().GetTeleportInfoList().push_back({sent[0]->objectId, player->GetObjectId(), {}, "old"});
    for (bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        Game().CreateFixedItemTeleport();
        ASSERT_EQ(dialogs.GetNumDialog(), 1u);
        EXPECT_EQ(dialogs.PeekTopDialog().party, DialogManager::PartyFixedItemTeleport);
        dialogs.RemoveTopDialog();
        dialogs.AddResponse({DialogManager::PartyMarket, true});
        dialogs.AddResponse({DialogManager::PartyFixedItemTeleport, answer});
        Game().Update(16);
        EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyFixedItemTeleport), 0u);
        EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyMarket), 1u);
        EXPECT_EQ(TakeSent<CreateItemTeleportPacket>().size(), answer ? 1u : 0u);
        dialogs.GetResponseFor(DialogManager::PartyMarket);
    }
    // Without an open question the portal's answers stay for whoever asked.
    dialogs.AddResponse({DialogManager::PartyFixedItemTeleport, true});
    Game().Update(16);
    EXPECT_EQ(dialogs.GetNumResponsesFor(DialogManager::PartyFixedItemTeleport), 1u);
}

// The host's loop in every role: frames of the game engine and of the engine itself.
TEST_F(GameEngineFrame, AThousandFramesInEachRoleRunClean)
{
    Player* player = MakeMainPlayer();
    Game().SetGameLoading(false);
    for (int role = 0; role < 3; ++role) {
        if (role == 1)
            Game().SetAsNetworkServer();
        if (role == 2)
            Game().SetAsNetworkClient();
        for (int frame = 0; frame < 1000; ++frame) {
            Game().Update(16);
            gEngine->RunFrame(16);
        }
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }
    EXPECT_EQ(Game().GetMainPlayer(), player);
    EXPECT_EQ(std::count_if(log.GetLines().begin(), log.GetLines().end(),
                            [](const LogCapture::Line& line) { return line.level == 2; }),
              0);
    ShutdownObjects();
    EXPECT_EQ(gGameEngine, nullptr);
}

using GameEngineRules = CombatGameFixture;

template <class T> T* Make(const char* className)
{
    return static_cast<T*>(ObjectManager::Instance().CreateObject(className));
}

TEST_F(GameEngineRules, APetsDamageIsCreditedToItsMaster)
{
    Monster* victim = Make<Monster>("Monster");
    Player* master = Make<Player>("Player");
    Monster* pet = Make<Monster>("Monster");
    pet->SetLeader(master->GetObjectId());
    const uint32_t victimId = victim->GetObjectId();

    Game().RegisterDamage(victimId, pet->GetObjectId(), 10.0f);
    Game().RegisterDamage(victimId, 999, 5.0f);
    Game().RegisterDamage(victimId, pet->GetObjectId(), 20.0f);
    Game().RegisterDamage(victimId, master->GetObjectId(), 15.0f);

    EXPECT_EQ(Game().GetDamageByAttacker(master->GetObjectId(), victimId), 45.0f);
    EXPECT_EQ(Game().GetDamageByAttacker(pet->GetObjectId(), victimId), 0.0f);
    EXPECT_EQ(Game().GetTotalDamageDone(victimId), 50.0f);
    EXPECT_FLOAT_EQ(Game().GetPlayerDamagePercent(master->GetObjectId(), victimId), 0.9f);
    EXPECT_EQ(Game().GetPlayerDamagePercent(master->GetObjectId(), 12345), 0.0f);

    Game().RegisterDamage(master->GetObjectId(), victimId, 30.0f);
    EXPECT_EQ(Game().GetTotalDamageDone(master->GetObjectId()), 0.0f) << "players keep no entry";
}

TEST_F(GameEngineRules, OnlyTheAuthorityKeepsDamageAndADeathClearsIt)
{
    Game().SetAsNetworkClient();
    Game().RegisterDamage(40, 41, 10.0f);
    EXPECT_EQ(Game().GetTotalDamageDone(40), 0.0f);
    Game().SetAsNetworkStub();
    Game().RegisterDamage(40, 41, 10.0f);
    Game().SetAsNetworkClient();
    Game().RemoveDamageEntry(40);
    EXPECT_EQ(Game().GetTotalDamageDone(40), 10.0f);

    // Found as a creature or not, the victim's entry goes.
    Game().SetAsNetworkStub();
    Monster* victim = Make<Monster>("Monster");
    victim->Load(Record("experiencePoints = 80"));
    Game().RegisterDamage(victim->GetObjectId(), 7, 3.0f);
    GameEvent_CreatureDeath death;
    death.killerId = 7;
    for (uint32_t victimId : {victim->GetObjectId(), 40u}) {
        death.victimId = victimId;
        EventManager::Instance().Send("GameEvent_CreatureDeath", death);
        EXPECT_EQ(Game().GetTotalDamageDone(victimId), 0.0f) << victimId;
    }
}

TEST_F(GameEngineRules, AKillPaysTheLocalPlayerHisShareAndClearsTheEntry)
{
    database.WriteRecord("Records/Levels.dbr",
                         {"experienceLevelEquation = (playerLevel*1000)", "maxPlayerLevel = 50"});
    Player* player = MakeMainPlayer();
    player->Load(Record("levelFileName = Records/Levels.dbr"));
    PlayerNetBasicInfo record;
    record.playerId = player->GetObjectId();
    Game().GetPlayerManagerServer()->HandleNewPlayer(record);
    Monster* pet = Make<Monster>("Monster");
    pet->SetLeader(player->GetObjectId());
    Monster* victim = Make<Monster>("Monster");
    victim->Load(Record("charLevel = 10\nexperiencePoints = 250"));
    const uint32_t victimId = victim->GetObjectId();

    Game().RegisterDamage(victimId, player->GetObjectId(), 30.0f);
    Game().RegisterDamage(victimId, pet->GetObjectId(), 10.0f);
    Game().RegisterDamage(victimId, 999, 40.0f);
    const uint32_t before = player->GetExperiencePoints();
    GameEvent_CreatureDeath death;
    death.victimId = victimId;
    death.killerId = pet->GetObjectId();
    EventManager::Instance().Send("GameEvent_CreatureDeath", death);

    EXPECT_EQ(player->GetExperiencePoints() - before, 125u);
    EXPECT_EQ(Game().GetTotalDamageDone(victimId), 0.0f);
}

TEST_F(GameEngineRules, DamageSummingToNothingGivesNoShare)
{
    Game().RegisterDamage(40, 41, 0.0f);
    Game().RegisterDamage(40, 42, 0.0f);
    EXPECT_EQ(Game().GetPlayerDamagePercent(41, 40), 0.0f);
    Game().RegisterDamage(50, 41, 5.0f);
    Game().RegisterDamage(50, 42, -5.0f);
    EXPECT_EQ(Game().GetPlayerDamagePercent(41, 50), 0.0f);
}

// Each row an engine of its own, started from its settings record; the first has none.
TEST_F(GameEngineSettings, ExperienceRewardIsTheEquationRoundedHalfUpAndNeverNegative)
{
    const struct {
        const char* equation;
        uint32_t experience, expected;
    } rows[] = {{"", 250u, 250u},
                {"(0-3)", 250u, 0u},
                {"(monsterExperience*0.5)", 5u, 3u},
                {"(monsterExperience*0.5)", 4u, 2u},
                {"(monsterLevel*1000000000000)", 1u, UINT32_MAX}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.equation);
        ShutdownObjects();
        if (row.equation[0] != '\0')
            database.WriteRecord(kSettings, {std::string("experienceEquation = ") + row.equation});
        ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
        Start();
        EXPECT_EQ(Game().CalculateExperienceReward(10, row.experience), row.expected);
    }
}

TEST_F(GameEngineSettings, DeathPenaltyReadsTheKillerClampsAndSaturates)
{
    Start({"deathPenaltyEquation = ((monsterLevel*10)+currentPlayerLevel)", "deathPenaltyMin = 5",
           "deathPenaltyMax = 2147483647"});
    Player* player = Make<Player>("Player");
    player->Load(Record("charLevel = 3"));
    Monster* killer = Make<Monster>("Monster");
    killer->Load(Record("charLevel = 7"));
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, killer->GetObjectId()), 73);
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, 0), 5) << "3, raised to the minimum";
    Monster* boss = Make<Monster>("Monster");
    boss->Load(Record("charLevel = 1000000000"));
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, boss->GetObjectId()), INT32_MAX);
}

TEST_F(GameEngineSettings, CrossedDeathPenaltyBoundsGiveTheMaximum)
{
    Start({"deathPenaltyEquation = (currentPlayerLevel*10)", "deathPenaltyMin = 100",
           "deathPenaltyMax = 50"});
    Player* player = Make<Player>("Player");
    player->Load(Record("charLevel = 3"));
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, 0), 50);
}

TEST_F(GameEngineSettings, WithoutPenaltyEquationTheMinimumStands)
{
    Start({"deathPenaltyMin = 20", "deathPenaltyMax = 40"});
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(nullptr, 0), 20);
}

// Arguments outside the tables are refused or answered empty, never read from beyond them.
TEST_F(GameEngineRules, ConstantTables)
{
    auto check = [&](int requested, int current) {
        return Game().CheckPlayerAction(static_cast<CharacterActionType>(requested),
                                        static_cast<CharacterActionType>(current));
    };
    EXPECT_EQ(check(12, 8), CharacterActionPermission_Allow);
    EXPECT_EQ(check(8, 12), CharacterActionPermission_Refuse);
    EXPECT_EQ(check(1, 14), CharacterActionPermission_AskController);
    EXPECT_EQ(check(20, 0), CharacterActionPermission_Refuse);
    EXPECT_EQ(check(4, 20), CharacterActionPermission_Refuse);

    EXPECT_EQ(Game().GetClassTag(7, 6), "tagCClass15");
    EXPECT_EQ(Game().GetClassTag(8, 0), "");
    EXPECT_EQ(Game().GetClassTag(0, 8), "");
    EXPECT_EQ(Game().GetClassTag(UINT32_MAX), "");

    EXPECT_EQ(Game().GetMonsterRaceTagPlural("Device"), "tagRace12P");
    EXPECT_EQ(Game().GetMonsterRaceTagSingular("demon"), "noTagUnknownRace");

    EXPECT_EQ(Game().GetSkillMasteryLevel(3), 0u) << "no tiers, no requirement";
}

TEST_F(GameEngineSettings, MasteryTiersRepeatTheLastLevel)
{
    Start({"skillMasteryTierLevel = 1;10;20"});
    EXPECT_EQ(Game().GetSkillMasteryLevel(0), 0u);
    EXPECT_EQ(Game().GetSkillMasteryLevel(2), 10u);
    EXPECT_EQ(Game().GetSkillMasteryLevel(7), 20u);
}

TEST_F(GameEngineRules, PickObjectChoosesOnlyAllowedCandidates)
{
    EXPECT_EQ(Game().PickObject({4, 5}, {5, 4}), 0u);
    EXPECT_EQ(Game().PickObject({}, {}), 0u);
    EXPECT_EQ(Game().PickObject({4, 5, 6}, {4, 6}), 5u);
    for (int i = 0; i < 50; ++i) {
        const uint32_t picked = Game().PickObject({1, 2, 3}, {2});
        EXPECT_TRUE(picked == 1 || picked == 3) << picked;
        const int32_t seed = Game().GetRandomSeed();
        EXPECT_GE(seed, 1);
        EXPECT_LE(seed, 32767);
    }
}

// A skill whose answers the test sets; each text hook adds one line naming itself.
class ScriptedSkill : public Skill {
public:
    uint32_t GetCurrentLevel() const override { return level; }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
    void CreateUISkillHeading(std::vector<GameTextLine>& lines) const override
    {
        lines.emplace_back(GameTextClass::SkillName, L"heading", false);
    }
    void CreateUIParameterText(std::vector<GameTextLine>& lines) const override
    {
        lines.emplace_back(GameTextClass::SkillStatsCurrent, L"current", false);
    }
    void CreateUINextParameterText(std::vector<GameTextLine>& lines) const override
    {
        lines.emplace_back(GameTextClass::SkillStatsNext, L"next", false);
    }
    uint32_t GetMasteryLevel() const override { return masteryLevel; }
    uint32_t GetMasteryLevelRequirement() const override { return masteryRequirement; }
    bool IsSkillTheMasterySkill() const override { return mastery; }

    uint32_t level = 0;
    uint32_t masteryLevel = 0;
    uint32_t masteryRequirement = 0;
    bool mastery = false;
};

// The skill window's lines for the skill, not in the skill bar.
std::vector<GameTextLine> SkillText(const Skill* skill, const SkillReasons* reasons, bool reclaim,
                                    int32_t reclaimPrice)
{
    std::vector<GameTextLine> lines;
    GameEngine::GenerateUISkillText(skill, lines, reasons, false, reclaim, reclaimPrice);
    return lines;
}

std::wstring Text(const std::string& tag, std::initializer_list<LocalizationManager::Arg> args = {})
{
    return LocalizationManager::Instance().Format(tag, args);
}

using GameEngineSkillText = CombatGameFixture;

TEST_F(GameEngineSkillText, ReclaimingAMasterysOwnSkillIsRefused)
{
    ScriptedSkill skill;
    skill.level = 2;
    skill.mastery = true;
    SkillReasons reasons;
    reasons.noPointsToReclaim = 1;
    std::vector<GameTextLine> lines = SkillText(&skill, &reasons, true, 150);

    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[6].text, Text("tagDecreaseMasteryError"));
    EXPECT_EQ(lines[6].style, GameTextClass::SkillRequirementsNotMet);
    EXPECT_TRUE(lines[6].flag);
    // Without a skill nothing is added.
    GameEngine::GenerateUISkillText(nullptr, lines, nullptr, false, false, 0);
    EXPECT_EQ(lines.size(), 7u);
}

TEST_F(GameEngineSkillText, MissingMasteryLevelsAreCountedAndNeverWrap)
{
    ScriptedSkill skill;
    skill.masteryRequirement = 4;
    skill.masteryLevel = 3;
    SkillReasons reasons;
    reasons.masteryLevelNotMet = 1;
    reasons.noSkillPoints = 1;
    std::vector<GameTextLine> lines = SkillText(&skill, &reasons, false, 0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4].text, Text("tagSkillReq01Singular", {1u, std::wstring()}));
    EXPECT_EQ(lines[4].style, GameTextClass::SkillRequirementsNotMet);
    EXPECT_TRUE(lines[4].flag);

    // A mastery above the requirement misses nothing rather than four billion levels.
    skill.masteryLevel = 9;
    lines = SkillText(&skill, &reasons, false, 0);
    EXPECT_EQ(lines.back().text, Text("tagSkillReq01", {0u, std::wstring()}));
}

} // namespace
} // namespace GAME::Test
