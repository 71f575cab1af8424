#include "skills/Skill.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/ABBox.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/StubSkillOwner.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME::Test {

// Opens the pet margin to the tests.
class PetRangeSkill : public Skill {
    GAME_DECLARE_CLASS(PetRangeSkill)

public:
    float PetExtents() const { return GetPetExtents(); }
};

GAME_IMPLEMENT_CLASS(PetRangeSkill, Skill);

namespace {

constexpr uint32_t kRegion = 1;

// Players are friends only on a side of their own.
const Team kSide = TeamManager::BuildTeam(2, 1);

class SkillTargetsTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-500, -10, -500}, {500, 10, 500}));
        skill =
            static_cast<PetRangeSkill*>(ObjectManager::Instance().CreateObject("PetRangeSkill"));
        skill->SetManager(&owner);
        caster = Place({0, 0, 0}, kSide);
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    Character* Place(const Vec3& position, const Team& team)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        character->SetTeam(team);
        gEngine->GetWorld()->AddEntity(character, WorldCoords(WorldVec3(kRegion, position)), true);
        character->InitialUpdate();
        return character;
    }

    static WorldVec3 At(float x) { return WorldVec3(kRegion, {x, 0, 0}); }

    std::unique_ptr<World> previousWorld;
    StubSkillOwner owner;
    PetRangeSkill* skill = nullptr;
    Character* caster = nullptr;
};

TEST_F(SkillTargetsTest, FriendSearchPrefersOthersThenTheCaster)
{
    uint32_t target = 0;
    EXPECT_TRUE(skill->GetValidFriendTarget(*caster, target, At(50), true, 5.0f, false));
    EXPECT_EQ(target, caster->GetObjectId()) << "only the caster is near";

    target = 0;
    EXPECT_FALSE(skill->GetValidFriendTarget(*caster, target, At(50), false, 5.0f, false));
    EXPECT_EQ(target, 0u) << "nobody around the point";

    Character* ally = Place({2, 0, 0}, kSide);
    Character* foe = Place({3, 0, 0}, TeamManager::DefaultMonsterTeam());
    target = 0;
    EXPECT_TRUE(skill->GetValidFriendTarget(*caster, target, At(50), true, 5.0f, false));
    EXPECT_EQ(target, ally->GetObjectId());

    target = foe->GetObjectId();
    EXPECT_FALSE(skill->GetValidFriendTarget(*caster, target, At(0), true, 5.0f, false));
    EXPECT_EQ(target, 0u);
}

TEST_F(SkillTargetsTest, MeleeAndRangedSearches)
{
    uint32_t target = 0;
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u) << "finding nobody is no failure";

    Character* ally = Place({1, 0, 0}, kSide);
    Character* foe = Place({20, 0, 0}, TeamManager::DefaultMonsterTeam());
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u) << "the foe is out of reach of the caster";
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(19), false, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId()) << "around the point";
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId()) << "a given foe stays";

    target = 0;
    EXPECT_FALSE(skill->GetValidMeleeTarget(*caster, target, At(19), false, 5.0f, true));
    EXPECT_EQ(target, 0u) << "keep-given checks the 0 instead of searching";

    target = ally->GetObjectId();
    EXPECT_FALSE(skill->GetValidRangedTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u);
    // The ranged search ignores "around self": it looks around the point.
    EXPECT_TRUE(skill->GetValidRangedTarget(*caster, target, At(21), true, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId());

    EXPECT_TRUE(skill->GetValidTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u);
}

TEST_F(SkillTargetsTest, RangeSubtractsBothExtents)
{
    // Default extents are 0.5 each: 10 apart is 9 between the edges.
    Character* other = Place({10, 0, 0}, TeamManager::DefaultMonsterTeam());
    EXPECT_TRUE(skill->IsTargetInRange(*caster, other->GetObjectId(), 9.0f));
    EXPECT_FALSE(skill->IsTargetInRange(*caster, other->GetObjectId(), 8.9f));
    EXPECT_FALSE(skill->IsTargetInRange(*caster, 999999, 1000.0f));
    EXPECT_FLOAT_EQ(skill->PetExtents(), 2.0f);
}

} // namespace
} // namespace GAME::Test
