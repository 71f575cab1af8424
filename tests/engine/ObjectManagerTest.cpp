#include "engine/ObjectManager.h"

#include "core/RandomUniform.h"
#include "engine/Actor.h"
#include "engine/LoadTable.h"
#include "engine/ObjectIdMap.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FakeObject.h"

#include <unordered_map>

namespace GAME {

// Keeps a key of its record; counts its deletion and, while being deleted, may run a frame and
// destroy an object.
class ObjTestUnit : public Actor {
    GAME_DECLARE_CLASS(ObjTestUnit)

public:
    ~ObjTestUnit() override
    {
        if (deletions != nullptr)
            ++*deletions;
        if (runFrameOnDelete)
            gEngine->RunFrame(0);
        if (destroyOnDelete != nullptr)
            ObjectManager::Instance().DestroyObjectEx(destroyOnDelete, "test", 2);
    }
    void Load(const LoadTable& table) override
    {
        loadedLevel = table.GetInt("level", -1);
        ++loads;
    }

    static inline int loads = 0;
    int loadedLevel = 0;
    int* deletions = nullptr;
    Object* destroyOnDelete = nullptr;
    bool runFrameOnDelete = false;
};

class ObjTestOtherUnit : public Actor {
    GAME_DECLARE_CLASS(ObjTestOtherUnit)
};

// Makes, while it loads, the object of the record its "makes" key names.
class ObjTestMaker : public Actor {
    GAME_DECLARE_CLASS(ObjTestMaker)

public:
    void Load(const LoadTable& table) override
    {
        made = ObjectManager::Instance().CreateObjectFromFile(table.GetString("makes", ""));
    }

    Object* made = nullptr;
};

GAME_IMPLEMENT_CLASS(ObjTestUnit, Actor);
GAME_IMPLEMENT_CLASS(ObjTestOtherUnit, Actor);
GAME_IMPLEMENT_CLASS(ObjTestMaker, Actor);

namespace Test {
namespace {

class ObjectManagerTest : public EngineFixture {
protected:
    ObjTestUnit* MakeUnit(int* deletions)
    {
        auto* unit = static_cast<ObjTestUnit*>(objects.CreateObject("ObjTestUnit"));
        unit->deletions = deletions;
        return unit;
    }

    // The last destruction recorded: which object, from which file and line.
    std::tuple<uint32_t, std::string, int32_t> LastDestroyed() const
    {
        const ObjectManager::DestroyRecord last = objects.GetDestroyHistory().back();
        return {last.objectId, last.file, last.line};
    }

    ObjectManager& objects = ObjectManager::Instance();
};

TEST_F(ObjectManagerTest, IdsAndTypedLookUps)
{
    const uint32_t first = objects.CreateObjectID();
    const uint32_t second = objects.CreateObjectID();
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);

    Object* unit = objects.CreateObject("ObjTestUnit");
    ASSERT_NE(unit, nullptr);
    const uint32_t id = unit->GetObjectId();
    EXPECT_EQ(objects.GetObject<Entity>(id), unit);
    EXPECT_EQ(objects.GetObject<ObjTestOtherUnit>(id), nullptr);

    EXPECT_EQ(objects.CreateObject("NoSuchClass"), nullptr);

    objects.SetHostIndex(3);
    EXPECT_EQ(objects.CreateObjectID() >> 28, 3u);
    EXPECT_EQ(objects.CreateObject("ObjTestUnit")->GetObjectId() >> 28, 3u);
}

TEST_F(ObjectManagerTest, ATakenIdIsRefusedAndTheFirstObjectKept)
{
    Object* first = objects.CreateObject("ObjTestUnit", 0x42);
    ASSERT_NE(first, nullptr);

    // LeakSanitizer fails the run should the refused object leak.
    EXPECT_EQ(objects.CreateObject("ObjTestOtherUnit", 0x42), nullptr);
    EXPECT_EQ(
        log.GetLines(),
        (std::vector<LogCapture::Line>{
            {1, "ObjectManager: object id 0x00000042 is already in use (ObjTestOtherUnit)"}}));
    EXPECT_EQ(objects.GetObject(0x42), first);
}

TEST_F(ObjectManagerTest, DestroyedObjectsVanishAtOnceAndAreDeletedAtFrameEnd)
{
    int deletions = 0;
    ObjTestUnit* unit = MakeUnit(&deletions);
    const uint32_t id = unit->GetObjectId();
    EXPECT_EQ(objects.GetObjectIds(), std::vector<uint32_t>{id});
    objects.DestroyObjectEx(unit, "Units/Test.cpp", 7);
    objects.DestroyObjectEx(unit, "Units/Test.cpp", 8);
    EXPECT_EQ(objects.GetObject(id), nullptr);
    EXPECT_TRUE(objects.GetObjectIds().empty());
    EXPECT_EQ(deletions, 0);
    ASSERT_EQ(objects.GetDestroyHistory().size(), 1u);
    EXPECT_EQ(LastDestroyed(), std::tuple(id, "Units/Test.cpp", 7));

    gEngine->RunFrame(16);
    EXPECT_EQ(deletions, 1);
    gEngine->RunFrame(16);
    EXPECT_EQ(deletions, 1);
}

TEST_F(ObjectManagerTest, DestructorsMayRunAFrameAndDestroyThemselvesAndOthers)
{
    int deletions[5] = {};
    ObjTestUnit* units[5];
    for (int i = 0; i < 5; ++i)
        units[i] = MakeUnit(&deletions[i]);
    units[0]->destroyOnDelete = units[0]; // itself, after running a frame of its own
    units[0]->runFrameOnDelete = true;
    units[1]->destroyOnDelete = units[2]; // one not yet destroyed
    units[3]->destroyOnDelete = units[4]; // one already waiting
    for (int i : {0, 1, 3, 4})
        objects.DestroyObjectEx(units[i], "a", i);

    objects.ProcessDestroyedObjects();
    EXPECT_EQ(std::vector<int>(deletions, deletions + 5), std::vector<int>(5, 1));
    EXPECT_EQ(objects.GetObjectCount(), 0u);
}

TEST_F(ObjectManagerTest, AnOwnerDeletedAfterWhatItOwnsInOnePassTouchesNothingTwice)
{
    // Shut-down queues everything at once; whichever of two goes second names the first again.
    int deletions[2] = {};
    ObjTestUnit* owned = MakeUnit(&deletions[0]);
    ObjTestUnit* owner = MakeUnit(&deletions[1]);
    owner->destroyOnDelete = owned;
    owned->destroyOnDelete = owner;
    objects.DestroyAllObjects();
    EXPECT_EQ(std::pair(deletions[0], deletions[1]), std::pair(1, 1));
    EXPECT_EQ(objects.GetObjectCount(), 0u);
}

TEST_F(ObjectManagerTest, CreateObjectFromFileNamesAndLoadsTheObject)
{
    database.WriteRecord("Records/Units/Grunt.dbr", {"Class = ObjTestUnit", "level = 12"});
    database.WriteRecord("Records/Units/Ghost.dbr", {"Class = NoSuchClass"});

    auto* unit = objects.CreateObjectFromFile<ObjTestUnit>("Records/Units/Grunt.dbr");
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->loadedLevel, 12);
    EXPECT_EQ(
        objects.CreateObjectFromFile<ObjTestUnit>("Records/Units/Grunt.dbr", 0, false)->loadedLevel,
        0);
    EXPECT_EQ(objects.CreateObjectFromFile("Records/Units/Missing.dbr"), nullptr);
    EXPECT_EQ(objects.CreateObjectFromFile("Records/Units/Ghost.dbr"), nullptr);

    // Refused before it loads: a record read as the wrong class could name itself again.
    const int loads = ObjTestUnit::loads;
    EXPECT_EQ(objects.CreateObjectFromFile<ObjTestOtherUnit>("Records/Units/Grunt.dbr"), nullptr);
    EXPECT_EQ(ObjTestUnit::loads, loads);
    EXPECT_EQ(objects.GetObjectCount(), 2u);
    ASSERT_EQ(objects.GetDestroyHistory().size(), 1u);
    EXPECT_EQ(std::get<1>(LastDestroyed()), "Engine/ObjectManager");
    EXPECT_EQ(std::get<2>(LastDestroyed()), 25);
}

TEST_F(ObjectManagerTest, ARecordNamingItselfOrARingOfRecordsIsRefusedInOneLine)
{
    database.WriteRecord("Records/Self.dbr", {"Class = ObjTestMaker", "makes = records\\SELF.dbr"});
    database.WriteRecord("Records/A.dbr", {"Class = ObjTestMaker", "makes = Records/B.dbr"});
    database.WriteRecord("Records/B.dbr", {"Class = ObjTestMaker", "makes = Records/A.dbr"});
    database.WriteRecord("Records/Leaf.dbr", {"Class = ObjTestUnit"});
    database.WriteRecord("Records/Top.dbr", {"Class = ObjTestMaker", "makes = Records/Leaf.dbr"});

    // The outer object stands; what would have begun the loop again is not made. The same record
    // spelt otherwise is still the same record.
    auto* self = objects.CreateObjectFromFile<ObjTestMaker>("Records/Self.dbr");
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->made, nullptr);
    const char* again = "ObjectManager: record 'records\\SELF.dbr' names itself, directly or "
                        "through the records it names; not made";
    EXPECT_EQ(log.GetLines(), (std::vector<LogCapture::Line>{{Engine::LogData, again}}));

    log.Clear();
    auto* a = static_cast<ObjTestMaker*>(objects.CreateObjectFromFile("Records/A.dbr"));
    ASSERT_NE(a, nullptr);
    auto* b = DynamicCast<ObjTestMaker>(a->made);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->made, nullptr);
    ASSERT_EQ(log.GetLines().size(), 1u);
    EXPECT_EQ(log.CountContaining("record 'Records/A.dbr' names itself"), 1u);

    // A record named twice, but not within its own loading, is made each time.
    log.Clear();
    auto* top = static_cast<ObjTestMaker*>(objects.CreateObjectFromFile("Records/Top.dbr"));
    ASSERT_NE(top, nullptr);
    EXPECT_NE(top->made, nullptr);
    EXPECT_NE(objects.CreateObjectFromFile("Records/Leaf.dbr"), nullptr);
    EXPECT_TRUE(log.GetLines().empty());
}

TEST_F(ObjectManagerTest, AChainOfRecordsDeeperThanTheBoundStopsInOneLine)
{
    const size_t length = ObjectManager::kMaxRecordDepth + 10;
    for (size_t i = 0; i < length; ++i)
        database.WriteRecord(
            "Records/Chain" + std::to_string(i) + ".dbr",
            {"Class = ObjTestMaker", "makes = Records/Chain" + std::to_string(i + 1) + ".dbr"});
    ASSERT_NE(objects.CreateObjectFromFile("Records/Chain0.dbr"), nullptr);
    EXPECT_EQ(objects.GetObjectCount(), ObjectManager::kMaxRecordDepth);
    const std::string line = "ObjectManager: record 'Records/Chain" +
                             std::to_string(ObjectManager::kMaxRecordDepth) +
                             ".dbr' is named 64 records deep; not made";
    EXPECT_EQ(log.GetLines(), (std::vector<LogCapture::Line>{{Engine::LogData, line}}));
}

// Random inserts and erases against a reference map: backward-shift deletion must keep every
// surviving id reachable, across growth and with host bits in the top of the ids.
TEST(ObjectIdMap, MatchesReferenceMapUnderChurn)
{
    ObjectIdMap map;
    EXPECT_FALSE(map.Insert(0, FakeObject(1)));
    std::unordered_map<uint32_t, Object*> reference;
    RandomUniform random;
    random.Seed(99);
    for (int step = 0; step < 20000; ++step) {
        const uint32_t id =
            (uint32_t(random.IGenerate(0, 3)) << 28) | uint32_t(random.IGenerate(1, 3000));
        if (random.IGenerate(0, 2) == 0) {
            auto found = reference.find(id);
            EXPECT_EQ(map.Erase(id), found != reference.end() ? found->second : nullptr);
            if (found != reference.end())
                reference.erase(found);
        } else {
            EXPECT_EQ(map.Insert(id, FakeObject(id)), reference.emplace(id, FakeObject(id)).second);
        }
    }
    ASSERT_EQ(map.Size(), reference.size());
    for (const auto& [id, object] : reference)
        ASSERT_EQ(map.Find(id), object) << id;
    size_t visited = 0;
    map.ForEach([&](uint32_t id, Object* object) {
        EXPECT_EQ(reference.at(id), object);
        ++visited;
    });
    EXPECT_EQ(visited, reference.size());
}

} // namespace
} // namespace Test
} // namespace GAME
