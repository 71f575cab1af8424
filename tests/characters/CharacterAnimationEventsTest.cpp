#include "characters/AnimationSet.h"
#include "characters/CharacterActionHandler.h"
#include "engine/Region.h"
#include "engine/SoundPak.h"
#include "tests/characters/CharacterFrameFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kFootKeys[] = {"footGrass", "footDirt", "footSand", "footSnow",
                                     "footStone", "footWood", "footWater"};

class CharacterAnimationEventsTest : public CharacterFrameFixture {
protected:
    void SetUp() override
    {
        CharacterFrameFixture::SetUp();
        std::vector<std::string> lines{"unarmedAttackIdleAnim = Stand"};
        for (const char* key : kFootKeys) {
            const std::string record = std::string("Records/Sounds/") + key + ".dbr";
            database.WriteRecord(record, {"Class = SoundPak"});
            lines.push_back(std::string(key) + " = " + record);
        }
        character = Spawn<FrameTestCharacter>(
            "Records/Creatures/Walker.dbr",
            {lines[0], lines[1], lines[2], lines[3], lines[4], lines[5], lines[6], lines[7]});
        ASSERT_NE(character, nullptr);
        auto* made = static_cast<FrameTestController*>(
            ObjectManager::Instance().CreateObject("FrameTestController"));
        character->SetControllerId(made->GetObjectId());
        controller = made;
        character->GetActionHandler()->Execute(std::make_unique<FrameTestAction>(heard));
    }

    void Raise(const char* name, int32_t kind = 0)
    {
        character->AnimationCallback(kind, Name::Create(name));
    }

    size_t EngineEvents() const { return character->GetAnimationEvents().GetTotalCount(); }

    size_t FootPlays() const
    {
        size_t plays = 0;
        for (const char* key : kFootKeys)
            plays +=
                FindSound(std::string("Records/Sounds/") + key + ".dbr")->GetPlayRequests().size();
        return plays;
    }

    FrameTestCharacter* character = nullptr;
    FrameTestController* controller = nullptr;
    std::vector<std::string> heard;
};

TEST_F(CharacterAnimationEventsTest, EventsReachSetActionControllerAndEngineInTurn)
{
    Raise("End", 1);
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(controller->events.empty());
    EXPECT_EQ(EngineEvents(), 1u) << "another kind reaches only the engine";

    ASSERT_TRUE(character->GetAnimationSet()->PlayAnimation(*character, AnimationSet_AttackIdle,
                                                            Name::noName, 1.0f, false, 2));
    Raise("End");
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(controller->events.empty());
    EXPECT_EQ(EngineEvents(), 1u) << "consumed by the set";
    Raise("End");
    EXPECT_EQ(heard, std::vector<std::string>{"End"});
    EXPECT_EQ(controller->events, std::vector<std::string>{"End"});
    EXPECT_EQ(EngineEvents(), 2u);

    character->RotateTowardsTarget(true);
    Raise("StopRotation");
    EXPECT_FALSE(character->IsRotatingTowardsTarget());
    EXPECT_EQ(heard.size(), 1u) << "not for the action";
    EXPECT_EQ(controller->events.back(), "StopRotation");
    EXPECT_EQ(EngineEvents(), 3u);
}

TEST_F(CharacterAnimationEventsTest, FootstepsSoundTheSurfaceAndGoNoFurther)
{
    Region* region = gEngine->GetWorld()->GetRegionById(kRegion);
    region->SetSurface(8);
    Raise("L Footstep");
    EXPECT_EQ(FootPlays(), 0u);

    region->SetSurface(2);
    Raise("R Footstep");
    const SoundPak* dirt = FindSound("Records/Sounds/footDirt.dbr");
    ASSERT_EQ(FootPlays(), 1u);
    ASSERT_EQ(dirt->GetPlayRequests().size(), 1u);
    EXPECT_EQ(dirt->GetPlayRequests()[0].coords, character->GetCoords());
    EXPECT_EQ(dirt->GetTrackedObjectId(), character->GetObjectId());
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(controller->events.empty());
    EXPECT_EQ(EngineEvents(), 0u);
}

TEST_F(CharacterAnimationEventsTest, AnEventBeforeTheSetsExistSkipsTheSet)
{
    Character early;
    early.AnimationCallback(0, Name::Create("End"));
    EXPECT_EQ(early.GetAnimationEvents().GetTotalCount(), 1u);
}

using CharacterMoveToPointTest = CharacterFrameFixture;

TEST_F(CharacterMoveToPointTest, AWalkingFriendStopsOneUnitBeyondTouching)
{
    FrameTestCharacter* walker = Make({}, Vec3(0, 0, 0));
    FrameTestCharacter* friendly = Make({}, Vec3(10, 0, 0));
    ASSERT_TRUE(walker != nullptr && friendly != nullptr);
    walker->SetActionState(ActionState_Walk);
    const WorldVec3 point =
        walker->GetMoveToPoint(friendly->GetObjectId(), 0, friendly->GetPathPosition());
    ASSERT_TRUE(point.HasRegion());
    EXPECT_NEAR(point.GetRegionPosition().x, 10.0f - (0.5f + 0.5f + 1.0f), 1e-5f);
    EXPECT_NEAR(point.GetRegionPosition().z, 0.0f, 1e-5f);

    EXPECT_EQ(walker->GetMoveToPoint(walker->GetObjectId(), 0, point), walker->GetPathPosition());
}

TEST_F(CharacterMoveToPointTest, AFriendOnTheSameSpotGivesNoDirectionSoNoMove)
{
    FrameTestCharacter* walker = Make({}, Vec3(2, 0, 2));
    FrameTestCharacter* friendly = Make({}, Vec3(2, 0, 2));
    ASSERT_TRUE(walker != nullptr && friendly != nullptr);
    walker->SetActionState(ActionState_Walk);
    EXPECT_EQ(walker->GetMoveToPoint(friendly->GetObjectId(), 0, WorldVec3()),
              WorldVec3(kRegion, Vec3(2, 0, 2)));
}

} // namespace
} // namespace GAME::Test
