#include "ai/ControllerMonsterStatePanic.h"

#include "ai/ControllerMonster.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace GAME::Test {
namespace {

constexpr uint32_t kRegion = 1;

class ControllerMonsterStatePanicTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, Vec3(),
                                          ABBox(Vec3(-100, -10, -100), Vec3(100, 10, 100)));
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    Monster* Place(const std::string& record, float x)
    {
        auto* monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(record);
        if (monster != nullptr)
            gEngine->GetWorld()->AddEntity(
                monster, WorldCoords{kRegion, Coords::FromTranslation(Vec3(x, 0, 0))}, false);
        return monster;
    }

    // A monster without a run animation, so that every run stops where it starts, under its
    // controller after the first update, and a hunter 3.0 away.
    void MakeCowardAndHunter()
    {
        database.WriteRecord("Records/Controllers/Coward.dbr", {"Class = ControllerMonster"});
        database.WriteRecord("Records/Creatures/Coward.dbr",
                             {"Class = Monster", "characterLife = 100",
                              "controller = Records/Controllers/Coward.dbr"});
        database.WriteRecord("Records/Creatures/Hunter.dbr",
                             {"Class = Monster", "characterLife = 100"});
        coward = Place("Records/Creatures/Coward.dbr", 0);
        hunter = Place("Records/Creatures/Hunter.dbr", 3);
        ASSERT_NE(coward, nullptr);
        ASSERT_NE(hunter, nullptr);
        hunter->SetTeam(TeamManager::DefaultPlayerTeam());
        for (Monster* monster : {coward, hunter}) {
            monster->InitialUpdate();
            monster->GetCharacterBio().Update(*monster, 0);
        }
        controller =
            ObjectManager::Instance().GetObject<ControllerMonster>(coward->GetControllerId());
        ASSERT_NE(controller, nullptr);
        controller->Update(0);
    }

    std::unique_ptr<World> previousWorld;
    Monster* coward = nullptr;
    Monster* hunter = nullptr;
    ControllerMonster* controller = nullptr;
};

// Without the guards these runs restart from inside themselves and never return.
TEST_F(ControllerMonsterStatePanicTest, ARunThatCannotStartRunsAgainOnTheNextUpdateNotAtOnce)
{
    MakeCowardAndHunter();
    controller->Panic(hunter->GetObjectId());
    EXPECT_STREQ(controller->GetExecutingStateName(), "Panic");
    EXPECT_EQ(coward->GetActionState(), ActionState_ForcedStop);
    for (int frame = 0; frame < 3; ++frame) {
        controller->Update(33);
        EXPECT_STREQ(controller->GetExecutingStateName(), "Panic") << frame;
    }
    EXPECT_EQ(coward->GetPathPosition(), WorldVec3(kRegion, Vec3()));
}

TEST_F(ControllerMonsterStatePanicTest, AScaredRunThatCannotStartWaitsForItsRunTimer)
{
    MakeCowardAndHunter();
    controller->ScareMe(hunter->GetObjectId(), 5000.0f);
    EXPECT_STREQ(controller->GetExecutingStateName(), "Scared");
    EXPECT_EQ(coward->GetActionState(), ActionState_ForcedStop);
    // Runs last 1000 to 2000 ms; the timer then tries again, once.
    controller->Update(2001);
    EXPECT_STREQ(controller->GetExecutingStateName(), "Scared");
    EXPECT_EQ(coward->GetPathPosition(), WorldVec3(kRegion, Vec3()));
}

} // namespace
} // namespace GAME::Test
