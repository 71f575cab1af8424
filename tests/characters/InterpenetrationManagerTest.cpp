#include "characters/InterpenetrationManager.h"

#include "characters/Character.h"
#include "characters/Npc.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/Viewport.h"
#include "engine/World.h"
#include "engine/WorldVec3.h"
#include "tests/combat/DeathFixture.h"
#include "world/GameCamera.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Medium characters (radius 1) standing around the point the camera looks at.
class InterpenetrationManagerTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        // Far enough back that a few metres round the target are all in view.
        camera.SetCameraDistance(40.0f);
        camera.SetTarget(WorldVec3(kRegion, Vec3(0, 0, 0)));
        camera.Update();
    }

    template <typename T = Character> T* Place(float x, float z, float mass)
    {
        const std::string path = "Records/Creatures/I" + std::to_string(++made) + ".dbr";
        T* character = Spawn<T>(path, {"pathingSize = Medium"});
        character->SetPathMass(mass);
        gEngine->GetWorld()->SetCoords(character,
                                       WorldCoords(kRegion, Coords::FromTranslation({x, 0, z})));
        return character;
    }

    static Vec3 At(const Character& character)
    {
        return character.GetCoords().GetRegionCoords().origin;
    }

    bool InView(const Character& character) const
    {
        const GraphicsEngine& graphics = GraphicsEngine::Instance();
        std::vector<Entity*> seen;
        gEngine->GetWorld()->GetEntitiesInFrustum(
            seen, camera.GetFrustum(Viewport(0, 0, graphics.GetWidth(), graphics.GetHeight())));
        return std::find(seen.begin(), seen.end(), &character) != seen.end();
    }

    int32_t Fixup() { return manager.FixupCharacterCollisions(camera); }

    GameCamera camera;
    InterpenetrationManager manager;
    int made = 0;
};

TEST_F(InterpenetrationManagerTest, HeavierCharacterTakesTheSmallerShare)
{
    // Standing still doubles both masses; the share is unchanged.
    Character* heavy = Place(0, 0, 3);
    Character* light = Place(1, 0, 1);
    Fixup();
    EXPECT_FLOAT_EQ(At(*heavy).x, -0.25f);
    EXPECT_FLOAT_EQ(At(*light).x, 1.75f);
}

TEST_F(InterpenetrationManagerTest, MassZeroOrBelowNeverMoves)
{
    Character* pinned = Place(0, 0, 0);
    Character* other = Place(0, 1, 1);
    Fixup();
    EXPECT_EQ(At(*pinned), Vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(At(*other).z, 2.0f);
    gEngine->GetWorld()->RemoveEntity(pinned);
    gEngine->GetWorld()->RemoveEntity(other);
    // Both pinned: nobody moves, whichever comes first.
    Character* a = Place(0, 0, -1);
    Character* b = Place(0.5f, 0, 0);
    Fixup();
    EXPECT_EQ(At(*a), Vec3(0, 0, 0));
    EXPECT_EQ(At(*b), Vec3(0.5f, 0, 0));
}

TEST_F(InterpenetrationManagerTest, PairsThatAreLeftAlone)
{
    Npc* npcA = Place<Npc>(0, 0, 1);
    Npc* npcB = Place<Npc>(1, 0, 1);
    Character* sameA = Place(0, 4, 1);
    Character* sameB = Place(0, 4, 1);
    Character* dead = Place(4, 0, 1);
    Character* deadsNeighbour = Place(5, 0, 1);
    Character* hidden = Place(4, 4, 1);
    Character* hiddensNeighbour = Place(5, 4, 1);
    dead->SetLifeState(LifeState_Dead);
    hidden->SetVisibility(false);
    const std::vector<const Character*> all{npcA, npcB,           sameA,  sameB,
                                            dead, deadsNeighbour, hidden, hiddensNeighbour};
    for (const Character* character : all)
        ASSERT_TRUE(InView(*character));
    Fixup();
    std::vector<Vec3> places;
    for (const Character* character : all)
        places.push_back(At(*character));
    EXPECT_EQ(places,
              (std::vector<Vec3>{Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 0, 4), Vec3(0, 0, 4),
                                 Vec3(4, 0, 0), Vec3(5, 0, 0), Vec3(4, 0, 4), Vec3(5, 0, 4)}));
}

TEST_F(InterpenetrationManagerTest, PassesStopWhenNothingOverlaps)
{
    Character* a = Place(0, 0, 1);
    Character* b = Place(3, 0, 1);
    EXPECT_EQ(Fixup(), 1);
    EXPECT_EQ(At(*b), Vec3(3, 0, 0));
    // Once pushed apart the pair just touches, which the next pass no longer counts.
    gEngine->GetWorld()->SetCoords(b, WorldCoords(kRegion, Coords::FromTranslation({1, 0, 0})));
    ASSERT_TRUE(InView(*a) && InView(*b));
    EXPECT_EQ(Fixup(), 2);
}

TEST_F(InterpenetrationManagerTest, OnlyCharactersInViewAndNothingInTheEditor)
{
    Character* a = Place(0, 0, 1);
    Character* b = Place(1, 0, 1);
    gEngine->SetLevelEditor(true);
    EXPECT_EQ(Fixup(), 0);
    gEngine->SetLevelEditor(false);
    EXPECT_EQ(At(*a), Vec3(0, 0, 0));
    ASSERT_TRUE(InView(*a) && InView(*b));
    camera.SetTarget(WorldVec3(kRegion, Vec3(60, 0, 60)));
    camera.Update();
    ASSERT_FALSE(InView(*a) || InView(*b));
    EXPECT_EQ(Fixup(), 1);
    EXPECT_EQ(At(*b), Vec3(1, 0, 0));
}

} // namespace
} // namespace GAME::Test
