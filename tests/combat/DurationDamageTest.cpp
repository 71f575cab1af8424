#include "combat/DurationDamageManager.h"
#include "combat/DurationDamageTrack.h"

#include "characters/Character.h"
#include "combat/CombatFilter.h"
#include "combat/CombatManager.h"
#include "combat/DurationDamageReplication.h"
#include "core/PlayStatsDamageType.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace GAME {
namespace {

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
    EXPECT_EQ(twoSeconds.GetActiveTicks(), std::vector<float>(20, 1.0f));

    FixedDurationDamageTrack slow(CombatAttributeType_RunSpeed);
    slow.AddDamage({30.0f, 0.3f});
    slow.AddDamage({20.0f, 0.2f});
    EXPECT_EQ(slow.GetPendingTicks(), std::vector<float>({50.0f, 50.0f, 30.0f}))
        << "fixed levels add whole";
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
    EXPECT_EQ(track.GetActiveTicks(), std::vector<float>({6.0f, 6.0f, 6.0f, 2.0f, 1.0f, 1.0f}));
}

TEST(DurationDamageTrack, ATickNeedsMoreThanAHundredMillisecondsAndLongFramesMakeSeveral)
{
    DurationDamageTrack track(1, CombatAttributeType_Poison);
    track.AddDamage({10.0f, 1.0f});
    track.CommitPending();

    track.AdvanceTime(100);
    EXPECT_FLOAT_EQ(track.GetDamage(), 0.0f);
    track.ConsumeDueTicks();
    track.AdvanceTime(1);
    EXPECT_FLOAT_EQ(track.GetDamage(), 1.0f);
    track.ConsumeDueTicks();

    track.AdvanceTime(349); // 1 + 349: three ticks, 50 ms kept
    EXPECT_FLOAT_EQ(track.GetDamage(), 3.0f);
    track.ConsumeDueTicks();
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
    EXPECT_EQ(track.GetActiveTicks(), std::vector<float>({2.0f, 2.0f}));
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

// Ticks deal their damage through the combat manager, which registers it with the hub.
class DurationDamageManagerTest : public GAME::Test::CombatGameFixture {
protected:
    void SetUp() override
    {
        CombatGameFixture::SetUp();
        victim = MakeCharacter(true);
        attacker = MakeCharacter()->GetObjectId();
    }

    // Ready: with life 100 and mana 200, the pools full.
    static Character* MakeCharacter(bool ready = false)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        EXPECT_NE(character, nullptr);
        if (ready) {
            character->Load(GAME::Test::Record("characterLife = 100\ncharacterMana = 200"));
            character->GetCharacterBio().Update(*character, 0);
        }
        return character;
    }

    DurationDamageManager& Dot() { return victim->GetDurationDamageMgr(); }

    struct Hit {
        CombatAttributeType type;
        float amount;
        float seconds;
        bool fixed = false;
    };

    // One attack as the combat manager runs it: the attacker set, the damage added, the end.
    void Attack(uint32_t by, std::initializer_list<Hit> hits)
    {
        victim->GetCombatManager().SetAttacker(by);
        for (const Hit& hit : hits) {
            if (hit.fixed)
                Dot().AddFixedDamage(hit.type, hit.amount, hit.seconds);
            else
                Dot().AddDamage(hit.type, hit.amount, hit.seconds);
        }
        Dot().EndAttack();
    }

    float CreditedTo(uint32_t id) const
    {
        return gGameEngine->GetDamageByAttacker(id, victim->GetObjectId());
    }

    Character* victim = nullptr;
    uint32_t attacker = 0;
};

TEST_F(DurationDamageManagerTest, PoisonDealsTwentyTicksOfOneAndPoisonsUntilTheLast)
{
    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 2.0f}});
    // Exactly 100 ms makes no tick.
    const struct {
        int32_t ms;
        float life;
        bool poisoned;
    } steps[] = {{100, 100.0f, true},
                 {901, 90.0f, true},
                 {899, 81.0f, true},
                 {100, 81.0f, true},
                 {1, 80.0f, false}};
    for (const auto& step : steps) {
        Dot().Update(step.ms);
        EXPECT_FLOAT_EQ(victim->GetCurrentLife(), step.life) << step.ms;
        EXPECT_EQ(Dot().IsPoisoned(), step.poisoned) << step.ms;
    }
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_FLOAT_EQ(CreditedTo(attacker), 20.0f);
}

TEST_F(DurationDamageManagerTest, OneAttackAddsUpWhileALaterOneKeepsTheLargerTick)
{
    Attack(attacker,
           {{CombatAttributeType_Poison, 10.0f, 1.0f}, {CombatAttributeType_Poison, 5.0f, 1.0f}});
    Attack(attacker, {{CombatAttributeType_Poison, 5.0f, 3.0f}});
    std::vector<float> expected(10, 1.5f);
    expected.resize(30, 0.5f);
    ASSERT_EQ(Dot().GetTracks().size(), 1u);
    EXPECT_EQ(Dot().GetTracks()[0].GetActiveTicks(), expected);
}

TEST_F(DurationDamageManagerTest, EachAttackerHasItsOwnTrackAndIsCreditedWithItsTicks)
{
    const uint32_t second = MakeCharacter()->GetObjectId();
    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 1.0f}});
    Attack(second, {{CombatAttributeType_Poison, 5.0f, 1.0f}});
    ASSERT_EQ(Dot().GetTracks().size(), 2u);

    Dot().Update(1001);
    EXPECT_FLOAT_EQ(CreditedTo(attacker), 10.0f);
    EXPECT_FLOAT_EQ(CreditedTo(second), 5.0f);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 85.0f);
}

// Stops every hit, as a full shield does.
class StopAll final : public CombatFilter {
public:
    float ModifyDamage(float, CombatAttributeType) override { return 0.0f; }
    bool ProvidesInvulnerability(const std::vector<std::string>&) const override { return false; }
};

TEST_F(DurationDamageManagerTest, LeechTicksDrainTheirPoolAndGiveTheAttackerWhatWasThere)
{
    Character* leech = MakeCharacter(true);
    leech->SubtractLife(50.0f, PlayStatsDamageType{});
    leech->SetCurrentMana(20.0f);
    const uint32_t later = MakeCharacter()->GetObjectId();
    victim->SetCurrentMana(5.0f);
    Attack(leech->GetObjectId(), {{CombatAttributeType_ManaLeach, 80.0f, 0.1f}});
    victim->GetCombatManager().SetAttacker(later);
    Dot().Update(101);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 100.0f);
    EXPECT_FLOAT_EQ(CreditedTo(leech->GetObjectId()), 0.0f);
    EXPECT_EQ(victim->GetCombatManager().GetAttackerId(), later)
        << "a mana leech tick leaves the attacker alone";
    victim->GetCharacterBio().Update(*victim, 1); // spent mana drains here
    EXPECT_FLOAT_EQ(victim->GetCurrentMana(), 0.0f);
    EXPECT_FLOAT_EQ(leech->GetCurrentMana(), 25.0f) << "8 leeched from 5 gives 5";

    Attack(leech->GetObjectId(), {{CombatAttributeType_LifeLeach, 30.0f, 0.2f}});
    victim->GetCombatManager().SetAttacker(later);
    Dot().Update(101);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 97.0f);
    EXPECT_FLOAT_EQ(CreditedTo(leech->GetObjectId()), 3.0f);
    EXPECT_EQ(victim->GetCombatManager().GetAttackerId(), leech->GetObjectId());
    EXPECT_FLOAT_EQ(leech->GetCurrentLife(), 53.0f);

    StopAll shield;
    victim->AddCombatFilter(&shield);
    Dot().Update(100);
    victim->RemoveCombatFilter(&shield);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 97.0f);
    EXPECT_FLOAT_EQ(leech->GetCurrentLife(), 53.0f) << "a refused tick gives nothing";
}

TEST_F(DurationDamageManagerTest, StrongestInvoluntaryStateShowsAndTheNextTakesOver)
{
    Attack(attacker, {{CombatAttributeType_Stun, 1.0f, 1.0f, true},
                      {CombatAttributeType_Immobilize, 1.0f, 0.5f, true}});
    EXPECT_FALSE(Dot().HasDamageEffects()) << "fixed levels start no effect when added";
    Dot().Update(50);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Immobilize);
    Dot().Update(500); // the last immobilize tick is consumed after the state is chosen
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Immobilize);
    Dot().Update(1);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Stun);
    EXPECT_FALSE(Dot().HasDamageEffect(CombatAttributeType_Immobilize));
    Dot().Update(500);
    Dot().Update(1);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Unknown);
    EXPECT_FALSE(Dot().HasDamageEffects());
}

TEST_F(DurationDamageManagerTest, SpeedLevelChangesAreNoticedOnceAndSlowsAreNotCapped)
{
    Attack(attacker, {{CombatAttributeType_RunSpeed, 150.0f, 0.2f, true},
                      {CombatAttributeType_OffensiveAbility, 130.0f, 0.2f, true}});
    EXPECT_FLOAT_EQ(Dot().GetFixedDamage(CombatAttributeType_RunSpeed), 150.0f);
    // The level runs out after it is read at 202 ms, noticed at the next update.
    const std::pair<int32_t, bool> steps[] = {{1, true}, {1, false}, {200, false}, {1, true}};
    for (const auto& [ms, noticed] : steps) {
        Dot().Update(ms);
        EXPECT_EQ(Dot().GetSpeedUpdate(), noticed) << ms;
    }
    EXPECT_FLOAT_EQ(Dot().GetFixedDamage(CombatAttributeType_RunSpeed), 0.0f);
}

TEST_F(DurationDamageManagerTest, TooShortDamageStillStartsItsEffectUntilItsTrackGoes)
{
    Attack(attacker, {{CombatAttributeType_Fire, 10.0f, 0.05f}});
    EXPECT_TRUE(Dot().HasDamageEffect(CombatAttributeType_Fire));
    ASSERT_EQ(Dot().GetTracks().size(), 1u);
    Dot().Update(1);
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_TRUE(Dot().HasDamageEffect(CombatAttributeType_Fire));
    Dot().Update(1);
    EXPECT_FALSE(Dot().HasDamageEffects());
}

TEST_F(DurationDamageManagerTest, NothingLandsOnAnInvincibleOwnerOrWithoutAmountOrDuration)
{
    Dot().AddDamage(CombatAttributeType_Fire, 0.0f, 2.0f);
    Dot().AddDamage(CombatAttributeType_Fire, 10.0f, -1.0f);
    Dot().AddFixedDamage(CombatAttributeType_Stun, 1.0f, 0.0f);
    Dot().AddDamage(static_cast<CombatAttributeType>(46), 10.0f, 2.0f); // no such kind
    Dot().AddFixedDamage(static_cast<CombatAttributeType>(-1), 1.0f, 2.0f);
    victim->SetInvincible(true);
    Dot().AddDamage(CombatAttributeType_Fire, 10.0f, 2.0f);
    Dot().AddFixedDamage(CombatAttributeType_Stun, 1.0f, 2.0f);
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_TRUE(Dot().GetFixedTracks().empty());
    EXPECT_FALSE(Dot().HasDamageEffects());
}

TEST_F(DurationDamageManagerTest, DelayedClearEmptiesAfterTwoHundredFiftyMsThenStopsEffects)
{
    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 5.0f},
                      {CombatAttributeType_Freeze, 1.0f, 5.0f, true}});
    Dot().Update(1);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Freeze);
    Dot().DelayedClearHack();
    Dot().Update(100);
    Dot().Update(100);
    EXPECT_EQ(Dot().GetTracks().size(), 1u);
    Dot().Update(50);
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_TRUE(Dot().GetFixedTracks().empty());
    EXPECT_TRUE(Dot().HasDamageEffect(CombatAttributeType_Freeze))
        << "effects stop at the next update";
    EXPECT_TRUE(Dot().HasDamageEffect(CombatAttributeType_Poison));
    Dot().Update(1);
    EXPECT_FALSE(Dot().HasDamageEffects());
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Unknown);

    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 5.0f}});
    Dot().Update(1000);
    EXPECT_EQ(Dot().GetTracks().size(), 1u) << "the countdown is spent until armed again";
}

// Packets carry replicas; this one only lends the buffers a packet to work on.
class Carrier : public NetPacket {
public:
    Carrier() : NetPacket(251) {}
    uint32_t PrepareOutBuffer() override { return 0; }
    void CopyInbound(const uint8_t*, int) override {}
    std::string GetPacketDescription(bool) const override { return std::string(); }
};

std::vector<uint8_t> Encode(const std::function<void(NetPacketOutBuffer&)>& write)
{
    Carrier carrier;
    NetPacketOutBuffer out(carrier);
    write(out);
    out.Done();
    return std::vector<uint8_t>(carrier.GetOutBuffer() + NetPacketHeader::kSize,
                                carrier.GetOutBuffer() + carrier.GetOutBufferSize());
}

// Little-endian words, floats by their bits.
std::vector<uint8_t> Words(std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> bytes;
    for (const uint32_t word : words)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
    return bytes;
}

uint32_t Bits(float value)
{
    return std::bit_cast<uint32_t>(value);
}

struct ReadResult {
    bool ok = false;
    bool failed = false;
    std::vector<DurationDamageReplication> damage;
    std::vector<FixedDurationDamageReplication> fixed;
};

// Reads both counted lists as replication data carries them.
ReadResult ReadBoth(const std::vector<uint8_t>& bytes)
{
    Carrier carrier;
    ReadResult result;
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    result.ok = DurationDamageReplication::ReadList(in, result.damage) &&
                FixedDurationDamageReplication::ReadList(in, result.fixed);
    result.failed = in.HasFailed();
    return result;
}

TEST_F(DurationDamageManagerTest, TicksReplicateAsRunsInTwentyEightBytesAndRebuildEqual)
{
    constexpr uint32_t kAttacker = 0x01020304;
    Attack(kAttacker, {{CombatAttributeType_Poison, 20.0f, 0.4f},
                       {CombatAttributeType_Stun, 1.0f, 0.3f, true}});
    Attack(kAttacker, {{CombatAttributeType_Poison, 50.0f, 0.3f}});
    ASSERT_EQ(Dot().GetTracks()[0].GetActiveTicks(), (std::vector<float>{5.0f, 5.0f, 5.0f, 2.0f}));

    std::vector<DurationDamageReplication> damage;
    std::vector<FixedDurationDamageReplication> fixed;
    Dot().GetDamageReplica(damage);
    Dot().GetFixedDamageReplica(fixed);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].runs, (std::vector<DurationDamageInfo>{{5.0f, 3.0f}, {2.0f, 1.0f}}));
    const std::vector<uint8_t> record =
        Encode([&](NetPacketOutBuffer& out) { damage[0].Write(out); });
    EXPECT_EQ(record, Words({7, kAttacker, 2, Bits(5.0f), Bits(3.0f), Bits(2.0f), Bits(1.0f)}));
    EXPECT_EQ(Encode([&](NetPacketOutBuffer& out) { fixed[0].Write(out); }),
              Words({34, 1, Bits(1.0f), Bits(3.0f)}));

    const ReadResult read = ReadBoth(Encode([&](NetPacketOutBuffer& out) {
        DurationDamageReplication::WriteList(out, damage);
        FixedDurationDamageReplication::WriteList(out, fixed);
    }));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.damage, damage);
    EXPECT_EQ(read.fixed, fixed);

    Character* receiver = MakeCharacter();
    DurationDamageManager& rebuilt = receiver->GetDurationDamageMgr();
    rebuilt.SetDamageReplica(read.damage);
    rebuilt.SetFixedDamageReplica(read.fixed);
    ASSERT_EQ(rebuilt.GetTracks().size(), 1u);
    EXPECT_EQ(rebuilt.GetTracks()[0].GetAttackerId(), kAttacker);
    EXPECT_EQ(rebuilt.GetTracks()[0].GetActiveTicks(), Dot().GetTracks()[0].GetActiveTicks());
    EXPECT_EQ(rebuilt.GetFixedTracks()[0].GetActiveTicks(), std::vector<float>(3, 1.0f));

    rebuilt.SetDamageReplica(read.damage);
    EXPECT_EQ(rebuilt.GetTracks()[0].GetActiveTicks().size(), 8u) << "replicas add";
}

TEST_F(DurationDamageManagerTest, CountsOfZeroOrLessReadAsNone)
{
    const ReadResult read = ReadBoth(Words({1, 7, 9, 0xFFFFFFFB, 0x80000000}));
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.damage.size(), 1u);
    EXPECT_TRUE(read.damage[0].runs.empty());
    EXPECT_TRUE(read.fixed.empty());
}

TEST_F(DurationDamageManagerTest, ALyingListIsRefusedWholeAndLeavesTheListsAlone)
{
    // A good first record, the second given, and no fixed records.
    const auto withSecond = [](std::initializer_list<uint32_t> second) {
        std::vector<uint8_t> bytes = Words({2, 7, 9, 1, Bits(2.0f), Bits(3.0f)});
        for (const std::vector<uint8_t>& tail : {Words(second), Words({0})})
            bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::vector<uint8_t>> lies = {
        withSecond({6, 9, 1000, Bits(1.0f), Bits(1.0f)}),  // more runs than bytes
        withSecond({46, 9, 1, Bits(1.0f), Bits(1.0f)}),    // no such kind
        withSecond({0xFFFFFFFF, 9, 0}),                    // nor this
        withSecond({6, 9, 1, Bits(nan), Bits(1.0f)}),      // amount not a number
        withSecond({6, 9, 1, Bits(inf), Bits(1.0f)}),      // nor finite
        withSecond({6, 9, 1, Bits(1.0f), Bits(-1.0f)}),    // negative length
        withSecond({6, 9, 1, Bits(1.0f), Bits(36001.0f)}), // past the cap
        Words({1, 6, 9, 1, Bits(1.0f)}),                   // a run cut short
        Words({1000, 7, 9, 0}),                            // more records than bytes
        Words({0, 1, 46, 0}),                              // a fixed record of no kind
    };
    for (size_t i = 0; i < lies.size(); ++i) {
        const ReadResult read = ReadBoth(lies[i]);
        EXPECT_FALSE(read.ok) << "lie " << i;
        EXPECT_TRUE(read.failed) << "lie " << i;
        EXPECT_TRUE(read.damage.empty()) << "lie " << i;
        EXPECT_TRUE(read.fixed.empty()) << "lie " << i;
    }
    const ReadResult truth = ReadBoth(withSecond({6, 9, 1, Bits(1.0f), Bits(36000.0f)}));
    EXPECT_TRUE(truth.ok);
    EXPECT_EQ(truth.damage.size(), 2u);
}

TEST_F(DurationDamageManagerTest, ReplicasWithAnInvalidRecordApplyNothing)
{
    std::vector<DurationDamageReplication> damage = {
        {CombatAttributeType_Fire, 9, {{2.0f, 3.0f}}},
        {static_cast<CombatAttributeType>(46), 9, {{2.0f, 3.0f}}},
    };
    EXPECT_FALSE(Dot().SetDamageReplica(damage));
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_FALSE(Dot().SetFixedDamageReplica(
        {{CombatAttributeType_Stun, {{1.0f, 2.0f}}}, {CombatAttributeType_Trap, {{1.0f, -2.0f}}}}));
    EXPECT_TRUE(Dot().GetFixedTracks().empty());

    damage.pop_back();
    damage.push_back({CombatAttributeType_Fire, 9, {{4.0f, 36000.0f}}});
    Dot().SetDamageReplica(damage);
    ASSERT_EQ(Dot().GetTracks().size(), 1u) << "one kind and attacker, one track";
    EXPECT_EQ(Dot().GetTracks()[0].GetActiveTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
}

TEST_F(DurationDamageManagerTest, ReplicaListsPastTheTickCapApplyNothing)
{
    // Thousands of records of an hour each are what hostile data looks like.
    std::vector<DurationDamageReplication> flood;
    for (uint32_t id = 0; id < 3300; ++id)
        flood.push_back({CombatAttributeType_Fire, id, {{1.0f, 36000.0f}}});
    EXPECT_FALSE(Dot().SetDamageReplica(flood));
    EXPECT_TRUE(Dot().GetTracks().empty());

    const DurationDamageReplication oneTick{CombatAttributeType_Cold, 10, {{1.0f, 1.0f}}};
    std::vector<DurationDamageReplication> full = {
        {CombatAttributeType_Fire, 9, {{1.0f, 36000.0f}}},
        {CombatAttributeType_Poison, 9, {{1.0f, 35999.0f}, {2.0f, 1.0f}}}};
    full.push_back(oneTick);
    EXPECT_FALSE(Dot().SetDamageReplica(full));
    EXPECT_TRUE(Dot().GetTracks().empty());
    full.pop_back();
    EXPECT_TRUE(Dot().SetDamageReplica(full));
    EXPECT_EQ(Dot().GetTracks().size(), 2u);
    EXPECT_FALSE(Dot().SetDamageReplica({oneTick})) << "the ticks held count";
    EXPECT_EQ(Dot().GetTracks().size(), 2u);

    EXPECT_FALSE(Dot().SetFixedDamageReplica({{CombatAttributeType_Stun, {{1.0f, 36000.0f}}},
                                              {CombatAttributeType_Trap, {{1.0f, 36000.0f}}},
                                              {CombatAttributeType_Freeze, {{1.0f, 1.0f}}}}));
    EXPECT_TRUE(Dot().GetFixedTracks().empty());
}

} // namespace
} // namespace GAME
