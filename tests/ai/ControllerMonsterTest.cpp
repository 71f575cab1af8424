#include "ai/ControllerMonster.h"

#include "ai/ControllerAIStateT.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "skills/Skill.h"
#include "skills/SkillState.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/AiItemRecorder.h"
#include "tests/support/EngineFixture.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

class ControllerMonsterTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("Records/Controllers/Monster/Brute.dbr",
                             {"Class = ControllerMonster"});
        controller = ObjectManager::Instance().CreateObjectFromFile<ControllerMonster>(
            "Records/Controllers/Monster/Brute.dbr");
    }

    // An enemy the anger table forces as the target while it exists.
    uint32_t ForcedEnemy()
    {
        Object* enemy = ObjectManager::Instance().CreateObject("Monster");
        controller->SetMostHatedEnemy(enemy->GetObjectId());
        return enemy->GetObjectId();
    }

    ControllerMonster* controller = nullptr;
};

TEST_F(ControllerMonsterTest, IgnoresRequirementsAndASpecialFirstWaitsItsTimeout)
{
    EXPECT_TRUE(controller->GetIgnoreEquipmentRequirements());
    controller->SetSpecialAttack5Skill(9, 1200, 300, 40, SkillUseRange_Long);
    const ControllerMonster::SpecialAttack fifth = controller->GetSpecialAttack(4);
    EXPECT_EQ(fifth.initialWait, 1200);
    EXPECT_EQ(controller->GetSpecialAttack(5).skill, 0u);
    EXPECT_EQ(controller->GetSpecialAttack(-1).skill, 0u);
}

TEST_F(ControllerMonsterTest, RangeWordsAreExact)
{
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("ShortRange"), SkillUseRange_Short);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("MediumRange"), SkillUseRange_Medium);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("LongRange"), SkillUseRange_Long);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("longrange"), SkillUseRange_None);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText(""), SkillUseRange_None);
}

TEST_F(ControllerMonsterTest, NewLeaderTeamChangeAndClearForgetTheGrudges)
{
    for (int step = 0; step < 3; ++step) {
        const uint32_t enemy = ForcedEnemy();
        EXPECT_EQ(controller->GetAngerManager().GetNewTarget(10.0f)->GetObjectId(), enemy);
        if (step == 0)
            controller->NewLeader(77);
        else if (step == 1)
            controller->TeamChanged();
        else
            controller->ClearAnger();
        EXPECT_EQ(controller->GetAngerManager().GetNewTarget(10.0f), nullptr) << step;
    }
}

TEST_F(ControllerMonsterTest, TransferAngerHandsTheGrudgesOver)
{
    auto* other = static_cast<ControllerMonster*>(
        ObjectManager::Instance().CreateObject("ControllerMonster"));
    const uint32_t enemy = ForcedEnemy();
    controller->TransferAnger(*other);
    EXPECT_EQ(other->GetAngerManager().GetNewTarget(10.0f)->GetObjectId(), enemy);
}

TEST_F(ControllerMonsterTest, TreasureProxyReplacesTheOldOneAndKeepsOnlyProxies)
{
    database.WriteRecord("Records/Proxies/Chest.dbr", {"Class = Proxy"});
    database.WriteRecord("Records/Proxies/NotAProxy.dbr", {"Class = Monster"});
    ObjectManager& objects = ObjectManager::Instance();

    controller->SetTreasureProxy("");
    EXPECT_EQ(controller->GetTreasureProxy(), nullptr);
    controller->SetTreasureProxy("Records/Proxies/Chest.dbr");
    Proxy* first = controller->GetTreasureProxy();
    const uint32_t firstId = first->GetObjectId();

    controller->SetTreasureProxy("");
    EXPECT_EQ(controller->GetTreasureProxy(), first);
    controller->SetTreasureProxy("Records/Proxies/Chest.dbr");
    EXPECT_NE(controller->GetTreasureProxy()->GetObjectId(), firstId);
    EXPECT_EQ(objects.GetDestroyHistory().back().objectId, firstId);
    EXPECT_EQ(objects.GetDestroyHistory().back().file, "ControllerMonster");

    const uint32_t secondId = controller->GetTreasureProxy()->GetObjectId();
    controller->SetTreasureProxy("Records/Proxies/NotAProxy.dbr");
    EXPECT_EQ(controller->GetTreasureProxy(), nullptr);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObject(firstId), nullptr);
    EXPECT_EQ(objects.GetObject(secondId), nullptr);
}

TEST_F(ControllerMonsterTest, LoadReadsEnumerationsExactlyAndTheSecondFleeCount)
{
    database.WriteRecord("Records/Controllers/Monster/Coward.dbr",
                         {"Class = ControllerMonster", "maxFleeCount = 7",
                          "FleeBehavior = FleeWhenEnemyClose", "FleeTarget = towardsallies",
                          "RoamBehavior = Roam", "BuffAllyTargeting = BuffWeakest",
                          "DebuffEnemyBehavior = WhenIdle", "LeaderBehavior = LeadOnDamage",
                          "DistressResponseBehavior = RespondToSameGroup"});
    auto* coward = ObjectManager::Instance().CreateObjectFromFile<ControllerMonster>(
        "Records/Controllers/Monster/Coward.dbr");
    EXPECT_EQ(coward->GetMaxFleeCount(), 7u);
    EXPECT_EQ(coward->GetFleeBehavior(), FleeWhenEnemyClose);
    EXPECT_EQ(coward->GetFleeTarget(), AwayFromEnemy);
    EXPECT_EQ(coward->GetBuffAllyTargeting(), BuffWeakest);
    EXPECT_EQ(coward->GetDebuffEnemyBehavior(), WhenIdle);
    EXPECT_EQ(coward->GetLeaderBehavior(), LeadOnDamage);
    EXPECT_EQ(coward->GetDistressResponseBehavior(), RespondToSameGroup);

    database.WriteRecord(
        "Records/Controllers/Monster/Odd.dbr",
        {"Class = ControllerMonster", "DistressResponseBehavior = respondtosametype"});
    auto* odd = ObjectManager::Instance().CreateObjectFromFile<ControllerMonster>(
        "Records/Controllers/Monster/Odd.dbr");
    EXPECT_EQ(odd->GetDistressResponseBehavior(), RespondToAll);
}

class MonsterProbe : public ControllerMonster {
public:
    using ControllerMonster::AngerUpdate;
    using ControllerMonster::FindEnemy;
    using ControllerMonster::FindEnemyUpdate;
    using ControllerMonster::TryToHealAlly;
};

// Counts what the controller asks of the executing state.
class CountingState : public ControllerAIStateT<ControllerAI, Character> {
public:
    using ControllerAIStateT::ControllerAIStateT;
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    bool ShouldFindEnemy() override
    {
        ++findRounds;
        return false;
    }
    void ProjectileNotification(uint32_t /*projectileId*/) override { ++projectiles; }
    bool RespondsToFear() override { return true; }

    int findRounds = 0;
    int projectiles = 0;
};

// A monster at (0, 0, 0) thinking with a probe loaded from the test's record lines.
class MonsterDecisionsTest : public AiWorldFixture {
protected:
    void Think(const std::string& lines)
    {
        self = Make("Self", 0, 0);
        controller = std::make_unique<MonsterProbe>();
        LoadTable table;
        table.Parse(lines, "Probe.dbr");
        controller->Load(table);
        controller->SetParentId(self->GetObjectId());
        state = new CountingState(controller.get());
        controller->AddState("Counting", state);
        controller->SetState("Counting", ControllerAIStateData());
    }

    void TearDown() override
    {
        controller.reset();
        DeathFixture::TearDown();
    }

    Monster* MakeFoe(float x)
    {
        Monster* foe = Make("Foe", x, 0);
        foe->SetTeam(TeamManager::DefaultPlayerTeam());
        return foe;
    }

    uint32_t MakeSkill(const std::string& name, bool enabled)
    {
        database.WriteRecord("Records/Skills/" + name + ".dbr", {"Class = ReachSkill"});
        Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>("Records/Skills/" +
                                                                             name + ".dbr");
        SkillState skillState;
        skillState.skillLevel = 1;
        skillState.enabled = enabled;
        skill->ReceiveStateUpdate(skillState, true);
        return skill->GetObjectId();
    }

    Monster* self = nullptr;
    std::unique_ptr<MonsterProbe> controller;
    CountingState* state = nullptr;
};

TEST_F(MonsterDecisionsTest, SpecialWaitsForTheEnemyItsTimeoutAndItsDelay)
{
    Think("");
    const uint32_t foe = MakeFoe(3)->GetObjectId();
    const uint32_t special = MakeSkill("Special", true);
    const uint32_t fallback = MakeSkill("Fallback", false);
    controller->SetSpecialAttackSkill(special, 2000, 500, 100, SkillUseRange_None);
    controller->SetDefaultAttackSkill(fallback);

    // The disabled default comes back: its state is never asked.
    controller->Update(3000);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->SetMostHatedEnemy(foe);
    controller->FindEnemy();
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(1999);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(1);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), special);

    controller->SetSpecialAttackCooldown(0, 500);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(500);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), special);
}

TEST_F(MonsterDecisionsTest, NoSkillAtAllLogsAndGivesZero)
{
    Think("");
    const uint32_t foe = MakeFoe(3)->GetObjectId();
    log.Clear();
    EXPECT_EQ(controller->ChooseBestSkill(foe, true), 0u);
    EXPECT_EQ(log.GetLines().size(), 0u);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), 0u);
    EXPECT_EQ(log.Count(2, "ControllerMonster::ChooseBestSkill picked an invalid skill for "
                           "Records/Creatures/Self.dbr"),
              1u);
}

TEST_F(MonsterDecisionsTest, BandBoundsAreExcludedAfterTheRadii)
{
    Think("");
    Monster* foe = MakeFoe(0);
    const float radii = self->GetExtents() + foe->GetExtents();
    const uint32_t id = foe->GetObjectId();
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(4.0f + radii, 0, 0)));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Medium));
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(3.5f + radii, 0, 0)));
    EXPECT_TRUE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(radii, 0, 0)));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    EXPECT_TRUE(controller->IsSkillInProperRange(999, SkillUseRange_None));
    EXPECT_FALSE(controller->IsSkillInProperRange(999, SkillUseRange_Short));
}

TEST_F(MonsterDecisionsTest, SightAngerGrowsPerPeriodAndTheTimerKeepsTheRest)
{
    Think("ForgiveRate = 0\nViewDistance = 20");
    Monster* foe = MakeFoe(10);
    // Without "MaxPursuitDistance" every character is in range.
    EXPECT_TRUE(controller->InPursuitRange(foe->GetObjectId()));
    EXPECT_FLOAT_EQ(controller->ProcessAngerTarget(*foe, 200), 3.8f);

    controller->AngerUpdate(450);
    EXPECT_EQ(controller->GetAngerTimer(), 150.0f);
    // 11.4 in all: above 11.3, not above 11.5.
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(11.5f), nullptr);
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(11.3f), foe);
}

// An anger round reads the monster's own place and its home once for all the foes in sight; the
// next round sees where both have gone since, as a question outside any round does.
TEST_F(MonsterDecisionsTest, EachAngerRoundSeesWhereTheMonsterAndItsHomeAreNow)
{
    Think("ForgiveRate = 0\nViewDistance = 20\nInnerViewDistance = 5\nInnerSightAngerRate = 100\n"
          "SightAngerRate = 10\nMaxPursuitDistance = 9");
    Monster* foe = MakeFoe(4);
    const uint32_t id = foe->GetObjectId();
    struct Row {
        float selfX;
        float homeX;
    };
    std::vector<float> grown;
    int32_t elapsedMs = 200;
    for (const Row& row : {Row{0, 0}, Row{-8, 0}, Row{-8, -8}}) {
        SCOPED_TRACE(row.selfX + row.homeX);
        self->SetPathPosition(At(row.selfX, 0));
        self->SetSpawnPoint(WorldCoords(At(row.homeX, 0)));
        const float before = controller->GetAngerManager().GetAnger(id);
        // Two periods a round: the first from a timer at 0, the others from one at 200.
        const float expected = 2.0f * controller->ProcessAngerTarget(*foe, 200);
        controller->AngerUpdate(std::exchange(elapsedMs, 400));
        grown.push_back(controller->GetAngerManager().GetAnger(id) - before);
        EXPECT_NEAR(grown.back(), expected, 1e-4f);
    }
    // Nearby, farther off, then beyond pursuit from the moved home.
    EXPECT_GT(grown[0], grown[1]);
    EXPECT_GT(grown[1], 0.0f);
    EXPECT_EQ(grown[2], 0.0f);
}

TEST_F(MonsterDecisionsTest, HugeTimesSaturate)
{
    Think("ViewDistance = 20");
    Monster* foe = MakeFoe(10);
    // 10,737,419 periods: their 2,147,483,800 ms reach the table as 2,147,483,647, so the
    // anger fades instead of growing by a wrapped negative time.
    controller->AngerUpdate(2147483647);
    EXPECT_GE(controller->GetAngerTimer(), 0.0f);
    EXPECT_LT(controller->GetAngerTimer(), 400.0f);
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(0.0f), nullptr);

    controller->AddState("Scared", new CountingState(controller.get()));
    controller->ScareMe(foe->GetObjectId(), 1.0e12f);
    EXPECT_EQ(controller->GetScareTimer(), 2147483647);
    EXPECT_TRUE(controller->StillScared());
    EXPECT_EQ(controller->GetCurrentEnemy(), foe->GetObjectId());
}

TEST_F(MonsterDecisionsTest, FindRoundsCatchUpTwiceAtMost)
{
    Think("");
    controller->FindEnemyUpdate(1000);
    EXPECT_EQ(state->findRounds, 2);
    EXPECT_EQ(controller->GetFindEnemyTimer(), 200);
    controller->FindEnemyUpdate(350);
    EXPECT_EQ(state->findRounds, 3);
    EXPECT_EQ(controller->GetFindEnemyTimer(), 50);
}

TEST_F(MonsterDecisionsTest, AnAllyExactlyAtTheThresholdIsNotHealed)
{
    Think("healAllyHealthPercentage = 50");
    controller->AddTemporaryState("UseSkillOnAlly", new CountingState(controller.get()));
    Monster* ally = Make("Ally", 2, 0, {"characterLife = 100"});
    ally->ForceSpeedUpdate();
    ally->SubtractLife(50.0f, PlayStatsDamageType{});
    controller->TryToHealAlly();
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    ally->SubtractLife(1.0f, PlayStatsDamageType{});
    controller->TryToHealAlly();
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 1u);
}

TEST_F(MonsterDecisionsTest, AProjectileInTheDodgeCooldownOnlyRestartsIt)
{
    Think("");
    controller->ProjectileNotification(0);
    EXPECT_EQ(state->projectiles, 1);
    EXPECT_EQ(controller->GetDodgeCooldown(), 5000);
    controller->Update(1000);
    controller->ProjectileNotification(0);
    EXPECT_EQ(state->projectiles, 1);
    EXPECT_EQ(controller->GetDodgeCooldown(), 5000);
}

TEST_F(MonsterDecisionsTest, MiscDropsFollowTheirChanceAndThePerMemberItemComesOnce)
{
    AiItemRecorder recorder;
    database.WriteRecord("Records/Items/Ring.dbr", {"Class = ItemEquipment"});
    database.WriteRecord("Records/Items/Charm.dbr", {"Class = ItemEquipment"});
    Think("");
    Monster* dying =
        Make("Dying", 1, 0,
             {"chanceToEquipMisc1 = 0", "lootMisc1Item1 = Records/Items/Charm.dbr",
              "chanceToEquipMisc1Item1 = 100", "chanceToEquipMisc2 = 100",
              "lootMisc2Item1 = Records/Items/Ring.dbr", "chanceToEquipMisc2Item1 = 100",
              "perPartyMemberDropItemName = Records/Items/Charm.dbr"});
    controller->SetParentId(dying->GetObjectId());
    controller->CreateDropMiscItems();
    ASSERT_EQ(recorder.drops.size(), 2u);
    EXPECT_EQ(recorder.drops[0].baseName, "Records/Items/Ring.dbr");
    EXPECT_EQ(recorder.drops[1].baseName, "Records/Items/Charm.dbr");
    EXPECT_NE(recorder.drops[0].id, recorder.drops[1].id);
}

constexpr uint32_t kAna = 0x10000001;
constexpr uint32_t kBob = 0x20000001;
constexpr uint32_t kCy = 0x30000001;
constexpr uint32_t kDee = 0x40000001;

class ControllerMonsterLootTest : public DeathFixture {
protected:
    static PlayerNetBasicInfo Player(uint32_t id, uint32_t party)
    {
        PlayerNetBasicInfo record;
        record.playerId = id;
        record.partyId = static_cast<int32_t>(party);
        record.position = WorldVec3(kRegion, Vec3());
        return record;
    }

    // The names of the items the monster drops when the attacker killed it.
    std::vector<std::string> DropsWhenKilledBy(uint32_t attackerId)
    {
        database.WriteRecord("Records/Items/Charm.dbr", {"Class = ItemEquipment"});
        Monster* dying = Spawn<Monster>("Records/Creatures/Dying.dbr",
                                        {"perPartyMemberDropItemName = Records/Items/Charm.dbr"});
        dying->SetPathPosition(WorldVec3(kRegion, Vec3(1, 0, 0)));
        dying->GetCombatManager().SetAttacker(attackerId);
        auto controller = std::make_unique<ControllerMonster>();
        controller->SetParentId(dying->GetObjectId());

        AiItemRecorder recorder;
        controller->CreateDropMiscItems();

        std::vector<std::string> names;
        for (const ItemReplicaInfo& item : recorder.drops) {
            names.push_back(item.baseName);
            for (const ItemReplicaInfo& other : recorder.drops) {
                if (&other != &item) {
                    EXPECT_NE(other.id, item.id);
                }
            }
        }
        return names;
    }
};

TEST_F(ControllerMonsterLootTest, EveryMemberOfTheKillersPartyGetsACopy)
{
    Game().GetPlayerManagerClient()->HandlePlayerUpdate(
        {Player(kAna, kAna), Player(kBob, kAna), Player(kCy, kAna), Player(kDee, 0)});
    const std::string charm = "Records/Items/Charm.dbr";
    EXPECT_EQ(DropsWhenKilledBy(kBob), std::vector<std::string>(3, charm));
    EXPECT_EQ(DropsWhenKilledBy(kDee), std::vector<std::string>(1, charm));
}

} // namespace
} // namespace GAME::Test
