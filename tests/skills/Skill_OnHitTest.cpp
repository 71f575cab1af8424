#include "skills/Skill_OnHitAttackRadius.h"
#include "skills/Skill_OnHitBuffSelf.h"

#include "tests/support/SkillsFixture.h"

namespace GAME::Test {
namespace {

class OnHitTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord("Records/Creatures/Foe.dbr",
                             {"Class = Character", "characterLife = 100"});
    }

    Skill_OnHitAttackRadius* MakeWave(const char* expansion)
    {
        auto* wave = MakeOwned<Skill_OnHitAttackRadius>(
            {"Class = Skill_OnHitAttackRadius", "skillMaxLevel = 3", "skillTargetRadius = 3",
             "skillCooldownTime = 1", "onHitActivationChance = 100",
             std::string("expansionTime = ") + expansion});
        wave->ActivateNow(*owner, Name(), 0, WorldVec3());
        return wave;
    }
    uint32_t WaveFoe(float x)
    {
        auto* foe = Foe({x, 0, 0}, "Records/Creatures/Foe.dbr");
        return foe != nullptr ? foe->GetObjectId() : 0;
    }

    Skill_OnHitBuffSelf* MakeBuff(const char* chance)
    {
        return MakeOwned<Skill_OnHitBuffSelf>({"Class = Skill_OnHitBuffSelf", "skillMaxLevel = 3",
                                               "skillActiveDuration = 2.5",
                                               "skillCooldownTime = 1.5", "skillManaCost = 10",
                                               std::string("onHitActivationChance = ") + chance});
    }
    // How many draws the shared generator made since it was seeded with 7.
    static int DrawsSinceSeed()
    {
        const float next = GameEngine::Get().GetRandomGen().FGenerate(0.1f, 100.0f);
        RandomUniform fresh;
        fresh.Seed(7);
        for (int n = 0; n < 16; ++n)
            if (fresh.FGenerate(0.1f, 100.0f) == next)
                return n;
        return -1;
    }
};

using Targets = std::vector<std::vector<uint32_t>>;

TEST_F(OnHitTest, TheWaveFrontReachesEachTargetAtItsDistance)
{
    auto* wave = MakeWave("0.5");
    const uint32_t near = WaveFoe(1.0f);
    const uint32_t far = WaveFoe(2.0f);
    WaveFoe(10.0f);
    Hit(*wave);
    ASSERT_EQ(services.actives.size(), 2u);
    EXPECT_TRUE(services.actives[1].transition);
    EXPECT_EQ(wave->GetPendingTargets().size(), 2u);
    EXPECT_EQ(wave->GetOnHitCooldown(), 1000);

    // No second wave while one runs.
    Hit(*wave);
    EXPECT_EQ(services.actives.size(), 2u);

    wave->Update(*owner, 499);
    EXPECT_TRUE(services.results.empty());
    wave->Update(*owner, 1);
    wave->Update(*owner, 500);
    EXPECT_EQ(services.Targets(), (Targets{{near}, {far}}));
    EXPECT_TRUE(wave->GetPendingTargets().empty());
}

TEST_F(OnHitTest, AWaveWithoutTravelTimeReachesAllAtOnceAndAnOutrunFrontEndsIt)
{
    auto* wave = MakeWave("0");
    const uint32_t a = WaveFoe(1.0f);
    const uint32_t b = WaveFoe(2.9f);
    Hit(*wave);
    wave->Update(*owner, 33);
    EXPECT_EQ(services.Targets(), (Targets{{a, b}}));

    auto* slow = MakeWave("1");
    Character* runner = ObjectManager::Instance().GetObject<Character>(WaveFoe(2.0f));
    ASSERT_NE(runner, nullptr);
    Hit(*slow);
    ASSERT_FALSE(slow->GetPendingTargets().empty());
    gEngine->GetWorld()->AddEntity(runner, WorldCoords(At(50)), true);
    slow->Update(*owner, 3001);
    EXPECT_TRUE(slow->GetPendingTargets().empty());
}

TEST_F(OnHitTest, ABuffBurstsOnlyOutsideTheBurstAndTheInternalCooldown)
{
    auto* buff = MakeBuff("100");
    Hit(*buff);
    EXPECT_TRUE(services.actives.empty()) << "unarmed";

    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.actives.size(), 1u);
    EXPECT_TRUE(services.actives[0].active);
    EXPECT_FALSE(services.actives[0].transition);
    EXPECT_TRUE(buff->IsSkillOnHitActive());
    EXPECT_EQ(buff->TrackableRemainingTime(1), 1);
    EXPECT_EQ(buff->TrackableTotalTime(1), 1);

    Hit(*buff);
    ASSERT_EQ(services.actives.size(), 2u);
    EXPECT_TRUE(services.actives[1].transition);
    EXPECT_EQ(buff->TrackableRemainingTime(1), 2500);
    EXPECT_EQ(buff->TrackableTotalTime(1), 2500);

    // A running burst draws nothing.
    GameEngine::Get().GetRandomGen().Seed(7);
    Hit(*buff);
    EXPECT_EQ(DrawsSinceSeed(), 0);

    buff->Update(*owner, 2499);
    EXPECT_EQ(services.actives.size(), 2u);
    buff->Update(*owner, 1);
    ASSERT_EQ(services.actives.size(), 3u);
    EXPECT_TRUE(services.actives[2].active);
    EXPECT_FALSE(services.actives[2].transition);
    EXPECT_EQ(buff->GetOnHitCooldown(), 1500);
    EXPECT_EQ(buff->TrackableRemainingTime(1), 1);

    // The internal cooldown: one draw per hit, none fires.
    GameEngine::Get().GetRandomGen().Seed(7);
    Hit(*buff);
    Hit(*buff);
    EXPECT_EQ(DrawsSinceSeed(), 2);
    EXPECT_EQ(services.actives.size(), 3u);
    buff->Update(*owner, 1500);
    Hit(*buff);
    EXPECT_EQ(services.actives.size(), 4u);
    EXPECT_TRUE(services.actives[3].transition);
}

TEST_F(OnHitTest, ABuffBurstPaysItsManaWithoutStartingTheCooldownAndAMirrorSendsNothing)
{
    auto* buff = MakeBuff("100");
    manager.services = nullptr;
    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    EXPECT_FALSE(buff->IsArmed());
    EXPECT_TRUE(services.actives.empty());

    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, false), false);
    owner->SetCurrentMana(50.0f);
    const float mana = owner->GetCurrentMana();
    // The drain is queued for the owner's next frame.
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, true), false);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), mana - 10.0f);
    EXPECT_EQ(buff->GetCooldownRemaining(), 0);
    // A restored burst pays nothing.
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, true), true);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), mana - 10.0f);
}

TEST_F(OnHitTest, ABuffChanceBelowTheSmallestRollNeverFiresAndStopDisarms)
{
    auto* buff = MakeBuff("0.05");
    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    for (int i = 0; i < 50; ++i)
        Hit(*buff);
    EXPECT_EQ(services.actives.size(), 1u);
    buff->StopSkill(*owner);
    ASSERT_EQ(services.actives.size(), 2u);
    EXPECT_FALSE(services.actives[1].active);
    EXPECT_FALSE(buff->IsSkillOnHitActive());
}

} // namespace
} // namespace GAME::Test
