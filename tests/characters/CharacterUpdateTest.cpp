#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/PhysicsEngine.h"
#include "tests/characters/CharacterFrameFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {

// The helpers of CharacterFrameFixture.h are registered once, here.
GAME_IMPLEMENT_CLASS(FrameTestController, ControllerCombat);
GAME_IMPLEMENT_CLASS(FrameTestCharacter, Character);

namespace Test {
namespace {

using CharacterUpdateTest = CharacterFrameFixture;

class DeathRecorder {
public:
    void OnDeath(const GameEvent_CreatureDeath& event) { deaths.push_back(event); }
    std::vector<GameEvent_CreatureDeath> deaths;
    EventHandler<DeathRecorder, GameEvent_CreatureDeath> listener{"GameEvent_CreatureDeath",
                                                                  &DeathRecorder::OnDeath, this};
};

TEST_F(CharacterUpdateTest, TheControllerRunsOnTheLastFrameTimeAndAnEmptyFrameResetsIt)
{
    FrameTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
    FrameTestController& controller = ControllerOf(*character);

    gEngine->RunFrame(40);
    EXPECT_EQ(character->GetFrameTime(), 40);
    gEngine->RunFrame(40);
    character->UpdateSelf(0);
    EXPECT_EQ(character->GetFrameTime(), 0);
    character->PreAnimationUpdate(25);
    EXPECT_EQ(controller.updates, (std::vector<int32_t>{0, 40, 0}));
}

TEST_F(CharacterUpdateTest, ADeadCharacterWithoutDeathUpdatesOnlyCountsItsPlayTime)
{
    FrameTestCharacter* character = Make();
    FrameTestCharacter* target = Make({}, Vec3(3, 0, 10));
    ASSERT_TRUE(character != nullptr && target != nullptr);
    FrameTestController& controller = ControllerOf(*character);
    character->SetCurrentAttackTarget(target->GetObjectId(), WorldVec3(), -1);
    character->RotateTowardsTarget(true);
    character->SetActionState(ActionState_Attack);
    character->SetLifeState(LifeState_Dead);
    gEngine->GetWorld()->SetCoords(
        character, WorldCoords(kRegion, Coords::RotationAboutAxis(1.0f, Vec3(0, 1, 0))));
    const WorldCoords before = character->GetCoords();

    character->PreAnimationUpdate(1000);
    character->UpdateSelf(1000);
    EXPECT_TRUE(controller.updates.empty());
    EXPECT_TRUE(controller.deathUpdates.empty());
    EXPECT_EQ(character->GetCoords(), before) << "no turning, no path";
    EXPECT_EQ(character->GetPlayStats().GetPlayTimeInSeconds(), 1u);

    controller.wantsDeathUpdates = true;
    character->PreAnimationUpdate(1000);
    EXPECT_EQ(controller.deathUpdates, (std::vector<int32_t>{0}));
    EXPECT_TRUE(controller.updates.empty());
}

TEST_F(CharacterUpdateTest, TwoDistressCallsFiveSecondsApartAndThenNoMore)
{
    FrameTestCharacter* victim =
        Make({"maxDistressCalls = 2", "distressCallTime = 5000", "distressCallRange = 10"});
    FrameTestCharacter* ally = Make({}, Vec3(5, 0, 4));
    ASSERT_TRUE(victim != nullptr && ally != nullptr);
    constexpr uint32_t kAttacker = 4242;
    const std::vector<uint32_t> call{victim->GetObjectId(), kAttacker};
    auto calls = [&] { return ControllerOf(*ally).allyCalls.size(); };

    victim->UnderAttack(kAttacker); // 0 ms
    victim->UpdateSelf(1000);
    victim->UnderAttack(kAttacker); // 1000 ms
    EXPECT_EQ(calls(), 1u);
    victim->UpdateSelf(5000);
    victim->UnderAttack(kAttacker); // 6000 ms
    EXPECT_EQ(calls(), 2u);
    victim->UpdateSelf(10000);
    victim->UnderAttack(kAttacker);
    EXPECT_EQ(calls(), 2u);
    EXPECT_EQ(ControllerOf(*ally).allyCalls.back(), call);
    EXPECT_EQ(ControllerOf(*victim).attackers, std::vector<uint32_t>(4, kAttacker))
        << "the controller hears every attack";
}

TEST_F(CharacterUpdateTest, DyingAndDeathReachTheControllerThePhysicsAndTheDeathEvent)
{
    FrameTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
    DeathRecorder recorder;

    character->ImDying();
    ASSERT_EQ(recorder.deaths.size(), 1u);
    EXPECT_EQ(recorder.deaths[0].name, character->GetObjectName());
    EXPECT_EQ(recorder.deaths[0].victimId, character->GetObjectId());
    EXPECT_EQ(recorder.deaths[0].killerId, character->GetAttackerId());
    character->ImDead();
    EXPECT_EQ(ControllerOf(*character).notices, (std::vector<std::string>{"dying", "dead"}));
    const auto& removed = gEngine->GetPhysicsEngine().GetRemovedEntities();
    ASSERT_FALSE(removed.IsEmpty());
    EXPECT_EQ(removed.GetLast(), character->GetObjectId());
}

TEST_F(CharacterUpdateTest, StoppingReportsTheEndOfPathAndWalkingNowhereDoesNothing)
{
    FrameTestCharacter* character = Make({"unarmedWalkAnim = Stroll"});
    ASSERT_NE(character, nullptr);
    FrameTestController& controller = ControllerOf(*character);
    character->SetActionState(ActionState_Idle);
    character->CharacterStopMoving();
    EXPECT_EQ(character->GetActionState(), ActionState_Idle);
    EXPECT_EQ(controller.endsOfPath, 1);

    character->WalkTo(WorldVec3(), 1.0f);
    EXPECT_EQ(controller.endsOfPath, 1);
    character->WalkTo(character->GetPathPosition(), 1.0f);
    EXPECT_EQ(controller.endsOfPath, 2) << "already there";
    EXPECT_EQ(character->GetActionState(), ActionState_Walk);
}

TEST_F(CharacterUpdateTest, TheLowHealthSoundPlaysOncePerDip)
{
    constexpr const char* kGasp = "Records/Sounds/Gasp.dbr";
    database.WriteRecord(kGasp, {"Class = SoundPak"});
    FrameTestCharacter* character =
        Make({"characterLife = 100", "lowHealthTriggerLevel = 30", "lowHealthResetLevel = 60",
              std::string("lowHealthSound = ") + kGasp});
    ASSERT_NE(character, nullptr);
    ASSERT_FLOAT_EQ(character->GetTotalCharAttribute(CharAttribute_Life), 100.0f);
    for (float life : {25.0f, 20.0f, 59.0f, 60.0f, 30.0f})
        character->PlayLowHealthSoundIfNeeded(life);
    EXPECT_EQ(FindSound(kGasp)->GetPlayRequests().size(), 2u);
    EXPECT_EQ(ControllerOf(*character).lowHealthCalls, 2);
}

} // namespace
} // namespace Test
} // namespace GAME
