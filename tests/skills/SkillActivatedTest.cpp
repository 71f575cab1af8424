#include "skills/SkillActivated.h"

#include "characters/AnimationSet.h"
#include "skills/SkillActivatedWeapon.h"
#include "skills/SkillActivatedWeaponPool.h"
#include "skills/Skill_WPAttack.h"
#include "tests/support/SkillsFixture.h"

#include <cmath>

namespace GAME::Test {

// Records what the damage application hands over for each target.
class ActivatedProbe : public SkillActivated {
    GAME_DECLARE_CLASS(ActivatedProbe)

public:
    struct Collected {
        ParametersCombatStyle style;
        bool collectEquipment;
        uint32_t weaponId;
        float share;
    };
    void CollectCombatParameters(const Character&, Character*, ParametersCombatStyle style,
                                 bool collectEquipment, uint32_t weaponId, ParametersCombat&,
                                 float share) override
    {
        collected.push_back({style, collectEquipment, weaponId, share});
    }
    std::vector<Collected> collected;
};
GAME_IMPLEMENT_CLASS(ActivatedProbe, SkillActivated);

class WeaponProbe : public SkillActivatedWeapon {
    GAME_DECLARE_CLASS(WeaponProbe)
};
GAME_IMPLEMENT_CLASS(WeaponProbe, SkillActivated);

namespace {

class ControllingOwner : public SkillsOwner {
public:
    float GetAttackSpeed() const override { return 1.0f; }
    // Notes the pool's first draw and answers the attack the test set.
    uint32_t SelectWeaponPoolSkill(RandomUniform& random) override
    {
        draws.push_back(random.IGenerate(0, 1000000));
        return attackId;
    }
    std::vector<int> draws;
    uint32_t attackId = 0;
};

class SkillActivatedTest : public SkillsCasterFixture<ControllingOwner> {
protected:
    template <class Kind = ActivatedProbe> Kind* Make(const std::vector<std::string>& lines = {})
    {
        return Learnt<Kind>(lines);
    }
    uint32_t FoeId(const Vec3& position) { return Foe(position)->GetObjectId(); }
    std::vector<SkillsSent::Result>& Results() { return owner.services.results; }
};

TEST_F(SkillActivatedTest, MeleeWithoutAngleHitsOneInTheNarrowCone)
{
    auto* skill = Make({"skillMaxLevel = 1"});
    const uint32_t near = FoeId({0, 0, 1.0f});
    const uint32_t farther = FoeId({0, 0, 2.0f});
    FoeId({0, 0, -1.0f}); // behind
    FoeId({0, 0, 2.8f});  // beyond 2.5

    ASSERT_TRUE(skill->ExecuteMeleeAttack(*caster, 0, At(0, 0), 77));
    ASSERT_EQ(Results().size(), 1u);
    ASSERT_EQ(Results()[0].targets.size(), 1u);
    EXPECT_TRUE(Results()[0].targets[0] == near || Results()[0].targets[0] == farther);
}

TEST_F(SkillActivatedTest, MeleeTargetNumberCutsTheConeAndKeepsTheTarget)
{
    auto* skill = Make({"skillMaxLevel = 1", "skillTargetAngle = 40", "skillTargetNumber = 3"});
    auto* negative = Make({"skillMaxLevel = 1", "skillTargetAngle = 40", "skillTargetNumber = -2"});
    const uint32_t kept = FoeId({0, 0, 2.0f});
    std::vector<uint32_t> cone;
    for (float x : {-0.4f, -0.2f, 0.0f, 0.2f, 0.4f})
        cone.push_back(FoeId({x, 0, 1.2f}));

    ASSERT_TRUE(skill->ExecuteMeleeAttack(*caster, kept, At(0, 0), 0));
    const std::vector<uint32_t>& sent = Results()[0].targets;
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2], kept);
    EXPECT_NE(std::find(cone.begin(), cone.end(), sent[0]), cone.end());
    EXPECT_NE(std::find(cone.begin(), cone.end(), sent[1]), cone.end());

    // Below 0 counts as no limit: all five and the kept one.
    ASSERT_TRUE(negative->ExecuteMeleeAttack(*caster, kept, At(0, 0), 0));
    ASSERT_EQ(Results()[1].targets.size(), 6u);
    EXPECT_EQ(Results()[1].targets[5], kept);
}

TEST_F(SkillActivatedTest, ThreeShotsAtALoneTargetChargeOnlyTheFirst)
{
    auto* skill = Make({"skillMaxLevel = 1", "skillProjectileNumber = 3"});
    const uint32_t target = FoeId({0, 0, 20.0f});
    owner.services.IncHitIteration();

    ASSERT_TRUE(skill->ExecuteRangedAttack(*caster, caster->GetCoords(), target, At(0, 20.0f), 5));
    const auto& shots = owner.services.launches;
    ASSERT_EQ(shots.size(), 3u);
    EXPECT_EQ(shots[0].target, target);
    EXPECT_EQ(shots[0].hitIteration, 1u);
    for (size_t shot = 1; shot < 3; ++shot) {
        const Vec3& aim = shots[shot].aim.GetRegionPosition();
        EXPECT_EQ(shots[shot].target, 0u);
        EXPECT_EQ(shots[shot].hitIteration, 0u);
        EXPECT_LE(std::fabs(aim.x), 2.0f);
        EXPECT_LE(std::fabs(aim.z - 20.0f), 2.0f);
        EXPECT_TRUE(aim.y >= -0.8f && aim.y <= 0.0f) << aim.y;
    }
}

TEST_F(SkillActivatedTest, AreaAimedTwentyAwayFindsOnlyTheKeptTargetAndAMirrorNothing)
{
    auto* skill = Make({"skillMaxLevel = 1", "skillTargetRadius = 3", "skillProjectileNumber = 2"});
    const uint32_t kept = FoeId({0, 0, 3.0f});
    const uint32_t nearPoint = FoeId({1.0f, 0, 10.0f});
    FoeId({0, 0, 21.0f});

    ASSERT_TRUE(skill->ExecuteRadiusAttack(*caster, kept, At(0, 20.0f)));
    EXPECT_EQ(Results()[0].targets, std::vector<uint32_t>{kept});

    ASSERT_TRUE(skill->ExecuteRadiusAttack(*caster, kept, At(0, 10.0f)));
    EXPECT_EQ(Results()[1].targets, (std::vector<uint32_t>{nearPoint, kept}));

    owner.controlling = false;
    EXPECT_FALSE(skill->ExecuteRadiusAttack(*caster, kept, At(0, 10.0f)));
    EXPECT_FALSE(skill->ExecuteMeleeAttack(*caster, kept, At(0, 1), 0));
    EXPECT_FALSE(skill->ExecuteRangedAttack(*caster, caster->GetCoords(), kept, At(0, 1), 0));
    EXPECT_EQ(Results().size(), 2u);
    EXPECT_TRUE(owner.services.launches.empty());
}

TEST_F(SkillActivatedTest, DamageRollsOneGeneratorPerResult)
{
    auto* skill = Make({"skillMaxLevel = 1"});
    auto* first = Place<SkillsTarget>({0, 0, 1}, kSide, "SkillsTarget");
    auto* second = Place<SkillsTarget>({0, 0, 2}, kSide, "SkillsTarget");
    const std::vector<uint32_t> targets{first->GetObjectId(), 999999, second->GetObjectId()};

    skill->ApplyMeleeDamageInherent(*caster, targets, caster->GetCoords(), 4242);
    skill->ApplyMeleeDamageInherent(*caster, targets, caster->GetCoords(), 4242);
    ASSERT_EQ(first->attacks.size(), 2u);
    EXPECT_EQ(first->attacks[0].roll, first->attacks[1].roll) << "the same seed rolls alike";
    EXPECT_NE(first->attacks[0].roll, second->attacks[0].roll)
        << "the generator runs on between targets";
    ASSERT_EQ(skill->collected.size(), 4u) << "an unknown id is skipped";
    // Three ids share 100 in whole percents, though only two are characters.
    EXPECT_FLOAT_EQ(skill->collected[0].share, 33.0f);
    EXPECT_FALSE(skill->collected[0].collectEquipment);

    skill->collected.clear();
    skill->ApplyRangedDamage(*caster, {first->GetObjectId()}, caster->GetCoords(), 1, 9);
    skill->ApplyMeleeDamageInherent(*caster, {first->GetObjectId()}, caster->GetCoords(), 1);
    ASSERT_EQ(skill->collected.size(), 2u);
    EXPECT_EQ(skill->collected[0].style, ParametersCombatStyle_Projectile);
    EXPECT_TRUE(skill->collected[0].collectEquipment);
    EXPECT_EQ(skill->collected[0].weaponId, 9u);
    EXPECT_FLOAT_EQ(skill->collected[1].share, 0.0f) << "a lone target takes no share";
}

TEST_F(SkillActivatedTest, APlayerFarOffItsFacingTurnsIntoTheSwing)
{
    database.WriteRecord("Records/Creatures/Hero.dbr",
                         {"Class = Player", "unarmedAttackAnim1 = Swing",
                          "unarmedAttTurnRight90Anim = TurnR", "unarmedAttTurnLeft90Anim = TurnL"});
    auto* player = Made(
        ObjectManager::Instance().CreateObjectFromFile<Player>("Records/Creatures/Hero.dbr"), "");
    gEngine->GetWorld()->AddEntity(player, WorldCoords(At(0, 0)), true);
    player->InitialUpdate();
    ASSERT_NE(player->GetAnimationSet(), nullptr);
    auto* skill = Make<WeaponProbe>({"skillMaxLevel = 1"});
    skill->Update(*player, 0);
    ASSERT_TRUE(skill->IsSkillEnabled());

    const auto typeFor = [&](const WorldVec3& point) {
        player->GetAnimationSet()->Cancel();
        skill->StartAction(*player, 0, point, 0);
        return player->GetAnimationSet()->GetCurrentType();
    };
    EXPECT_EQ(typeFor(At(5, 0)), AnimationSet_AttTurnLeft90) << "right-hand side: 25";
    EXPECT_EQ(typeFor(At(-5, 0)), AnimationSet_AttTurnRight90) << "left-hand side: 24";
    EXPECT_EQ(typeFor(At(5, 5.1f)), AnimationSet_Attack) << "under 45 degrees";
    EXPECT_EQ(typeFor(At(5, 4.9f)), AnimationSet_AttTurnLeft90);
    EXPECT_EQ(typeFor(At(0, 0)), AnimationSet_Attack) << "no direction, no turn";
    skill->SetSkillLevel(0);
    EXPECT_FALSE(skill->StartAction(*player, 0, At(0, 5), 0)) << "a disabled skill never starts";
}

TEST_F(SkillActivatedTest, PoolDrawsAlikeFromTheSeedAndHandsOverToTheAttack)
{
    auto* pool = Make<SkillActivatedWeaponPool>({"skillMaxLevel = 1"});
    pool->Update(*caster, 0);
    ASSERT_TRUE(pool->IsSkillEnabled());
    EXPECT_FALSE(pool->StartAction(*caster, 0, At(0, 0), 12)) << "nothing drawn";
    EXPECT_TRUE(pool->EndAction(*caster)) << "no attack to end";

    auto* attack = Make<Skill_WPAttack>({"skillMaxLevel = 1"});
    owner.attackId = attack->GetObjectId();
    pool->StartAction(*caster, 0, At(0, 0), 12);
    pool->StartAction(*caster, 0, At(0, 0), 13);
    ASSERT_EQ(owner.draws.size(), 3u);
    EXPECT_EQ(owner.draws[0], owner.draws[1]) << "one seed, one draw on every machine";
    EXPECT_NE(owner.draws[1], owner.draws[2]);
    EXPECT_EQ(pool->GetCurrentAttackId(), attack->GetObjectId());
    EXPECT_EQ(attack->GetParentSkillId(), pool->GetObjectId());
}

} // namespace
} // namespace GAME::Test
