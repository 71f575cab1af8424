#include "characters/Character.h"
#include "characters/CharacterRagDoll.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsRigidBody.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class CharacterPhysicsTest : public EngineFixture {
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
        character->SetPhysicsType(3);
        character->CreatePhysicsObject();
        EXPECT_EQ(character->GetPhysicsObject(), body) << type;
    }
}

} // namespace
} // namespace GAME::Test
