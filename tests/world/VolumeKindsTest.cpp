#include "world/BoundingVolume.h"
#include "world/BoundingVolumeBossMonster.h"
#include "world/BoundingVolumeKinds.h"
#include "world/BoundingVolumeMusicEvent.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/EventManager.h"
#include "engine/Intersection.h"
#include "engine/ObjectManager.h"
#include "engine/Ray.h"
#include "engine/SoundPak.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/LevelObjectsFixture.h"
#include "tests/support/Records.h"
#include "world/BoundingVolumeMultiple.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

class VolumeKindsTest : public LevelObjectsFixture {
protected:
    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        hero = MakeMainPlayer();
        hero->SetIsControllingCharacter(true);
        TheWorld().AddEntity(hero, WorldAt({50, 0, 50}), false);
    }

    template <typename T = BoundingVolume>
    T* PlaceVolume(std::initializer_list<std::string> lines, const Vec3& at = {0, 0, 0})
    {
        T* volume = SpawnAt<T>("Records/Volumes/V" + std::to_string(++made) + ".dbr", lines, at);
        volume->InitialUpdate();
        return volume;
    }
    std::string Line(const char* kind, const Entity* volume, const Entity* entity) const
    {
        return std::string(kind) + " " + std::to_string(volume->GetObjectId()) + " " +
               std::to_string(entity->GetObjectId());
    }

    Player* hero = nullptr;
    VolumeEventLog events;
    int made = 0;
};

TEST_F(VolumeKindsTest, AnOccupantAtStartEntersSilentlyAndLeavesWithOneExit)
{
    MoveTo(hero, {1, 0, 1});
    auto* volume = PlaceVolume({"Class = BoundingVolume", "radius = 5"});
    // The volume stands at its own centre, so it counts itself among those inside.
    const std::vector<uint32_t> itself{volume->GetObjectId()};
    EXPECT_EQ(volume->GetEntitiesInVolume(),
              (std::vector<uint32_t>{hero->GetObjectId(), volume->GetObjectId()}));
    Frame(33);
    MoveTo(hero, {20, 0, 0});
    Frame(33);
    Frame(33);
    EXPECT_EQ(events.lines, std::vector<std::string>{Line("exit", volume, hero)});
    EXPECT_EQ(volume->GetEntitiesInVolume(), itself);
}

TEST_F(VolumeKindsTest, InAndOutBetweenTwoUpdatesIsNeverSeenButAStayIs)
{
    auto* volume = PlaceVolume({"Class = BoundingVolume", "radius = 5"});
    MoveTo(hero, {1, 0, 0});
    MoveTo(hero, {30, 0, 0});
    Frame(33);
    EXPECT_TRUE(events.lines.empty());
    MoveTo(hero, {1, 0, 0});
    Frame(33);
    Frame(33);
    EXPECT_EQ(events.lines, std::vector<std::string>{Line("enter", volume, hero)});
}

TEST_F(VolumeKindsTest, TheSurfaceIsOutsideAndRandomPointsAreInside)
{
    auto* volume = PlaceVolume({"Class = BoundingVolume", "radius = 4"}, {10, 0, 0});
    EXPECT_TRUE(volume->IsPointInsideVolume(WorldVec3(kRegion, {13.999f, 0, 0})));
    EXPECT_FALSE(volume->IsPointInsideVolume(WorldVec3(kRegion, {14, 0, 0})));
    for (int draw = 0; draw < 50; ++draw) {
        const Vec3 point = volume->GetRandomPointInsideVolume().GetRegionPosition();
        EXPECT_LE(std::fabs(point.x - 10.0f), 4.0f);
        EXPECT_LE(std::fabs(point.y), 4.0f);
        EXPECT_LE(std::fabs(point.z), 4.0f);
    }
}

TEST_F(VolumeKindsTest, DaylightWithoutAReachHoldsTheStartHourUntilTheFirstStep)
{
    auto* volume = PlaceVolume<BoundingVolumeLerpDaylight>(
        {"Class = BoundingVolumeLerpDaylight", "radius = 3", "startHour = 6", "endHour = 18"},
        {1, 0, 0});
    MoveTo(hero, {1, 0, 0});
    Frame(33);
    EXPECT_FLOAT_EQ(DayNightManager::Instance().GetStartTime(), 6.0f);
    EXPECT_TRUE(volume->IsActive());
    MoveTo(hero, {1.5f, 0, 0});
    Frame(33);
    EXPECT_FALSE(volume->IsActive());
    EXPECT_TRUE(std::isfinite(DayNightManager::Instance().GetStartTime()));
}

TEST_F(VolumeKindsTest, AOneShotPlaysForTheMainPlayerOnlyAndStopsItsFrameThere)
{
    database.WriteRecord("Records/Sounds/Gate.dbr", {"Class = SoundPak"});
    auto* other = SpawnAt<Monster>("Records/Creatures/Wolf.dbr", {"Class = Monster"}, {40, 0, 0});
    const uint32_t otherId = other->GetObjectId();
    auto* shot = PlaceVolume<BoundingVolumeSoundFxOneShot>({"Class = BoundingVolumeSoundFxOneShot",
                                                            "radius = 5",
                                                            "soundPak = Records/Sounds/Gate.dbr"});
    const uint32_t shotId = shot->GetObjectId();
    MoveTo(other, {1, 0, 0});
    Frame(33);
    ASSERT_TRUE(Exists(shotId));
    ASSERT_EQ(events.lines.size(), 1u);

    // The monster leaves as the player comes; the player's id is the lower, so his entry comes
    // first and the volume is gone before it could report the monster's exit.
    ASSERT_LT(hero->GetObjectId(), otherId);
    MoveTo(other, {40, 0, 0});
    MoveTo(hero, {0, 0, 1});
    Frame(33);
    EXPECT_FALSE(Exists(shotId));
    EXPECT_EQ(events.lines,
              (std::vector<std::string>{
                  "enter " + std::to_string(shotId) + " " + std::to_string(otherId),
                  "enter " + std::to_string(shotId) + " " + std::to_string(hero->GetObjectId())}));
    EXPECT_EQ(TheWorld().GetEntityCount(), 2u);
    size_t destroyed = 0;
    for (const auto& record : ObjectManager::Instance().GetDestroyHistory())
        destroyed += record.file == "Project/Game/BoundingVolumeKinds" ? 1 : 0;
    EXPECT_EQ(destroyed, 2u) << "the sound pak and the volume, once each";
}

using VolumeBoundsTest = LevelObjectsFixture;

// Picked along +x from the region's origin, in the editor when asked.
float PickDistance(const Entity& entity, bool editor, int32_t surface = 1)
{
    gEngine->SetLevelEditor(editor);
    Intersection hit;
    entity.GetIntersection(Ray({0, 0, 0}, {1, 0, 0}), hit, surface);
    EXPECT_EQ(hit.point, hit.IsHit() ? Vec3(hit.distance, 0, 0) : Vec3());
    return hit.distance;
}

TEST_F(VolumeBoundsTest, BoxesCollisionAndPickingFollowTheRadiusOrTheOutermostSphere)
{
    // Half-sides of the box (also the picking radius) and of the collision cube.
    const struct {
        const char* className;
        const char* record;
        float box, collision;
    } rows[] = {
        {"BoundingVolume", "radius = 4\n", 4, 4},
        {"BoundingVolume", "", 0, 0},
        {"BoundingVolumeMultiple", "", 1, 0},
        // Not yet ordered: the last sphere read counts.
        {"BoundingVolumeMultiple", "boundingVolumeRadius1 = 9\nboundingVolumeRadius2 = 3\n", 4, 3},
    };
    const Vec3 at(20, 0, 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.className) + " " + row.record);
        auto* volume = DynamicCast<Entity>(ObjectManager::Instance().CreateObject(row.className));
        volume->Load(Record(row.record));
        TheWorld().AddEntity(volume, WorldAt(at), false);
        EXPECT_EQ(volume->GetRegionBoundingBox(),
                  ABBox::FromCenterAndExtents(at, Vec3(row.box, row.box, row.box)));
        EXPECT_EQ(volume->GetCollisionBox(0).extents,
                  Vec3(row.collision, row.collision, row.collision));
        EXPECT_EQ(PickDistance(*volume, false), gPositiveInfinity);
        EXPECT_FLOAT_EQ(PickDistance(*volume, true), 20.0f - row.box);
        EXPECT_EQ(PickDistance(*volume, true, 0), gPositiveInfinity);
        ObjectManager::Instance().DestroyObjectEx(volume, "test", __LINE__);
    }
}

TEST_F(VolumeBoundsTest, BoundsFollowTheOrderedSpheresAndEveryMove)
{
    auto* music = SpawnAt<BoundingVolumeMusicEvent>(
        "Records/Volumes/Music.dbr", {"Class = BoundingVolumeMusicEvent",
                                      "boundingVolumeRadius1 = 9", "boundingVolumeRadius2 = 3"});
    Frame(33);
    EXPECT_EQ(music->GetRegionBoundingBox(), ABBox({-10, -10, -10}, {10, 10, 10}));
    const Coords turned(Coords::RotationAboutAxis(0.5f, {0, 1, 0}));
    TheWorld().SetCoords(
        music, WorldCoords(kRegion, Coords(turned.right, turned.up, turned.forward, {5, 1, -5})));
    EXPECT_EQ(music->GetRegionBoundingBox(), ABBox({-5, -9, -15}, {15, 11, 5}));
    EXPECT_EQ(music->GetCollisionBox(0).extents, Vec3(9, 9, 9));
    EXPECT_EQ(music->GetCollisionBox(0).coords.forward, turned.forward);

    // An engine entity has no size, no collision box and is never picked.
    Entity plain;
    TheWorld().AddEntity(&plain, WorldAt({3, 4, 5}), false);
    EXPECT_EQ(plain.GetRegionBoundingBox(), ABBox({3, 4, 5}, {3, 4, 5}));
    EXPECT_EQ(plain.GetCollisionBox(0).extents, Vec3());
    EXPECT_EQ(PickDistance(plain, true), gPositiveInfinity);
}

// Records which nested sphere each crossing was reported for.
template <typename Volumes> class Recording : public Volumes {
public:
    void OnEnterVolume(int index) override { entered.push_back(index); }
    void OnExitVolume(int index) override { exited.push_back(index); }
    std::vector<int> entered;
    std::vector<int> exited;
};
using RecordingVolumes = Recording<BoundingVolumeMultiple>;

class BoundingVolumeTest : public CombatGameFixture {
protected:
    static uint32_t Make(const char* className)
    {
        return ObjectManager::Instance().CreateObject(className)->GetObjectId();
    }
    static void StartDeath(uint32_t id)
    {
        GameEvent_GenericEntity event;
        event.objectId = id;
        EventManager::Instance().Send("GameEvent_CreatureStartDeath", event);
    }
    static void Cross(bool enter, uint32_t volumeId, uint32_t entityId)
    {
        GameEvent_EnterBoundingVolume in;
        GameEvent_ExitBoundingVolume out;
        in.volumeId = out.volumeId = volumeId;
        in.entityId = out.entityId = entityId;
        if (enter)
            EventManager::Instance().Send("GameEvent_EnterBoundingVolume", in);
        else
            EventManager::Instance().Send("GameEvent_ExitBoundingVolume", out);
    }
};

// Spheres never attached go with the volume.
TEST_F(BoundingVolumeTest, RadiiNearZeroMakeNoSphereAndTheOthersKeepTheirOrder)
{
    std::vector<uint32_t> spheres;
    {
        RecordingVolumes volumes;
        volumes.Load(Record("boundingVolumeRadius1 = 0.00005\n"
                            "boundingVolumeRadius2 = 12\n"
                            "boundingVolumeRadius3 = -0.5\n"));
        const auto& entries = volumes.GetVolumeEntries();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_FLOAT_EQ(entries[0].radius, 12.0f);
        EXPECT_FLOAT_EQ(
            ObjectManager::Instance().GetObject<BoundingVolume>(entries[1].volumeId)->GetRadius(),
            -0.5f);
        for (const auto& entry : entries)
            spheres.push_back(entry.volumeId);
    }
    for (const uint32_t id : spheres)
        EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
}

TEST_F(BoundingVolumeTest, AttachingSortsInnermostFirstAndSkipsSpheresAlreadyGone)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* carrier = static_cast<Monster*>(objects.CreateObject("Monster"));
    std::vector<uint32_t> leftOver;
    {
        RecordingVolumes volumes;
        volumes.Load(Record("boundingVolumeRadius1 = 30\nboundingVolumeRadius2 = 10\n"
                            "boundingVolumeRadius3 = 20\nboundingVolumeRadius4 = 40\n"));
        const uint32_t gone = volumes.GetVolumeEntries()[3].volumeId;
        objects.DestroyObjectEx(objects.GetObject(gone), "test", 1);
        volumes.AttachVolumes(carrier);

        const auto& entries = volumes.GetVolumeEntries();
        std::vector<std::pair<float, bool>> seen;
        for (const auto& entry : entries)
            seen.emplace_back(entry.radius, entry.attached);
        EXPECT_EQ(seen, (std::vector<std::pair<float, bool>>{
                            {10.0f, true}, {20.0f, true}, {30.0f, true}, {40.0f, false}}));
        ASSERT_EQ(carrier->GetNumAttachedEntities(), 3u);
        EXPECT_EQ(carrier->GetAttachedEntity(0)->GetObjectId(), entries[0].volumeId);
        for (const auto& entry : entries)
            leftOver.push_back(entry.volumeId);
    }
    objects.ProcessDestroyedObjects();
    // The carried spheres outlive the volume; they go with their carrier.
    for (size_t index = 0; index < 3; ++index)
        EXPECT_NE(objects.GetObject(leftOver[index]), nullptr);
}

TEST_F(BoundingVolumeTest, OnlyPlayersCrossingOurSpheresAreReported)
{
    const uint32_t playerId = Make("Player");
    const uint32_t monsterId = Make("Monster");
    RecordingVolumes volumes;
    volumes.Load(Record("boundingVolumeRadius1 = 4\nboundingVolumeRadius2 = 8\n"));
    const uint32_t inner = volumes.GetVolumeEntries()[0].volumeId;
    const uint32_t outer = volumes.GetVolumeEntries()[1].volumeId;

    Cross(true, outer, playerId);
    Cross(true, inner, playerId);
    Cross(true, inner, monsterId);
    Cross(true, outer + 1000, playerId);
    Cross(false, outer, playerId);
    Cross(false, outer, monsterId);
    EXPECT_EQ(volumes.entered, (std::vector<int>{1, 0}));
    EXPECT_EQ(volumes.exited, (std::vector<int>{1}));
}

TEST_F(BoundingVolumeTest, OnlyItsOwnMonsterStartingToDieSilencesABossVolume)
{
    const uint32_t bossId = Make("Monster");
    const uint32_t otherId = Make("Monster");
    const uint32_t playerId = Make("Player");
    Recording<BoundingVolumeBossMonster> volumes;
    volumes.Load(Record("boundingVolumeRadius1 = 15\n"
                        "bossEventMusic = Music/Boss/Fight.mp3\n"));
    volumes.SetMonsterId(bossId);
    const uint32_t sphere = volumes.GetVolumeEntries()[0].volumeId;

    StartDeath(otherId);
    StartDeath(0);
    EXPECT_FALSE(volumes.IsTriggered());
    // An id that is no monster never triggers, even when set as the boss.
    BoundingVolumeBossMonster mistaken;
    mistaken.SetMonsterId(playerId);
    StartDeath(playerId);
    EXPECT_FALSE(mistaken.IsTriggered());
    Cross(true, sphere, playerId);
    StartDeath(bossId);
    EXPECT_TRUE(volumes.IsTriggered());
    Cross(true, sphere, playerId);
    EXPECT_EQ(volumes.entered, (std::vector<int>{0}));
}

} // namespace
} // namespace GAME::Test
