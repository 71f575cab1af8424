#include "skills/Skill_BuffSelfDuration.h"

#include "combat/DurationDamageManager.h"
#include "skills/Skill_BuffSelfImmobilize.h"
#include "skills/Skill_BuffSelfInvulnerable.h"
#include "tests/support/SelfBuffFixture.h"

#include <limits>

namespace GAME::Test {
namespace {

class Skill_BuffSelfDurationTest : public SelfBuffFixture {
protected:
    template <typename T> T* Timed(const std::string& kind, std::vector<std::string> lines = {})
    {
        lines.push_back("skillActiveDuration = 2.5");
        return Make<T>(kind, lines);
    }
    void Use(Skill_BuffSelfToggled& skill) { skill.ActivateNow(*owner, Name(), 0, WorldVec3()); }
};

TEST_F(Skill_BuffSelfDurationTest, RunsTwoAndAHalfSecondsAndCoolsDownFromTheStart)
{
    auto* timed = Timed<Skill_BuffSelfDuration>("Skill_BuffSelfDuration");
    ASSERT_NE(timed, nullptr);
    Use(*timed);
    EXPECT_EQ(timed->TrackableTotalTime(1), 2500);
    EXPECT_EQ(timed->TrackableRemainingTime(1), 2500);
    Receive(*timed, true);
    EXPECT_FLOAT_EQ(Mana(), 93.0f);
    EXPECT_EQ(timed->GetCooldownRemaining(), 2000);
    for (int frame = 0; frame < 24; ++frame)
        timed->Update(*owner, 100);
    timed->Update(*owner, 99);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
    timed->Update(*owner, 1);
    EXPECT_EQ(services.sent, (std::vector<bool>{true, false}));
}

TEST_F(Skill_BuffSelfDurationTest, AHugeDurationSaturates)
{
    auto* timed =
        Make<Skill_BuffSelfDuration>("Skill_BuffSelfDuration", {"skillActiveDuration = 1e12"});
    ASSERT_NE(timed, nullptr);
    Use(*timed);
    EXPECT_EQ(timed->TrackableTotalTime(1), std::numeric_limits<int32_t>::max());
}

TEST_F(Skill_BuffSelfDurationTest, ImmobilizeRenewsItsQuarterSecondPiecesWhileOn)
{
    auto* root = Timed<Skill_BuffSelfImmobilize>("Skill_BuffSelfImmobilize");
    ASSERT_NE(root, nullptr);
    DurationDamageManager& pieces = owner->GetDurationDamageMgr();
    Use(*root);
    Receive(*root, true);
    for (int frame = 0; frame < 20; ++frame) {
        root->Update(*owner, 50);
        pieces.Update(50);
        ASSERT_FLOAT_EQ(pieces.GetFixedDamage(CombatAttributeType_Immobilize), 1.0f) << frame;
    }
    Receive(*root, false);
    for (int frame = 0; frame < 6; ++frame) {
        root->Update(*owner, 50);
        pieces.Update(50);
    }
    EXPECT_FLOAT_EQ(pieces.GetFixedDamage(CombatAttributeType_Immobilize), 0.0f);
}

TEST_F(Skill_BuffSelfDurationTest, InvulnerableBlocksEveryoneOrTheNamedRacesOnlyWhileOn)
{
    auto* all = Timed<Skill_BuffSelfInvulnerable>("Skill_BuffSelfInvulnerable");
    auto* undead =
        Timed<Skill_BuffSelfInvulnerable>("Skill_BuffSelfInvulnerable", {"racialProfile = Undead"});
    ASSERT_NE(all, nullptr);
    ASSERT_NE(undead, nullptr);
    const std::vector<std::string> beast{"Beast"};
    const std::vector<std::string> dead{"Beast", "Undead"};
    EXPECT_FALSE(all->ProvidesInvulnerability(beast));
    EXPECT_FALSE(undead->ProvidesInvulnerability(dead));
    Receive(*all, true);
    Receive(*undead, true);
    EXPECT_TRUE(all->ProvidesInvulnerability(beast));
    EXPECT_TRUE(all->ProvidesInvulnerability({}));
    EXPECT_FALSE(undead->ProvidesInvulnerability(beast));
    EXPECT_TRUE(undead->ProvidesInvulnerability(dead));
    Receive(*all, false);
    EXPECT_FALSE(all->ProvidesInvulnerability(beast));
}

} // namespace
} // namespace GAME::Test
