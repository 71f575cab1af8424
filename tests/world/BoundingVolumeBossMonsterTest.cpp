#include "world/BoundingVolumeBossMonster.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

class RecordingBossVolumes : public BoundingVolumeBossMonster {
public:
    void OnEnterVolume(int index) override { entered.push_back(index); }
    std::vector<int> entered;
};

class BoundingVolumeBossMonsterTest : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    static void StartDeath(uint32_t id)
    {
        GameEvent_GenericEntity event;
        event.objectId = id;
        EventManager::Instance().Send("GameEvent_CreatureStartDeath", event);
    }
    static void SendEnter(uint32_t volumeId, uint32_t entityId)
    {
        GameEvent_EnterBoundingVolume event;
        event.volumeId = volumeId;
        event.entityId = entityId;
        EventManager::Instance().Send("GameEvent_EnterBoundingVolume", event);
    }
};

TEST_F(BoundingVolumeBossMonsterTest, LoadsTheSpheresAndTheBossMusic)
{
    BoundingVolumeBossMonster volumes;
    volumes.Load(GAME::Test::Record("boundingVolumeRadius1 = 15\n"
                                    "boundingVolumeRadius3 = 25\n"
                                    "bossEventMusic = Music/Boss/Fight.mp3\n"));
    EXPECT_EQ(volumes.GetVolumeEntries().size(), 2u);
    EXPECT_EQ(volumes.GetBossEventMusic(), "Music/Boss/Fight.mp3");
}

TEST_F(BoundingVolumeBossMonsterTest, OnlyItsOwnMonsterStartingToDieSilencesIt)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t bossId = objects.CreateObject("Monster")->GetObjectId();
    const uint32_t otherId = objects.CreateObject("Monster")->GetObjectId();
    const uint32_t playerId = objects.CreateObject("Player")->GetObjectId();
    RecordingBossVolumes volumes;
    volumes.Load(GAME::Test::Record("boundingVolumeRadius1 = 15\n"));
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

TEST_F(BoundingVolumeBossMonsterTest, AnIdThatIsNoMonsterDoesNotCount)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t playerId = objects.CreateObject("Player")->GetObjectId();
    BoundingVolumeBossMonster volumes;
    volumes.SetMonsterId(playerId);
    StartDeath(playerId);
    EXPECT_FALSE(volumes.IsTriggered());
}

} // namespace
} // namespace GAME
