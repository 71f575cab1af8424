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

GAME_IMPLEMENT_CLASS(ObjTestUnit, Actor);
GAME_IMPLEMENT_CLASS(ObjTestOtherUnit, Actor);

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
