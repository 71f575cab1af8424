#include "world/BoundingVolumeMultiple.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"
#include "world/BoundingVolume.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace GAME {
namespace {

// Records which nested sphere each crossing was reported for.
class RecordingVolumes : public BoundingVolumeMultiple {
public:
    void OnEnterVolume(int index) override { entered.push_back(index); }
    void OnExitVolume(int index) override { exited.push_back(index); }
    std::vector<int> entered;
    std::vector<int> exited;
};

class BoundingVolumeMultipleTest : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    static void SendEnter(uint32_t volumeId, uint32_t entityId)
    {
        GameEvent_EnterBoundingVolume event;
        event.volumeId = volumeId;
        event.entityId = entityId;
        EventManager::Instance().Send("GameEvent_EnterBoundingVolume", event);
    }
    static void SendExit(uint32_t volumeId, uint32_t entityId)
    {
        GameEvent_ExitBoundingVolume event;
        event.volumeId = volumeId;
        event.entityId = entityId;
        EventManager::Instance().Send("GameEvent_ExitBoundingVolume", event);
    }
};

TEST_F(BoundingVolumeMultipleTest, RadiiNearZeroMakeNoSphereAndTheOthersKeepTheirOrder)
{
    RecordingVolumes volumes;
    volumes.Load(GAME::Test::Record("boundingVolumeRadius1 = 0.00005\n"
                                    "boundingVolumeRadius2 = 12\n"
                                    "boundingVolumeRadius3 = -0.5\n"));

    const auto& entries = volumes.GetVolumeEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_FLOAT_EQ(entries[0].radius, 12.0f);
    EXPECT_FLOAT_EQ(entries[1].radius, -0.5f);
    for (const auto& entry : entries) {
        const auto* child = ObjectManager::Instance().GetObject<BoundingVolume>(entry.volumeId);
        ASSERT_NE(child, nullptr);
        EXPECT_FLOAT_EQ(child->GetRadius(), entry.radius);
        EXPECT_FALSE(entry.attached);
    }
}

TEST_F(BoundingVolumeMultipleTest, AttachingSortsInnermostFirstAndSkipsSpheresAlreadyGone)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* carrier = static_cast<Monster*>(objects.CreateObject("Monster"));
    std::vector<uint32_t> leftOver;
    {
        RecordingVolumes volumes;
        volumes.Load(GAME::Test::Record("boundingVolumeRadius1 = 30\n"
                                        "boundingVolumeRadius2 = 10\n"
                                        "boundingVolumeRadius3 = 20\n"
                                        "boundingVolumeRadius4 = 40\n"));
        const uint32_t gone = volumes.GetVolumeEntries()[3].volumeId;
        objects.DestroyObjectEx(objects.GetObject(gone), "test", 1);
        volumes.AttachVolumes(carrier);

        const auto& entries = volumes.GetVolumeEntries();
        ASSERT_EQ(entries.size(), 4u);
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

TEST_F(BoundingVolumeMultipleTest, UnattachedSpheresGoWithTheVolume)
{
    ObjectManager& objects = ObjectManager::Instance();
    uint32_t childId = 0;
    {
        RecordingVolumes volumes;
        volumes.Load(GAME::Test::Record("boundingVolumeRadius2 = 5\n"));
        childId = volumes.GetVolumeEntries().at(0).volumeId;
    }
    EXPECT_EQ(objects.GetObject(childId), nullptr);
}

TEST_F(BoundingVolumeMultipleTest, OnlyPlayersCrossingOurSpheresAreReported)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t playerId = objects.CreateObject("Player")->GetObjectId();
    const uint32_t monsterId = objects.CreateObject("Monster")->GetObjectId();
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

} // namespace
} // namespace GAME
