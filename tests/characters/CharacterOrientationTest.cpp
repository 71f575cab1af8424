#include "tests/characters/CharacterFrameFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace GAME::Test {
namespace {

class CharacterOrientationTest : public CharacterFrameFixture {
protected:
    void SetUp() override
    {
        CharacterFrameFixture::SetUp();
        character = Make();
        ASSERT_NE(character, nullptr);
    }

    const Coords& Frame() const { return character->GetCoords().GetRegionCoords(); }

    FrameTestCharacter* character = nullptr;
    const WorldVec3 there{kRegion, Vec3(6, 0, 1)};
};

TEST_F(CharacterOrientationTest, AShortDirectionMovesWithoutTurning)
{
    character->RotateTowards(100, Vec3(0.19f, 0, 0), there);
    EXPECT_EQ(character->GetCoords().GetPosition(), there);
    EXPECT_EQ(Frame().forward, Vec3(0, 0, 1));
}

TEST_F(CharacterOrientationTest, FacingAwayTurnsAtTheMaximumRateAndNearbyItSnaps)
{
    character->RotateTowards(100, Vec3(0, 0, -1), there);
    EXPECT_NEAR(std::acos(Dot(Frame().forward, Vec3(0, 0, 1))), 12.0f * 100 * 0.001f, 1e-5f);
    EXPECT_EQ(character->GetCoords().GetPosition(), there);

    // Facing away a quarter turn less: the frame's limit covers what is left.
    const Vec3 want = Vec3(1, 0, 1).Unit();
    gEngine->GetWorld()->SetCoords(character, WorldCoords(kRegion, Coords()));
    character->RotateTowards(100, want * 3.0f, there);
    EXPECT_NEAR(Frame().forward.x, want.x, 1e-6f);
    EXPECT_NEAR(Frame().forward.z, want.z, 1e-6f);
    EXPECT_EQ(Frame().up, Vec3(0, 1, 0));
}

TEST_F(CharacterOrientationTest, ALookAtFrameStillTurnsTheShortWay)
{
    WorldCoords looking;
    looking.LookAtNoLean(WorldVec3(kRegion, Vec3(0, 0, 0)), WorldVec3(kRegion, Vec3(0, 0, 5)),
                         Vec3(0, 1, 0));
    gEngine->GetWorld()->SetCoords(character, looking);
    for (int frame = 0; frame < 3; ++frame)
        character->RotateTowards(50, Vec3(1, 0, 0), there);
    EXPECT_GT(Frame().forward.x, 0.9f);
}

TEST_F(CharacterOrientationTest, TheSpineBendsToItsLimitWithoutOvershooting)
{
    character->SetSpineCurve(-1.0f);
    EXPECT_NEAR(character->GetTargetSpineCurve(), -0.6981f, 1e-4f);
    character->Update_TweakPose(100);
    EXPECT_NEAR(character->GetSpineCurve(), -0.314159f, 1e-5f);
    character->Update_TweakPose(1000);
    EXPECT_FLOAT_EQ(character->GetSpineCurve(), character->GetTargetSpineCurve());
}

} // namespace
} // namespace GAME::Test
