#include "characters/Character.h"
#include "characters/CharacterRagDoll.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsRigidBody.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace GAME::Test {
namespace {

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

TEST_F(CharacterPhysicsTest, TypeThreeMakesARagDollOfTheCharacterOnce)
{
    Character* character = NewCharacter(3);
    character->CreatePhysicsObject();
    auto* ragDoll = dynamic_cast<CharacterRagDoll*>(character->GetPhysicsObject());
    ASSERT_NE(ragDoll, nullptr);
    EXPECT_EQ(ragDoll->GetActor(), character);

    character->CreatePhysicsObject();
    EXPECT_EQ(character->GetPhysicsObject(), ragDoll);
}

TEST_F(CharacterPhysicsTest, AnyOtherTypeMakesARigidBodyOnce)
{
    for (int32_t type : {0, 1, 2, 4}) {
        Character* character = NewCharacter(type);
        character->CreatePhysicsObject();
        auto* body = dynamic_cast<PhysicsRigidBody*>(character->GetPhysicsObject());
        ASSERT_NE(body, nullptr) << type;
        EXPECT_EQ(body->GetEntity(), character);
        character->CreatePhysicsObject();
        EXPECT_EQ(character->GetPhysicsObject(), body) << type;
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
    CharacterRagDoll::EffectData blow;
    blow.effect = CharacterRagDoll::TakeHit;
    blow.direction = {1.0f, 0.0f, 0.0f};
    blow.speed = 1.0f;
    blow.amplification = 1.0f;
    character->SetRagdollData(blow, true);

    character->SetPhysicsType(3);
    auto* ragDoll = dynamic_cast<CharacterRagDoll*>(character->GetPhysicsObject());
    ASSERT_NE(ragDoll, nullptr);
    EXPECT_TRUE(ragDoll->IsEnabled());
    ASSERT_EQ(ragDoll->GetRigidBodies().size(), 2u);
    for (const PhysicsRagDoll::RigidBody& body : ragDoll->GetRigidBodies()) {
        EXPECT_TRUE(body.velocitySet);
        EXPECT_FLOAT_EQ(body.linearVelocity.y, 0.999f);
    }

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
