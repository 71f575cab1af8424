#include "skills/Skill_DefensiveWall.h"
#include "characters/Monster.h"
#include "skills/Skill_DefensiveGround.h"
#include "skills/Skill_GiveBonus.h"
#include "tests/support/SkillsFixture.h"

#include <cmath>
#include <numbers>

namespace GAME::Test {
namespace {

class DefensiveWallTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
        database.WriteRecord("Records/Walls/Wall.dbr", {"Class = Monster", "characterLife = 50"});
    }

    template <class Kind = Skill_DefensiveWall>
    Kind* Walls(const std::string& spacing, const std::string& rings = "2")
    {
        return MakeOwned<Kind>(
            {"skillMaxLevel = 3", "spawnObjects = Records/Walls/Wall.dbr",
             "spawnObjectsSpacingAngle = " + spacing, "spawnObjectsNumberOfRings = " + rings,
             "spawnObjectsDistanceInnerCircle = 3.0", "spawnObjectsDistanceIncrement = 2.0",
             "spawnObjectsTimeToLive = 2.0", "skillManaCost = 10"});
    }

    void Apply(Skill_DefensiveWall& walls, const SkillsSent::Spawn& sent)
    {
        walls.SkillSpawnObject(*owner, sent.origin, sent.value, sent.coords, sent.ids, 3);
    }

    static bool Living(uint32_t id)
    {
        const auto* wall = ObjectManager::Instance().GetObject<Character>(id);
        return wall != nullptr && wall->IsAlive();
    }
};

TEST_F(DefensiveWallTest, TwoRingsOfEightStandHalfASpacingApart)
{
    auto* walls = Walls("45");
    walls->ActivateNow(*owner, Name(), 0, At(30));
    ASSERT_EQ(services.spawns.size(), 1u);
    const SkillsSent::Spawn& sent = services.spawns[0];
    ASSERT_EQ(sent.ids.size(), 16u);
    for (size_t i = 0; i < sent.coords.size(); ++i) {
        SCOPED_TRACE(i);
        const Vec3 at = sent.coords[i].GetRegionCoords().origin;
        const float radius = i < 8 ? 3.0f : 5.0f;
        const double twist = i < 8 ? 0.0 : 22.5;
        const double degrees = std::fmod(
            std::atan2(at.z, at.x) * 180.0 / std::numbers::pi + 360.0 - twist + 0.001, 45.0);
        EXPECT_NEAR(std::hypot(at.x, at.z), radius, 1e-4);
        EXPECT_NEAR(degrees, 0.001, 1e-3);
    }
    // The wall kind rings its caster whatever it aimed at.
    EXPECT_EQ(sent.origin.GetPosition(), owner->GetCoords().GetPosition());
}

TEST_F(DefensiveWallTest, TimedWallsAreReleasedByAnEmptyMessageAndPaidOnce)
{
    auto* walls = Walls("45");
    const float mana = Mana();
    walls->ActivateNow(*owner, Name(), 0, WorldVec3());
    Apply(*walls, services.spawns.at(0));
    owner->GetCharacterBio().Update(*owner, 0);
    EXPECT_FLOAT_EQ(mana - Mana(), 10.0f);
    const std::vector<uint32_t> ids = walls->GetWalls();
    ASSERT_EQ(ids.size(), 16u);

    walls->Update(*owner, 1999);
    EXPECT_EQ(services.spawns.size(), 1u);
    walls->Update(*owner, 1);
    ASSERT_EQ(services.spawns.size(), 2u);
    EXPECT_TRUE(services.spawns[1].ids.empty());
    walls->Update(*owner, 500);
    EXPECT_EQ(services.spawns.size(), 2u);

    Apply(*walls, services.spawns[1]);
    owner->GetCharacterBio().Update(*owner, 0);
    EXPECT_FLOAT_EQ(mana - Mana(), 10.0f);
    EXPECT_TRUE(walls->GetWalls().empty());
    for (uint32_t id : ids)
        EXPECT_FALSE(Living(id)) << id;
}

TEST_F(DefensiveWallTest, SpacingsAndRingCountsAreBounded)
{
    struct Row {
        const char* spacing;
        const char* rings;
        size_t walls;
    };
    for (const Row& row : {Row{"50", "1", 7}, Row{"0", "2", 0}, Row{"-45", "2", 0},
                           Row{"1e-9", "1", 360}, Row{"90", "1000000000", 4 * 32}}) {
        SCOPED_TRACE(row.spacing);
        services.spawns.clear();
        Walls(row.spacing, row.rings)->ActivateNow(*owner, Name(), 0, WorldVec3());
        EXPECT_EQ(services.spawns.empty() ? 0u : services.spawns[0].ids.size(), row.walls);
    }
    auto* none = Walls("0");
    log.Clear();
    none->ActivateNow(*owner, Name(), 0, WorldVec3());
    none->ActivateNow(*owner, Name(), 0, WorldVec3());
    EXPECT_EQ(log.CountContaining("places no walls"), 1u);
}

TEST_F(DefensiveWallTest, AGroundWallRingsTheAimedPointAndRefusesLongPeerLists)
{
    auto* ground = Walls<Skill_DefensiveGround>("90", "1");
    ground->ActivateNow(*owner, Name(), 0, At(20, 5));
    ASSERT_EQ(services.spawns.size(), 1u);
    EXPECT_EQ(services.spawns[0].origin.GetPosition(), At(20, 5));

    const WorldCoords at(At(3));
    std::vector<uint32_t> five;
    for (int i = 0; i < 5; ++i)
        five.push_back(ObjectManager::Instance().CreateObjectID());
    log.Clear();
    ground->SkillSpawnObject(*owner, at, 0, {}, five, 0);
    EXPECT_TRUE(ground->GetWalls().empty());
    EXPECT_EQ(log.Count(2, "Refused spawn of (5) walls, at most (4)"), 1u);
}

TEST_F(DefensiveWallTest, ABonusReachesAnAllyWithinTwentyOnly)
{
    auto* bonus = MakeOwned<Skill_GiveBonus>(
        {"skillMaxLevel = 3", "skillLifeBonus = 40", "skillManaBonus = 5"});
    auto* near = Place({10, 0, 0}, TeamManager::DefaultPlayerTeam(), kOwner);
    auto* far = Place({25, 0, 0}, TeamManager::DefaultPlayerTeam(), kOwner);
    bonus->ActivateNow(*owner, Name(), far->GetObjectId(), WorldVec3());
    EXPECT_TRUE(services.results.empty());
    bonus->ActivateNow(*owner, Name(), near->GetObjectId(), WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);

    near->GetCharacterBio().Update(*near, 0);
    near->ApplyDamage(100.0f, PlayStatsDamageType{}, CombatAttributeType_Fire);
    near->GetCharacterBio().Update(*near, 0);
    const float life = near->GetCurrentLife();
    bonus->TargetResult(*owner, services.results[0].targets, owner->GetCoords(), 0, 0, false);
    near->GetCharacterBio().Update(*near, 0);
    EXPECT_FLOAT_EQ(near->GetCurrentLife() - life, 40.0f);
}

} // namespace
} // namespace GAME::Test
