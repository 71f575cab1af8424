#include "ai/ControllerMonster.h"

#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

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
        ASSERT_NE(controller, nullptr);
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

TEST_F(ControllerMonsterTest, StartsWithEmptySlotsStandardBandsAndIgnoresRequirements)
{
    EXPECT_TRUE(controller->GetIgnoreEquipmentRequirements());
    EXPECT_EQ(controller->GetDefaultSkillId(), 0u);
    EXPECT_EQ(controller->GetShortRangeMax(), 4.0f);
    EXPECT_EQ(controller->GetMediumRangeMin(), 4.0f);
    EXPECT_EQ(controller->GetLongRangeMax(), 16.0f);
    EXPECT_EQ(controller->GetSpecialAttack(5).skill, 0u);
    EXPECT_EQ(controller->GetSpecialAttack(-1).skill, 0u);

    controller->SetSpecialAttack5Skill(9, 1200, 300, 40, SkillUseRange_Long);
    const ControllerMonster::SpecialAttack fifth = controller->GetSpecialAttack(4);
    EXPECT_EQ(fifth.skill, 9u);
    EXPECT_EQ(fifth.timeout, 1200);
    EXPECT_EQ(fifth.delay, 300);
    EXPECT_EQ(fifth.cooldown, 0);
    EXPECT_EQ(fifth.initialWait, 1200);
    EXPECT_EQ(fifth.chance, 40u);
    EXPECT_EQ(fifth.useRange, SkillUseRange_Long);
    controller->SetLifetime(7000);
    EXPECT_EQ(controller->GetLifetime(), 7000);
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
        ASSERT_NE(controller->GetAngerManager().GetNewTarget(10.0f), nullptr);
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
    ASSERT_NE(other->GetAngerManager().GetNewTarget(10.0f), nullptr);
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
    ASSERT_NE(first, nullptr);
    const uint32_t firstId = first->GetObjectId();

    controller->SetTreasureProxy("");
    EXPECT_EQ(controller->GetTreasureProxy(), first);
    controller->SetTreasureProxy("Records/Proxies/Chest.dbr");
    ASSERT_NE(controller->GetTreasureProxy(), nullptr);
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

} // namespace
} // namespace GAME::Test

namespace GAME::Test {
namespace {

TEST_F(ControllerMonsterTest, LoadDefaultsReplaceTheStartValues)
{
    EXPECT_EQ(controller->GetInnerSightAngerRate(), 20.0f);
    EXPECT_EQ(controller->GetMaxPursuitDistance(), 0.0f);
    EXPECT_EQ(controller->GetDodgeDelay(), 5000);
    EXPECT_EQ(controller->GetLeaderDistance(), 5.0f);
    EXPECT_EQ(controller->GetMinWanderDistance(), 2.0f);
    EXPECT_EQ(controller->GetEmoteWhenWaitingChance(), 50u);
    EXPECT_EQ(controller->GetBuffSelfBehavior(), NeverUseSkill);
    EXPECT_EQ(controller->GetDebuffEnemyBehavior(), NeverUseSkill);
    EXPECT_EQ(controller->GetMaxFleeCount(), 3u);
    EXPECT_EQ(controller->GetDistressResponseBehavior(), RespondToAll);
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
    ASSERT_NE(coward, nullptr);
    EXPECT_EQ(coward->GetMaxFleeCount(), 7u);
    EXPECT_EQ(coward->GetFleeBehavior(), FleeWhenEnemyClose);
    EXPECT_EQ(coward->GetFleeTarget(), AwayFromEnemy);
    EXPECT_EQ(coward->GetRoamBehavior(), Roam);
    EXPECT_EQ(coward->GetBuffAllyTargeting(), BuffWeakest);
    EXPECT_EQ(coward->GetDebuffEnemyBehavior(), WhenIdle);
    EXPECT_EQ(coward->GetLeaderBehavior(), LeadOnDamage);
    EXPECT_EQ(coward->GetDistressResponseBehavior(), RespondToSameGroup);

    database.WriteRecord(
        "Records/Controllers/Monster/Odd.dbr",
        {"Class = ControllerMonster", "DistressResponseBehavior = respondtosametype"});
    auto* odd = ObjectManager::Instance().CreateObjectFromFile<ControllerMonster>(
        "Records/Controllers/Monster/Odd.dbr");
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->GetDistressResponseBehavior(), RespondToAll);
}

} // namespace
} // namespace GAME::Test
