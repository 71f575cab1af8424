#include "combat/DurationDamageTrack.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace GAME {
namespace {

std::vector<float> Ticks(std::initializer_list<float> values)
{
    return std::vector<float>(values);
}

TEST(DurationDamageTrack, DurationMakesTruncatedTickCountOfATenthPerSecond)
{
    DurationDamageTrack shortTrack(1, CombatAttributeType_Fire);
    shortTrack.AddDamage({10.0f, 0.7f});
    EXPECT_EQ(shortTrack.GetPendingTicks(), std::vector<float>(6, 1.0f)) << "0.7f is 0.69999999";

    DurationDamageTrack twoSeconds(1, CombatAttributeType_Fire);
    twoSeconds.AddDamage({10.0f, 2.0f});
    twoSeconds.AddDamage({5.0f, 0.05f});
    EXPECT_EQ(twoSeconds.GetPendingTicks(), std::vector<float>(20, 1.0f))
        << "under a tenth of a second adds nothing";
    twoSeconds.CommitPending();
    EXPECT_TRUE(twoSeconds.GetPendingTicks().empty());
    EXPECT_EQ(twoSeconds.GetActiveTicks(), std::vector<float>(20, 1.0f));

    FixedDurationDamageTrack slow(CombatAttributeType_RunSpeed);
    slow.AddDamage({30.0f, 0.3f});
    slow.AddDamage({20.0f, 0.2f});
    EXPECT_EQ(slow.GetPendingTicks(), Ticks({50.0f, 50.0f, 30.0f})) << "fixed levels add whole";
    EXPECT_EQ(slow.GetAttackerId(), 0u);
}

TEST(DurationDamageTrack, HugeOrMeaninglessDurationsAreCappedBeforeBecomingTickCounts)
{
    DurationDamageTrack huge(1, CombatAttributeType_Poison);
    huge.AddDamage({10.0f, 1.0e30f});
    EXPECT_EQ(huge.GetPendingTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
    huge.AddDamage({10.0f, std::numeric_limits<float>::infinity()});
    EXPECT_EQ(huge.GetPendingTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
    EXPECT_FLOAT_EQ(huge.GetPendingTicks().back(), 2.0f);

    DurationDamageTrack none(1, CombatAttributeType_Poison);
    none.AddDamage({10.0f, std::numeric_limits<float>::quiet_NaN()});
    none.AddDamage({10.0f, -3.0f});
    EXPECT_TRUE(none.GetPendingTicks().empty());
}

TEST(DurationDamageTrack, ALaterCommitKeepsTheLargerOfEachTick)
{
    DurationDamageTrack track(1, CombatAttributeType_Poison);
    track.AddDamage({20.0f, 0.4f});
    track.CommitPending();
    track.AddDamage({50.0f, 0.3f});
    track.AddDamage({10.0f, 0.6f});
    track.CommitPending();
    EXPECT_EQ(track.GetActiveTicks(), Ticks({6.0f, 6.0f, 6.0f, 2.0f, 1.0f, 1.0f}));
}

TEST(DurationDamageTrack, ATickNeedsMoreThanAHundredMillisecondsAndLongFramesMakeSeveral)
{
    DurationDamageTrack track(1, CombatAttributeType_Poison);
    track.AddDamage({10.0f, 1.0f});
    track.CommitPending();

    track.AdvanceTime(100);
    EXPECT_FLOAT_EQ(track.GetDamage(), 0.0f);
    track.ConsumeDueTicks();
    EXPECT_EQ(track.GetActiveTicks().size(), 10u);
    track.AdvanceTime(1);
    EXPECT_FLOAT_EQ(track.GetDamage(), 1.0f);
    track.ConsumeDueTicks();

    track.AdvanceTime(349); // 1 + 349: three ticks, 50 ms kept
    EXPECT_FLOAT_EQ(track.GetDamage(), 3.0f);
    track.ConsumeDueTicks();
    EXPECT_EQ(track.GetActiveTicks().size(), 6u);
    track.AdvanceTime(50);
    EXPECT_FLOAT_EQ(track.GetDamage(), 0.0f) << "50 kept + 50 is not more than 100";
    track.AdvanceTime(51);
    EXPECT_FLOAT_EQ(track.GetDamage(), 1.0f);

    track.AdvanceTime(std::numeric_limits<int32_t>::max());
    EXPECT_FLOAT_EQ(track.GetDamage(), 6.0f) << "more due than left deals what is left";
    track.ConsumeDueTicks();
    EXPECT_TRUE(track.IsFinished());
}

TEST(DurationDamageTrack, FixedLevelIsTheFrontTickWhetherOrNotOneIsDue)
{
    FixedDurationDamageTrack stun(CombatAttributeType_Stun);
    EXPECT_FLOAT_EQ(stun.GetDamage(), 0.0f);
    stun.AddDamage({1.0f, 0.2f});
    stun.CommitPending();
    EXPECT_FLOAT_EQ(stun.GetDamage(), 1.0f);
}

TEST(DurationDamageTrack, AppendTicksTakesFiniteRunsWithinTheCapOnly)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    DurationDamageTrack track(1, CombatAttributeType_Fire);
    EXPECT_FALSE(track.AppendTicks(nan, 3.0f));
    EXPECT_FALSE(track.AppendTicks(inf, 3.0f));
    EXPECT_FALSE(track.AppendTicks(2.0f, -1.0f));
    EXPECT_FALSE(track.AppendTicks(2.0f, 36001.0f));
    EXPECT_FALSE(track.AppendTicks(2.0f, nan));
    EXPECT_TRUE(track.GetActiveTicks().empty());

    EXPECT_TRUE(track.AppendTicks(2.0f, 2.9f));
    EXPECT_TRUE(track.AppendTicks(7.0f, 0.0f));
    EXPECT_EQ(track.GetActiveTicks(), Ticks({2.0f, 2.0f}));
    EXPECT_TRUE(track.AppendTicks(3.0f, 36000.0f));
    EXPECT_TRUE(track.AppendTicks(3.0f, 36000.0f));
    EXPECT_EQ(track.GetActiveTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
}

TEST(DurationDamageTrack, ReplicaRunsCutAtEachChangeAndLeaveOutNothing)
{
    DurationDamageTrack track(1, CombatAttributeType_Fire);
    for (const float tick : {0.0f, 0.0f, 5.0f, 5.0f, 5.0f, 2.0f, 0.0f, -1.0f, 2.0f})
        track.AppendTicks(tick, 1.0f);
    EXPECT_EQ(track.GetReplicaRuns(),
              (std::vector<DurationDamageInfo>{{5.0f, 3.0f}, {2.0f, 1.0f}, {2.0f, 1.0f}}));
    EXPECT_TRUE(DurationDamageTrack(1, CombatAttributeType_Fire).GetReplicaRuns().empty());
}

TEST(DurationDamageTrack, DumpLogsAttackerAndEachRunsSumAndSeconds)
{
    GAME::Test::LogCapture log;
    DurationDamageTrack empty(0x2a, CombatAttributeType_Poison);
    empty.Dump();
    EXPECT_TRUE(log.GetLines().empty());

    DurationDamageTrack track(0x2a, CombatAttributeType_Poison);
    track.AppendTicks(1.5f, 20.0f);
    track.AppendTicks(0.0f, 2.0f);
    track.AppendTicks(0.5f, 3.0f);
    track.Dump();
    const std::vector<GAME::Test::LogCapture::Line> expected = {
        {0, "^bAttacker (0x0000002a)  Damage Type (7)"},
        {0, "^g   Damage(30.000000)  Duration (2.000000) Seconds"},
        {0, "^g   Damage(1.500000)  Duration (0.300000) Seconds"},
    };
    EXPECT_EQ(log.GetLines(), expected);
}

} // namespace
} // namespace GAME
