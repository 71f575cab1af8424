#include "skills/Skill_OnHitAttackRadius.h"

#include "combat/ParametersCombat.h"
#include "engine/Name.h"
#include "tests/skills/SkillOnHitFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {

namespace {

class OnHitAttackRadiusTest : public OwnedSkillFixture {
protected:
    Skill_OnHitAttackRadius* MakeWave(const char* expansion)
    {
        database.WriteRecord("Records/Creatures/Foe.dbr",
                             {"Class = Character", "characterLife = 100"});
        auto* wave = Make<Skill_OnHitAttackRadius>(
            std::string("Records/Skills/OnHitWave") + expansion + ".dbr",
            {"Class = Skill_OnHitAttackRadius", "skillMaxLevel = 3", "skillTargetRadius = 3",
             "skillCooldownTime = 1", "onHitActivationChance = 100",
             std::string("expansionTime = ") + expansion});
        if (wave != nullptr)
            wave->ActivateNow(*owner, Name(), 0, WorldVec3());
        return wave;
    }

    uint32_t Foe(float x)
    {
        auto* foe = Place<Character>("Records/Creatures/Foe.dbr", {x, 0, 0},
                                     TeamManager::DefaultMonsterTeam());
        return foe != nullptr ? foe->GetObjectId() : 0;
    }

    void Hit(Skill& skill)
    {
        RandomUniform random;
        const ParametersCombat parameters(random);
        skill.OnHitActivation(*owner, parameters);
    }
};

} // namespace

TEST_F(OnHitAttackRadiusTest, TheFrontReachesEachTargetAtItsDistance)
{
    auto* wave = MakeWave("0.5");
    ASSERT_NE(wave, nullptr);
    const uint32_t near = Foe(1.0f);
    const uint32_t far = Foe(2.0f);
    Foe(10.0f);
    Hit(*wave);
    ASSERT_EQ(services.states.size(), 2u);
    EXPECT_TRUE(services.states[1].transition);
    EXPECT_EQ(wave->GetPendingTargets().size(), 2u);
    EXPECT_EQ(wave->GetOnHitCooldown(), 1000);

    // No second wave while one runs.
    Hit(*wave);
    EXPECT_EQ(services.states.size(), 2u);

    wave->Update(*owner, 499);
    EXPECT_TRUE(services.results.empty());
    wave->Update(*owner, 1);
    wave->Update(*owner, 500);
    EXPECT_EQ(services.results, (std::vector<std::vector<uint32_t>>{{near}, {far}}));
    EXPECT_TRUE(wave->GetPendingTargets().empty());
}

TEST_F(OnHitAttackRadiusTest, NoTravelTimeReachesAllAtOnceAndAnOutrunFrontEndsTheWave)
{
    auto* wave = MakeWave("0");
    ASSERT_NE(wave, nullptr);
    const uint32_t a = Foe(1.0f);
    const uint32_t b = Foe(2.9f);
    Hit(*wave);
    wave->Update(*owner, 33);
    EXPECT_EQ(services.results, (std::vector<std::vector<uint32_t>>{{a, b}}));

    auto* slow = MakeWave("1");
    ASSERT_NE(slow, nullptr);
    Character* runner = ObjectManager::Instance().GetObject<Character>(Foe(2.0f));
    ASSERT_NE(runner, nullptr);
    Hit(*slow);
    ASSERT_FALSE(slow->GetPendingTargets().empty());
    gEngine->GetWorld()->AddEntity(runner, WorldCoords(WorldVec3(kRegion, {50, 0, 0})), true);
    slow->Update(*owner, 3001);
    EXPECT_TRUE(slow->GetPendingTargets().empty());
}

} // namespace GAME::Test
