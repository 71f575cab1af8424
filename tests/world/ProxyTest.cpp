#include "world/Proxy.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "core/GameEvents.h"
#include "engine/BinaryReader.h"
#include "engine/EventHandler.h"
#include "engine/InstanceGroupManager.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ProxyFixture.h"
#include "world/FixedItem.h"
#include "world/ProxyAmbush.h"
#include "world/ProxyPool.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

void Destroy(Object* object)
{
    ObjectManager::Instance().DestroyObjectEx(object, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

class ProxyTest : public ProxyFixture {
protected:
    // The has-run word of the proxy's level state.
    static uint32_t SavedWord(const Proxy& proxy)
    {
        BinaryWriter writer = BinaryWriter::ToMemory(16);
        proxy.SaveState(writer);
        BinaryReader reader(writer.GetData(), writer.GetSize());
        uint32_t visible = 0;
        uint32_t word = 7;
        reader.ReadUInt32(visible);
        reader.ReadUInt32(word);
        return word;
    }
};

TEST_F(ProxyTest, ChoosesFromTheListOfTheDifficultyOrTheNextEasier)
{
    for (const char* pool : {"Records/Spawn/A.dbr", "Records/Spawn/B.dbr", "Records/Spawn/E.dbr",
                             "Records/Spawn/L.dbr"})
        database.WriteRecord(pool, {"spawnMax = 0"});
    const struct {
        uint32_t difficulty;
        const char* pool;
        std::vector<std::string> lines;
    } rows[] = {
        {2, "Records/Spawn/A.dbr", {"Class = Proxy", "pool1 = Records/Spawn/A.dbr"}},
        {2,
         "Records/Spawn/L.dbr",
         {"Class = Proxy", "poolLegendary2 = Records/Spawn/L.dbr", "pool1 = Records/Spawn/A.dbr"}},
        {2,
         "Records/Spawn/E.dbr",
         {"Class = Proxy", "poolEpic1 = Records/Spawn/E.dbr", "pool1 = Records/Spawn/A.dbr"}},
        {0,
         "Records/Spawn/A.dbr",
         {"Class = Proxy", "pool1 = Records/Spawn/A.dbr", "weight1 = 0",
          "pool2 = Records/Spawn/B.dbr", "weight2 = 0"}},
    };
    int made = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lines[1]);
        SetDifficulty(row.difficulty);
        const std::string path = "Records/Spawn/Choice" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, row.lines);
        Proxy* proxy = ObjectManager::Instance().CreateObjectFromFile<Proxy>(path);
        ASSERT_NE(proxy, nullptr);
        ASSERT_NE(proxy->GetPool(), nullptr);
        EXPECT_EQ(proxy->GetPool()->GetRecordName(), row.pool);
    }
}

TEST_F(ProxyTest, AUnifiedGroupSharesOneDrawAndOnlyTheChosenUniqueProxyMakesPools)
{
    for (const char* pool : {"Records/Spawn/A.dbr", "Records/Spawn/B.dbr"})
        database.WriteRecord(pool, {"spawnMax = 0"});
    database.WriteRecord(kProxy, {"Class = Proxy", "pool1 = Records/Spawn/A.dbr", "weight1 = 1",
                                  "pool2 = Records/Spawn/B.dbr", "weight2 = 1"});
    const auto id = [](uint32_t part) {
        UniqueId unique;
        unique.SetPart(0, part);
        return unique;
    };
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.AddGroup(InstanceGroup("Unified Proxies", "Camp", {id(1), id(2), id(3)}));
    groups.AddGroup(InstanceGroup("Unique Proxies", "Lair", {id(4), id(5)}));
    // The level gives the unique id before the proxy loads.
    const auto poolOf = [&](uint32_t part) {
        Proxy* proxy = ObjectManager::Instance().CreateObjectFromFile<Proxy>(kProxy, 0, false);
        proxy->SetUniqueID(id(part));
        proxy->Load(ObjectManager::Instance().GetLoadTable(kProxy));
        return proxy->GetPool() != nullptr ? proxy->GetPool()->GetRecordName() : "-";
    };
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        Random().Seed(seed);
        gGameEngine->ClearProxyInfo();
        const std::string camp = poolOf(1);
        EXPECT_EQ(poolOf(2), camp);
        EXPECT_EQ(poolOf(3), camp);
        EXPECT_NE(poolOf(4) == "-", poolOf(5) == "-");
    }
    groups.Destroy();
}

TEST_F(ProxyTest, NoCandidatesStillDrawOnceAndMakeNoPool)
{
    Random().Seed(99);
    RandomUniform expected = Random();
    expected.IGenerate(0, 0);
    const Proxy* proxy = MakeProxy({"Class = Proxy"});
    EXPECT_EQ(proxy->GetPool(), nullptr);
    EXPECT_EQ(Random().GetState(), expected.GetState());
}

TEST_F(ProxyTest, ChanceZeroRunsWithoutADrawAndDisablingPlacesNothing)
{
    database.WriteRecord("Records/Spawn/Pool.dbr",
                         {"spawnMin = 2", "name1 = Records/Spawn/Rat.dbr", "limit1 = 9"});
    const std::initializer_list<std::string> lines = {"Class = Proxy",
                                                      "pool1 = Records/Spawn/Pool.dbr"};

    Proxy* runs = MakeProxy(lines);
    const uint32_t state = Random().GetState();
    runs->InitialUpdate();
    EXPECT_EQ(Random().GetState(), state);
    EXPECT_EQ(Placed(*runs).size(), 2u);
    EXPECT_EQ(SavedWord(*runs), 1u);

    std::vector<uint32_t> events;
    struct Listener {
        std::vector<uint32_t>* seen;
        Proxy* disable;
        void On(const GameEvent_GenericEntity& event)
        {
            seen->push_back(event.objectId);
            if (disable != nullptr && disable->GetObjectId() == event.objectId)
                disable->Disable();
        }
    } listener{&events, nullptr};
    EventHandler<Listener, GameEvent_GenericEntity> handler("GameEvent_GenericEntityInitialUpdate",
                                                            &Listener::On, &listener);

    Proxy* before = MakeProxy(lines);
    before->Disable();
    before->InitialUpdate();
    Proxy* during = MakeProxy(lines);
    listener.disable = during;
    during->InitialUpdate();
    EXPECT_EQ(events, std::vector<uint32_t>{during->GetObjectId()});
    for (const Proxy* proxy : {before, during}) {
        EXPECT_TRUE(Placed(*proxy).empty());
        EXPECT_EQ(Held(*proxy).size(), 2u);
        EXPECT_EQ(SavedWord(*proxy), 1u);
    }
}

TEST_F(ProxyTest, ARestoredRunFlagKeepsTheObjectsInThePool)
{
    database.WriteRecord("Records/Spawn/Pool.dbr",
                         {"spawnMin = 1", "name1 = Records/Spawn/Rat.dbr", "limit1 = 1"});
    Proxy* proxy = MakeProxy({"Class = Proxy", "pool1 = Records/Spawn/Pool.dbr"});
    const uint8_t state[] = {1, 0, 0, 0, 5, 0, 0, 0};
    BinaryReader reader(state, sizeof(state));
    ASSERT_TRUE(proxy->RestoreState(reader));
    proxy->InitialUpdate();
    EXPECT_TRUE(Placed(*proxy).empty());
    EXPECT_EQ(Held(*proxy).size(), 1u);
}

TEST_F(ProxyTest, AProxyThatAPoolMakesRunsNoPoolOfItsOwn)
{
    // The pool names another proxy of the same pool: two held, each without a pool, no endless
    // making.
    database.WriteRecord("Records/Spawn/Pool.dbr",
                         {"spawnMin = 2", "name1 = Records/Spawn/Inner.dbr", "limit1 = 2"});
    database.WriteRecord("Records/Spawn/Inner.dbr",
                         {"Class = Proxy", "pool1 = Records/Spawn/Pool.dbr"});
    database.WriteRecord(kProxy, {"Class = Proxy", "pool1 = Records/Spawn/Pool.dbr"});
    LogCapture log;
    Proxy* proxy = ObjectManager::Instance().CreateObjectFromFile<Proxy>(kProxy);
    ASSERT_NE(proxy, nullptr);
    const std::vector<uint32_t> held = Held(*proxy);
    ASSERT_EQ(held.size(), 2u);
    for (const uint32_t id : held)
        EXPECT_TRUE(Held(*ObjectManager::Instance().GetObject<Proxy>(id)).empty());
    EXPECT_EQ(log.Count(1, "Proxy pool (Records/Spawn/Pool.dbr) not made: its proxy was made by "
                           "a pool"),
              2u);

    // Outside any pool a proxy runs its pool again.
    EXPECT_EQ(Held(*MakeProxy({"Class = Proxy", "pool1 = Records/Spawn/Pool.dbr"})).size(), 2u);

    // A pool naming its own proxy's record is a ring of records: nothing made, the ring told once.
    log.Clear();
    database.WriteRecord("Records/Spawn/SelfPool.dbr",
                         {"spawnMin = 2", "name1 = Records/Spawn/Selfish.dbr", "limit1 = 2"});
    database.WriteRecord("Records/Spawn/Selfish.dbr",
                         {"Class = Proxy", "pool1 = Records/Spawn/SelfPool.dbr"});
    auto* selfish =
        ObjectManager::Instance().CreateObjectFromFile<Proxy>("Records/Spawn/Selfish.dbr");
    ASSERT_NE(selfish, nullptr);
    EXPECT_TRUE(Held(*selfish).empty());
    EXPECT_EQ(log.CountContaining("'Records/Spawn/Selfish.dbr' names itself"), 1u);
}

TEST_F(ProxyTest, DesignerLimitsBoundTheAveragePlayerLevel)
{
    database.WriteRecord("Records/Spawn/Hero12.dbr", {"Class = Player", "charLevel = 12"});
    auto* hero = ObjectManager::Instance().CreateObjectFromFile<Player>("Records/Spawn/Hero12.dbr");
    ASSERT_NE(hero, nullptr);
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    database.WriteRecord("Records/Spawn/Low.dbr", {"minPlayerLevelEquationNormal = 15",
                                                   "maxPlayerLevelEquationNormal = 20"});
    database.WriteRecord("Records/Spawn/High.dbr",
                         {"minPlayerLevelEquationNormal = 0", "maxPlayerLevelEquationNormal = 10"});
    const Proxy* low = MakeProxy({"Class = Proxy", "difficultyLimitsFile = Records/Spawn/Low.dbr"});
    EXPECT_EQ(low->GetAveragePlayerLevel(), 15u);
    const Proxy* high =
        MakeProxy({"Class = Proxy", "difficultyLimitsFile = Records/Spawn/High.dbr"});
    EXPECT_EQ(high->GetAveragePlayerLevel(), 10u);
}

TEST_F(ProxyTest, BadEquationsAreLoggedAndNotANumberBecomesZero)
{
    database.WriteRecord("Records/Spawn/Equations.dbr",
                         {"difficultyEquation = (0 / 0)", "championDifficultyEquation = ((("});
    LogCapture log;
    const Proxy* proxy =
        MakeProxy({"Class = Proxy", "difficultyEquationFile = Records/Spawn/Equations.dbr"});
    EXPECT_EQ(proxy->GetProxyLevel(), 0);
    EXPECT_EQ(log.Count(1, "-=- Proxy Equation load failure : championDifficultyEquation "), 1u);
    EXPECT_EQ(log.Count(2, "Proxy: No Limits equation file specified (Records/Spawn/Proxy1.dbr)"),
              1u);
}

TEST_F(ProxyTest, ThreePointsForFiveMonstersPlaceThreeAndTheRestGoWithThePool)
{
    // A floor 5 across holds three bodies of radius 1 along its middle.
    TheWorld().CreateRegion(2, {500, 0, 0}, ABBox({-2.5f, -1, -0.5f}, {2.5f, 1, 0.5f}));
    database.WriteRecord("Records/Spawn/Pool.dbr",
                         {"spawnMin = 5", "name1 = Records/Spawn/Rat.dbr", "limit1 = 5"});
    database.WriteRecord(
        kProxy, {"Class = Proxy", "pool1 = Records/Spawn/Pool.dbr", "placementExtents = 1.0"});
    Proxy* proxy = ObjectManager::Instance().CreateObjectFromFile<Proxy>(kProxy);
    ASSERT_NE(proxy, nullptr);
    TheWorld().AddEntity(proxy, WorldCoords(WorldVec3(2, {0, 0, 0})), false);
    const std::vector<uint32_t> made = Held(*proxy);
    ASSERT_EQ(made.size(), 5u);
    proxy->InitialUpdate();

    const std::vector<uint32_t> placed = Placed(*proxy);
    EXPECT_EQ(placed, std::vector<uint32_t>(made.begin(), made.begin() + 3));
    for (const uint32_t id : made) {
        const auto* monster = ObjectManager::Instance().GetObject<Monster>(id);
        ASSERT_NE(monster, nullptr);
        EXPECT_EQ(monster->IsInWorld(), id != made[3] && id != made[4]);
        // Placed, it is ready to be fought; held back, it waits for its own placing.
        EXPECT_EQ(monster->HasDoneInitialUpdate(), monster->IsInWorld());
    }
    Destroy(proxy);
    EXPECT_TRUE(Exists(made[0]));
    EXPECT_FALSE(Exists(made[3]));
    EXPECT_FALSE(Exists(made[4]));
}

TEST_F(ProxyTest, OneSeedGivesOneSpawn)
{
    database.WriteRecord("Records/Spawn/Equations.dbr",
                         {"difficultyEquation = (averagePlayerLevel + 6)"});
    database.WriteRecord("Records/Spawn/Pool.dbr",
                         {"spawnMin = 2", "spawnMax = 4", "name1 = Records/Spawn/Rat.dbr",
                          "weight1 = 30", "difficulty1 = 1", "name2 = Records/Spawn/Wolf.dbr",
                          "weight2 = 50", "difficulty2 = 2", "name3 = Records/Spawn/Ogre.dbr",
                          "weight3 = 20", "difficulty3 = 4"});
    database.WriteRecord("Records/Spawn/Chests.dbr",
                         {"fixedItemChance = 100", "fixedItemName1 = Records/Spawn/Chest.dbr",
                          "fixedItemWeight1 = 5"});
    const std::initializer_list<std::string> lines = {
        "Class = Proxy",
        "pool1 = Records/Spawn/Pool.dbr",
        "weight1 = 3",
        "pool2 = Records/Spawn/Pool.dbr",
        "weight2 = 5",
        "accessory1 = Records/Spawn/Chests.dbr",
        "difficultyEquationFile = Records/Spawn/Equations.dbr"};
    std::vector<std::vector<std::string>> runs;
    for (int run = 0; run < 2; ++run) {
        Random().Seed(20261208);
        Proxy* proxy = MakeProxy(lines);
        proxy->InitialUpdate();
        EXPECT_EQ(proxy->GetProxyLevel(), 6);
        std::vector<std::string> names = Names(Placed(*proxy));
        names.push_back(std::to_string(Random().GetState()));
        runs.push_back(names);
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[0], (std::vector<std::string>{kChest, kRat, kRat, kRat, kRat, "935435430"}));
}

class ProxyPoolTest : public ProxyFixture {
protected:
    // A pool loaded from these lines and run with the budget; the draws it made are counted
    // against a copy of the generator that makes `draws` empty ones.
    std::vector<std::string> Run(std::initializer_list<std::string> lines, int32_t budget,
                                 int emptyDraws = -1)
    {
        const std::string path = "Records/Spawn/Pool" + std::to_string(++pools) + ".dbr";
        database.WriteRecord(path, lines);
        pool = std::make_unique<ProxyPool>();
        pool->LoadFromFile(path);
        Random().Seed(77);
        RandomUniform expected = Random();
        for (int draw = 0; draw < emptyDraws; ++draw)
            expected.IGenerate(0, 0);
        pool->RunPool(budget);
        if (emptyDraws >= 0) {
            EXPECT_EQ(Random().GetState(), expected.GetState());
        }
        return Names(pool->GetObjects());
    }

    std::unique_ptr<ProxyPool> pool;
    int pools = 0;
};

TEST_F(ProxyPoolTest, AlwaysSpawnWithoutALimitMakesSpawnMaxCopiesWhateverTheBudget)
{
    EXPECT_EQ(
        Run({"spawnMax = 3", "name1 = Records/Spawn/Ogre.dbr", "difficulty1 = 50",
             "alwaysSpawn1 = 1", "name2 = Records/Spawn/Rat.dbr", "weight2 = 1", "limit2 = 9"},
            10),
        (std::vector<std::string>{kOgre, kOgre, kOgre}));
}

TEST_F(ProxyPoolTest, TriesTheLargerCountThenFillsTheMinimumWithTheCheapest)
{
    // Nothing fits a budget of 0: five empty draws, then the cheapest, the earlier of equals
    // first, as far as the limits go. Fixed items here: a monster's making draws of its own.
    for (const char* record : {kRat, kWolf, kOgre})
        database.WriteRecord(record, {"Class = FixedItem"});
    EXPECT_EQ(Run({"spawnMin = 3", "spawnMax = 5", "name1 = Records/Spawn/Rat.dbr",
                   "difficulty1 = 5", "weight1 = 4", "limit1 = 2", "name2 = Records/Spawn/Wolf.dbr",
                   "difficulty2 = 3", "weight2 = 4", "limit2 = 1", "name3 = Records/Spawn/Ogre.dbr",
                   "difficulty3 = 3", "weight3 = 4", "limit3 = 1"},
                  0, 5),
              (std::vector<std::string>{kWolf, kOgre, kRat}));
}

TEST_F(ProxyPoolTest, LimitsAndCountsFromRecordsStayInBounds)
{
    struct Row {
        const char* label;
        std::vector<std::string> lines;
        size_t made;
    };
    const Row rows[] = {
        // Without a limit key the limit is the record's "spawnMax": 0 is never picked.
        {"NoLimitKey", {"spawnMin = 2", "name1 = Records/Spawn/Rat.dbr", "weight1 = 1"}, 0},
        {"NegativeCounts",
         {"spawnMin = -5", "spawnMax = -1", "name1 = Records/Spawn/Rat.dbr", "limit1 = 3",
          "weight1 = 1"},
         0},
        {"HugeCount",
         {"spawnMax = 1000000", "name1 = Records/Spawn/Chest.dbr", "alwaysSpawn1 = 1"},
         256},
        {"HugeWeights",
         {"spawnMax = 2", "name1 = Records/Spawn/Rat.dbr", "weight1 = 2147483647", "limit1 = 1",
          "name2 = Records/Spawn/Wolf.dbr", "weight2 = 2147483647", "limit2 = 1"},
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const std::string path = std::string("Records/Spawn/") + row.label + ".dbr";
        database.WriteRecord(path, row.lines);
        ProxyPool bounded;
        bounded.LoadFromFile(path);
        bounded.RunPool(100);
        EXPECT_EQ(bounded.GetObjects().size(), row.made);
    }
}

TEST_F(ProxyPoolTest, AHeroInGameIsNeverPickedAndTheOthersRegisterTheirs)
{
    database.WriteRecord(kWolf, {"Class = Monster", "monsterClassification = Hero"});
    gGameEngine->RegisterProxyHeroBoss(kWolf);
    EXPECT_TRUE(Run({"spawnMin = 1", "name1 = Records/Spawn/Wolf.dbr", "limit1 = 1"}, 10).empty());

    gGameEngine->UnregisterProxyHeroBoss(kWolf);
    EXPECT_EQ(Run({"spawnMin = 1", "name1 = Records/Spawn/Wolf.dbr", "limit1 = 1"}, 10),
              std::vector<std::string>{kWolf});
    EXPECT_TRUE(gGameEngine->IsProxyHeroBossInGame(kWolf));
    pool.reset();
    EXPECT_FALSE(gGameEngine->IsProxyHeroBossInGame(kWolf));
}

TEST_F(ProxyPoolTest, AMissingRecordIsLoggedAndSkipped)
{
    LogCapture log;
    EXPECT_EQ(Run({"spawnMin = 2", "name1 = Records/Spawn/Gone.dbr", "limit1 = 1",
                   "name2 = Records/Spawn/Rat.dbr", "limit2 = 1"},
                  0),
              std::vector<std::string>{kRat});
    EXPECT_EQ(log.Count(1, "Proxy Pool (Records/Spawn/Pool1.dbr) could not create object "
                           "(Records/Spawn/Gone.dbr)"),
              1u);
}

TEST_F(ProxyPoolTest, TheAccessoryIsMadeWhenTheDrawIsWithinTheChanceAndTakesTheLevel)
{
    database.WriteRecord("Records/Spawn/Chests.dbr",
                         {"fixedItemChance = 0", "fixedItemName1 = Records/Spawn/Chest.dbr",
                          "fixedItemWeight1 = 1"});
    for (const auto& [drawn, made] : {std::pair{0, 1u}, std::pair{1, 0u}}) {
        SCOPED_TRACE(drawn);
        ProxyAccessoryPool accessory;
        accessory.LoadFromFile("Records/Spawn/Chests.dbr");
        // The first seed whose first draw of 0..100 is the one wanted.
        for (uint32_t seed = 1;; ++seed) {
            Random().Seed(seed);
            if (RandomUniform(Random()).IGenerate(0, 100) == drawn)
                break;
        }
        accessory.RunPool(7);
        ASSERT_EQ(accessory.GetObjects().size(), made);
        if (made != 0) {
            EXPECT_EQ(ObjectManager::Instance()
                          .GetObject<FixedItem>(accessory.GetObjects().front())
                          ->GetProxyLevel(),
                      7u);
        }
    }
}

class ProxyAmbushTest : public ProxyFixture {
protected:
    // An ambush holding three rats, released every second while a player is within 5.
    ProxyAmbush* MakeAmbush(const std::string& population)
    {
        database.WriteRecord("Records/Spawn/Pool.dbr",
                             {"spawnMin = 3", "name1 = Records/Spawn/Rat.dbr", "limit1 = 3"});
        ProxyAmbush* ambush = MakeProxy<ProxyAmbush>(
            {"Class = ProxyAmbush", "pool1 = Records/Spawn/Pool.dbr", "alertArea = 5",
             "minSpawnTime = 1.0", "maxSpawnTime = 1.0", "minProxyPopulation = " + population,
             "maxProxyPopulation = " + population},
            {10, 0, 10});
        ambush->InitialUpdate();
        return ambush;
    }

    Player* PlayerAt(const Vec3& position)
    {
        return SpawnAt<Player>("Records/Spawn/Hero.dbr", {"Class = Player"}, position);
    }
};

TEST_F(ProxyAmbushTest, WithoutACapOneIsReleasedEachIntervalWhileAPlayerIsNear)
{
    ProxyAmbush* ambush = MakeAmbush("0");
    ASSERT_EQ(ambush->GetWaitingObjects().size(), 3u);

    // Nobody near: the timer keeps falling.
    ambush->UpdateSelf(100);
    EXPECT_EQ(ambush->GetSpawnTimer(), -100);
    EXPECT_TRUE(ambush->GetReleasedObjects().empty());

    PlayerAt({12, 0, 10});
    const std::vector<uint32_t> waiting = ambush->GetWaitingObjects();
    ambush->UpdateSelf(1);
    EXPECT_EQ(ambush->GetReleasedObjects(), std::vector<uint32_t>{waiting[0]});
    ambush->UpdateSelf(999);
    EXPECT_EQ(ambush->GetReleasedObjects().size(), 1u);
    ambush->UpdateSelf(1);
    EXPECT_EQ(ambush->GetReleasedObjects(), (std::vector<uint32_t>{waiting[0], waiting[1]}));
    const auto* released = ObjectManager::Instance().GetObject<Entity>(waiting[1]);
    EXPECT_EQ(released->GetCoords().GetPosition().GetRegionPosition(), Vec3(10, 0, 10));
    EXPECT_TRUE(released->HasDoneInitialUpdate());
    EXPECT_FALSE(ObjectManager::Instance().GetObject<Entity>(waiting[2])->HasDoneInitialUpdate());
}

TEST_F(ProxyAmbushTest, AtTheCapTheTimerWaitsTheMinimumAndTheDeadArePruned)
{
    ProxyAmbush* ambush = MakeAmbush("2");
    PlayerAt({10, 0, 12});
    ambush->UpdateSelf(1);
    ambush->UpdateSelf(1000);
    ASSERT_EQ(ambush->GetReleasedObjects().size(), 2u);
    ambush->UpdateSelf(1000);
    EXPECT_EQ(ambush->GetReleasedObjects().size(), 2u);
    EXPECT_EQ(ambush->GetWaitingObjects().size(), 1u);
    EXPECT_EQ(ambush->GetSpawnTimer(), 1000);

    Destroy(ObjectManager::Instance().GetObject(ambush->GetReleasedObjects().front()));
    ambush->UpdateSelf(10);
    EXPECT_EQ(ambush->GetReleasedObjects().size(), 1u);
    ambush->UpdateSelf(990);
    EXPECT_TRUE(ambush->GetWaitingObjects().empty());
}

TEST_F(ProxyAmbushTest, TheWaitingListIsSavedByNameAndRestoredFromItsRecords)
{
    ProxyAmbush* ambush = MakeAmbush("0");
    Destroy(ObjectManager::Instance().GetObject(ambush->GetWaitingObjects()[1]));
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    ambush->SaveState(writer);

    ProxyAmbush* restored = MakeProxy<ProxyAmbush>({"Class = ProxyAmbush"});
    LogCapture log;
    BinaryReader reader(writer.GetData(), writer.GetSize());
    EXPECT_TRUE(restored->RestoreState(reader));
    EXPECT_EQ(Names(restored->GetWaitingObjects()), (std::vector<std::string>{kRat, kRat}));
    EXPECT_TRUE(restored->HasRun());
    EXPECT_EQ(log.Count(1, "ProxyAmbush: Unable to create and restore file "
                           "(InvalidProxyObjectSaved)"),
              1u);
}

TEST_F(ProxyAmbushTest, ABrokenStateIsRefusedAtTheFirstBadRead)
{
    struct Row {
        const char* label;
        std::vector<uint8_t> bytes;
        size_t restored;
        size_t refusals;
    };
    // Visibility, has-run, count, then names.
    const Row rows[] = {
        {"CountPastTheBytes", {1, 0, 0, 0, 1, 0, 0, 0, 0xff, 0xff, 0xff, 0x7f, 0, 0, 0, 0}, 0, 1},
        {"NameCutShort",
         {1,   0,   0,   0,   1,   0,   0,   0,   2,   0,   0,   0,   21,  0,
          0,   0,   'R', 'e', 'c', 'o', 'r', 'd', 's', '/', 'S', 'p', 'a', 'w',
          'n', '/', 'R', 'a', 't', '.', 'd', 'b', 'r', 9,   0,   0,   0},
         1,
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ProxyAmbush* restored = MakeProxy<ProxyAmbush>({"Class = ProxyAmbush"});
        LogCapture log;
        BinaryReader reader(row.bytes.data(), row.bytes.size());
        EXPECT_FALSE(restored->RestoreState(reader));
        EXPECT_EQ(restored->GetWaitingObjects().size(), row.restored);
        EXPECT_EQ(log.CountContaining("ProxyAmbush: saved count"), row.refusals);
    }
}

} // namespace
} // namespace GAME::Test
