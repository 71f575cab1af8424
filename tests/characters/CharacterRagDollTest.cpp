#include "characters/CharacterRagDoll.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/GraphicsAnim.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsObject.h"
#include "engine/PhysicsRigidBody.h"
#include "engine/SkeletalPose.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"

#include <cmath>
#include <utility>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace GAME::Test {
namespace {

// A monster whose current animation the test chooses.
class Posed : public Monster {
public:
    GraphicsAnim* GetCurrentAnimation() const override { return current; }
    GraphicsAnim* current = nullptr;
};

class TestRagDoll : public CharacterRagDoll {
public:
    explicit TestRagDoll(Character* character) : CharacterRagDoll(character)
    {
        for (int i = 0; i < 4; ++i)
            AddRigidBody(Name::Create("Bone" + std::to_string(i)),
                         Name::Create("Bone" + std::to_string(i + 1)));
    }
};

CharacterRagDoll::EffectData Effect(CharacterRagDoll::Effect effect, const Vec3& direction = {},
                                    float speed = 0.0f, float amplification = 0.0f)
{
    CharacterRagDoll::EffectData data;
    data.effect = effect;
    data.direction = direction;
    data.speed = speed;
    data.amplification = amplification;
    return data;
}

CharacterRagDoll::EffectData Hit(const Vec3& direction, float speed, float amplification)
{
    return Effect(CharacterRagDoll::TakeHit, direction, speed, amplification);
}

class CharacterRagDollTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        monster = Place<Posed>(database, "Records/Creatures/Limp.dbr", {"characterLife = 100"});
    }

    // The simulation starts with the character's effect as it stands now.
    TestRagDoll& Throw(const CharacterRagDoll::EffectData& data)
    {
        monster->SetRagdollData(data, true);
        ragDoll = std::make_unique<TestRagDoll>(monster);
        ragDoll->SetSimulationTimeMs(1000);
        ragDoll->StartSimulation();
        return *ragDoll;
    }

    Posed* monster = nullptr;
    std::unique_ptr<TestRagDoll> ragDoll;
};

TEST_F(CharacterRagDollTest, ATakeHitIsClampedAndSpreadAroundTheLiftedBlow)
{
    // 0.5 amplifies by no less than 1: 20 clamps to 12, spread 6, lift 3.996.
    for (const auto& body : Throw(Hit(Vec3(1, 0, 0), 20.0f, 0.5f)).GetRigidBodies()) {
        ASSERT_TRUE(body.velocitySet);
        EXPECT_THAT(body.linearVelocity.x, Within(6.0f, 18.0f));
        EXPECT_FLOAT_EQ(body.linearVelocity.y, 3.996f);
        EXPECT_THAT(body.linearVelocity.z, Within(-6.0f, 6.0f));
    }
    // Speed 1 rises to 3, spread 3, lift 0.999.
    for (const auto& body : Throw(Hit(Vec3(0, 0, -2), 1.0f, 1.0f)).GetRigidBodies()) {
        EXPECT_THAT(body.linearVelocity.x, Within(-3.0f, 3.0f));
        EXPECT_FLOAT_EQ(body.linearVelocity.y, 0.999f);
        EXPECT_THAT(body.linearVelocity.z, Within(-6.0f, 0.0f));
    }
    for (const auto& body : Throw(Hit(Vec3(0, 0, 0), 20.0f, 1.0f)).GetRigidBodies())
        EXPECT_FALSE(body.velocitySet) << "no direction, no push";
}

TEST_F(CharacterRagDollTest, ARandomTossGoesUpAtThreeWithinFiveEitherSide)
{
    for (const auto& body : Throw(CharacterRagDoll::EffectData()).GetRigidBodies()) {
        EXPECT_EQ(body.linearVelocity.y, 3.0f);
        EXPECT_LE(std::fabs(body.linearVelocity.x), 5.0f);
        EXPECT_LE(std::fabs(body.linearVelocity.z), 5.0f);
    }
    for (const auto& body :
         Throw(Effect(static_cast<CharacterRagDoll::Effect>(7))).GetRigidBodies())
        EXPECT_FALSE(body.velocitySet);
}

TEST_F(CharacterRagDollTest, WithoutAnAnimationEveryBodyCrumplesWithTheDampedCappedMotion)
{
    GraphicsAnim run("Run", 10, 30, 2.0f);
    ASSERT_TRUE(monster->PlayAnimation(0, &run, true, 1.0f, 0));
    const CharacterRagDoll::EffectData crumple = Effect(CharacterRagDoll::Crumple);
    for (const auto& body : Throw(crumple).GetRigidBodies())
        EXPECT_EQ(body.linearVelocity, Vec3(0.0f, 0.0f, 1.6f));

    run.SetSpeed(10.0f);
    for (const auto& body : Throw(crumple).GetRigidBodies())
        EXPECT_FLOAT_EQ(body.linearVelocity.z, 4.5f) << "8 capped";
}

TEST_F(CharacterRagDollTest, CrumpleOnTheFirstFrameComesFromTheLastFrame)
{
    GraphicsAnim fall("Fall", 10, 30, 0.0f);
    monster->current = &fall;
    ASSERT_TRUE(monster->PlayAnimation(0, &fall, false, 1.0f, 0));
    monster->SetRagdollData(Effect(CharacterRagDoll::Crumple), true);
    TestRagDoll doll(monster);
    SkeletalPose first;
    SkeletalPose last;
    for (int i = 0; i < 5; ++i) {
        const Name bone = Name::Create("Bone" + std::to_string(i));
        first.SetBoneCoords(bone, Coords::FromTranslation(Vec3(0.1f, 0, 0)));
        last.SetBoneCoords(bone, Coords());
    }
    doll.SetFrameBones(0, first);
    doll.SetFrameBones(9, last);
    doll.StartSimulation();
    // 0.1 a frame at 30 frames a second.
    for (const auto& body : doll.GetRigidBodies()) {
        EXPECT_FLOAT_EQ(body.linearVelocity.x, 3.0f);
        EXPECT_EQ(body.linearVelocity.y, 0.0f);
    }
}

TEST(CharacterRagDollText, TheParsersAreExactAndCaseSensitive)
{
    EXPECT_EQ(CharacterRagDoll::GetEffectEnum("takehit"), CharacterRagDoll::Random);
    const WorldVec3 from(1, Vec3(1, 0, 0));
    const WorldVec3 to(1, Vec3(1, 0, 4));
    EXPECT_EQ(CharacterRagDoll::GetDirectionVec("Pull", from, to), Vec3(0, 0, -1));
    EXPECT_EQ(CharacterRagDoll::GetDirectionVec("Push", from, from), Vec3()) << "no NaNs";
    const WorldCoords facing(1, Coords({0, 0, -1}, {0, 1, 0}, {1, 0, 0}, {5, 0, 5}));
    EXPECT_EQ(CharacterRagDoll::GetPushVec("Left", facing), Vec3(0, 1, 0));
    EXPECT_EQ(CharacterRagDoll::GetElevationVec("Downward"), Vec3(0, -3, 0));
}

class CharacterPhysicsTest : public GameEngineFixture {
protected:
    Character* NewCharacter(int32_t physicsType)
    {
        auto* character = new Character();
        EXPECT_TRUE(ObjectManager::Instance().RegisterObject(character));
        character->SetPhysicsType(physicsType);
        return character;
    }
};

TEST_F(CharacterPhysicsTest, TypeThreeMakesARagDollAndAnyOtherARigidBodyOnce)
{
    for (int32_t type : {0, 2, 3, 4}) {
        SCOPED_TRACE(type);
        Character* character = NewCharacter(type);
        character->CreatePhysicsObject();
        PhysicsObject* made = Must(character->GetPhysicsObject());
        EXPECT_EQ(dynamic_cast<CharacterRagDoll*>(made) != nullptr, type == 3);
        EXPECT_EQ(dynamic_cast<PhysicsRigidBody*>(made) != nullptr, type != 3);
        character->CreatePhysicsObject();
        EXPECT_EQ(character->GetPhysicsObject(), made);
    }
}

// The death handlers only set the type: the body must fall from that alone, with the mesh's
// bodies, and the world's frames must bring it to rest.
TEST_F(CharacterPhysicsTest, BecomingARagDollStartsTheFallAndTheWorldEndsIt)
{
    Start();
    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(1, {0, 0, 0}, ABBox({-10, -10, -10}, {10, 10, 10}));
    Character* character = NewCharacter(1);
    character->AddRigidBodyBones(Name::Create("Bip01 Pelvis"), Name::Create("Bip01 Spine"));
    character->AddRigidBodyBones(Name::Create("Bip01 Spine"), Name::Create("Bip01 Head"));
    world.AddEntity(character, WorldCoords(1, Coords()), false);
    character->SetRagdollData(Hit(Vec3(1, 0, 0), 1.0f, 1.0f), true);

    character->SetPhysicsType(3);
    auto* ragDoll = Must(dynamic_cast<CharacterRagDoll*>(character->GetPhysicsObject()));
    ASSERT_EQ(ragDoll->GetRigidBodies().size(), 2u);
    EXPECT_TRUE(ragDoll->GetRigidBodies()[0].velocitySet);

    ragDoll->SetSimulationTimeMs(100);
    world.UpdateEntities(50);
    EXPECT_TRUE(ragDoll->IsEnabled());
    world.UpdateEntities(50);
    EXPECT_FALSE(ragDoll->IsEnabled());
    world.RemoveEntity(character);
    gEngine->SetWorld(std::move(previous));
}

} // namespace
} // namespace GAME::Test
