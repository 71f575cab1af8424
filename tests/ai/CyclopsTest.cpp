#include "ai/ControllerCyclops.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/Jukebox.h"
#include "engine/Name.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "world/PlayerSpawnPoint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kBossRecord = "Records/Creatures/Cyclops.dbr";

class CyclopsTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        cyclops = Boss<ControllerCyclops>("Cyclops", 0, 0,
                                          {"postRoarMusic = Records/Music/BossTheme.dbr"});
        hero = Bystander("Hero", 0, 12, TeamManager::DefaultPlayerTeam());
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    }
    ControllerCyclops& Brain() { return ControllerOf<ControllerCyclops>(*cyclops); }
    // A script point placed in the level, announcing itself on its first update.
    void Point(const std::string& character, int32_t sequence, float x, float z)
    {
        auto* point =
            SpawnAt<ScriptPoint>("Records/Bosses/Point" + std::to_string(++points) + ".dbr",
                                 {"Class = ScriptPoint", "scriptCharacter = " + character,
                                  "sequenceNum = " + std::to_string(sequence)},
                                 Vec3(x, 0, z));
        point->UpdateSelf(33);
        point->UpdateSelf(33);
    }
    static Vec3 Where(const ControllerCyclops& brain, int32_t sequence)
    {
        WorldCoords coords;
        EXPECT_TRUE(brain.GetScriptPoint(sequence, coords));
        return coords.GetRegionCoords().origin;
    }

    Monster* cyclops = nullptr;
    Monster* hero = nullptr;
    int points = 0;
};

TEST_F(CyclopsTest, KeepsOnlyItsOwnScriptPointsTheLaterOfOneNumberWinning)
{
    ControllerCyclops& brain = Brain();
    EXPECT_EQ(cyclops->GetTeam().GetTeamMajor(), 3u);
    EXPECT_EQ(cyclops->GetTeam().GetTeamMinor(), 1u);
    Point("Records\\Creatures\\Cyclops.dbr", 0, 5, 5);
    Point("RecordsCreatures/Cyclops.dbr", 1, 6, 6);
    Point("Records/Creatures/Minotaur.dbr", 2, 7, 7);
    EXPECT_EQ(brain.GetNumScriptPoints(), 2u);
    EXPECT_EQ(Where(brain, 0), Vec3(5, 0, 5));
    Point(kBossRecord, 0, 3, 4);
    EXPECT_EQ(brain.GetNumScriptPoints(), 2u);
    EXPECT_EQ(Where(brain, 0), Vec3(3, 0, 4));
    WorldCoords none;
    EXPECT_FALSE(brain.GetScriptPoint(2, none));
}

TEST_F(CyclopsTest, WokenItWalksToPointZeroThenRoarsAndChangesTheMusic)
{
    ControllerCyclops& brain = Brain();
    Point(kBossRecord, 0, 3, 4);
    ASSERT_EQ(StateOf(*cyclops), "Idle");
    brain.WakeUp(hero->GetObjectId());
    EXPECT_EQ(StateOf(*cyclops), "ScriptedMove");
    EXPECT_EQ(cyclops->GetMovementManager()->GetPathTarget().GetRegionPosition(), Vec3(3, 0, 4));

    brain.EndOfPathReached();
    EXPECT_EQ(StateOf(*cyclops), "Roar");
    EXPECT_EQ(brain.GetMostHatedEnemy(), hero->GetObjectId());
    const size_t before = Jukebox::Instance().GetRequests().size();
    brain.HandleEvent(Name::Create("End"));
    brain.Update(0);
    const std::vector<Jukebox::Request>& requests = Jukebox::Instance().GetRequests();
    ASSERT_EQ(requests.size(), before + 2);
    EXPECT_EQ(requests[before].type, Jukebox::FadeOutMusicRequest);
    EXPECT_EQ(requests[before].milliseconds, 5000);
    EXPECT_EQ(requests[before + 1].type, Jukebox::PlayEventMusicRequest);
    EXPECT_EQ(requests[before + 1].name, "Records/Music/BossTheme.dbr");
    EXPECT_EQ(StateOf(*cyclops), "BullRun");
    EXPECT_TRUE(brain.IsPlayerFocused());
}

TEST_F(CyclopsTest, TheBullRunKillsFoeMonstersInItsPathOnly)
{
    ControllerCyclops& brain = Brain();
    Monster* foe = Boss<ControllerMonster>("Foe", 1.5f, 0, {});
    foe->SetTeam(TeamManager::DefaultPlayerTeam());
    const Monster* friendly = Bystander("Friend", -1.5f, 0, TeamManager::BuildTeam(3, 1));
    const Monster* far = Bystander("Far", 0, 3, TeamManager::DefaultPlayerTeam());
    brain.WakeUp(hero->GetObjectId()); // no script point: straight to the roar
    EXPECT_EQ(StateOf(*cyclops), "Roar");
    brain.HandleEvent(Name::Create("End"));
    brain.Update(0);
    ASSERT_EQ(StateOf(*cyclops), "BullRun");
    brain.Update(33);
    EXPECT_EQ(foe->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(foe->GetRagdollData().speed, ControllerCyclops::kTrampleStrength);
    EXPECT_EQ(foe->GetRagdollData().direction, Vec3(1.5f, 0, 0));
    EXPECT_EQ(friendly->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(far->GetLifeState(), LifeState_Alive);
}

TEST_F(CyclopsTest, WithoutAPlayerItRestsInsteadOfCharging)
{
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(0);
    Brain().WakeUp(hero->GetObjectId());
    EXPECT_EQ(StateOf(*cyclops), "Idle");
    Brain().SetState("Return", ControllerAIStateData());
    EXPECT_EQ(StateOf(*cyclops), "Idle");
}

} // namespace
} // namespace GAME::Test
