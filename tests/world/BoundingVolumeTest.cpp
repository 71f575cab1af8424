#include "world/BoundingVolume.h"
#include "world/BoundingVolumeBossMonster.h"
#include "world/BoundingVolumeMultiple.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/Records.h"

#include <utility>
#include <vector>

namespace GAME {
namespace {

// Records which nested sphere each crossing was reported for.
template <typename Volumes> class Recording : public Volumes {
public:
    void OnEnterVolume(int index) override { entered.push_back(index); }
    void OnExitVolume(int index) override { exited.push_back(index); }
    std::vector<int> entered;
    std::vector<int> exited;
};
using RecordingVolumes = Recording<BoundingVolumeMultiple>;

class BoundingVolumeTest : public GAME::Test::CombatGameFixture {
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
    template <typename Event>
    static void Send(const char* name, uint32_t volumeId, uint32_t entityId)
    {
        Event event;
        event.volumeId = volumeId;
        event.entityId = entityId;
        EventManager::Instance().Send(name, event);
    }
    static void SendEnter(uint32_t volumeId, uint32_t entityId)
    {
        Send<GameEvent_EnterBoundingVolume>("GameEvent_EnterBoundingVolume", volumeId, entityId);
    }
    static void SendExit(uint32_t volumeId, uint32_t entityId)
    {
        Send<GameEvent_ExitBoundingVolume>("GameEvent_ExitBoundingVolume", volumeId, entityId);
    }
};

TEST_F(BoundingVolumeTest, RadiiNearZeroMakeNoSphereAndTheOthersKeepTheirOrder)
{
    RecordingVolumes volumes;
    volumes.Load(GAME::Test::Record("boundingVolumeRadius1 = 0.00005\n"
                                    "boundingVolumeRadius2 = 12\n"
                                    "boundingVolumeRadius3 = -0.5\n"));
    const auto& entries = volumes.GetVolumeEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_FLOAT_EQ(entries[0].radius, 12.0f);
    EXPECT_FLOAT_EQ(entries[1].radius, -0.5f);
    EXPECT_FLOAT_EQ(
        ObjectManager::Instance().GetObject<BoundingVolume>(entries[1].volumeId)->GetRadius(),
        -0.5f);
}

TEST_F(BoundingVolumeTest, AttachingSortsInnermostFirstAndSkipsSpheresAlreadyGone)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* carrier = static_cast<Monster*>(objects.CreateObject("Monster"));
    std::vector<uint32_t> leftOver;
    {
        RecordingVolumes volumes;
        volumes.Load(
            GAME::Test::Record("boundingVolumeRadius1 = 30\nboundingVolumeRadius2 = 10\n"
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

TEST_F(BoundingVolumeTest, UnattachedSpheresGoWithTheVolume)
{
    uint32_t childId = 0;
    {
        RecordingVolumes volumes;
        volumes.Load(GAME::Test::Record("boundingVolumeRadius2 = 5\n"));
        childId = volumes.GetVolumeEntries().at(0).volumeId;
    }
    EXPECT_EQ(ObjectManager::Instance().GetObject(childId), nullptr);
}

TEST_F(BoundingVolumeTest, OnlyPlayersCrossingOurSpheresAreReported)
{
    const uint32_t playerId = Make("Player");
    const uint32_t monsterId = Make("Monster");
    RecordingVolumes volumes;
    volumes.Load(GAME::Test::Record("boundingVolumeRadius1 = 4\nboundingVolumeRadius2 = 8\n"));
    const uint32_t inner = volumes.GetVolumeEntries()[0].volumeId;
    const uint32_t outer = volumes.GetVolumeEntries()[1].volumeId;

    SendEnter(outer, playerId);
    SendEnter(inner, playerId);
    SendEnter(inner, monsterId);
    SendEnter(outer + 1000, playerId);
    SendExit(outer, playerId);
    SendExit(outer, monsterId);
    EXPECT_EQ(volumes.entered, (std::vector<int>{1, 0}));
    EXPECT_EQ(volumes.exited, (std::vector<int>{1}));
}

TEST_F(BoundingVolumeTest, OnlyItsOwnMonsterStartingToDieSilencesABossVolume)
{
    const uint32_t bossId = Make("Monster");
    const uint32_t otherId = Make("Monster");
    const uint32_t playerId = Make("Player");
    Recording<BoundingVolumeBossMonster> volumes;
    volumes.Load(GAME::Test::Record("boundingVolumeRadius1 = 15\n"
                                    "bossEventMusic = Music/Boss/Fight.mp3\n"));
    volumes.SetMonsterId(bossId);
    const uint32_t sphere = volumes.GetVolumeEntries()[0].volumeId;

    StartDeath(otherId);
    StartDeath(0);
    EXPECT_FALSE(volumes.IsTriggered());
    SendEnter(sphere, playerId);
    StartDeath(bossId);
    EXPECT_TRUE(volumes.IsTriggered());
    SendEnter(sphere, playerId);
    EXPECT_EQ(volumes.entered, (std::vector<int>{0}));
}

TEST_F(BoundingVolumeTest, ABossVolumeIgnoresAnIdThatIsNoMonster)
{
    const uint32_t playerId = Make("Player");
    BoundingVolumeBossMonster volumes;
    volumes.SetMonsterId(playerId);
    StartDeath(playerId);
    EXPECT_FALSE(volumes.IsTriggered());
}

} // namespace
} // namespace GAME
