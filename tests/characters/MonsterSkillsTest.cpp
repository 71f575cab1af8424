#include "ai/ControllerMonster.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

namespace GAME::Test {

// A skill a monster record can name.
class MonsterRecordSkill : public Skill {
    GAME_DECLARE_CLASS(MonsterRecordSkill)

public:
    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
};

GAME_IMPLEMENT_CLASS(MonsterRecordSkill, Skill);

namespace {

constexpr const char* kBite = "Records/Skills/Bite.dbr";
constexpr const char* kRoar = "Records/Skills/Roar.dbr";
constexpr const char* kHeal = "Records/Skills/Heal.dbr";
constexpr uint32_t kDefaultSkill = 4242;

class MonsterSkillsTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (const char* record : {kBite, kRoar, kHeal})
            database.WriteRecord(record, {"Class = MonsterRecordSkill"});
        ObjectManager& objects = ObjectManager::Instance();
        monster = static_cast<Monster*>(objects.CreateObject("Monster"));
        controller = static_cast<ControllerMonster*>(objects.CreateObject("ControllerMonster"));
        ASSERT_NE(monster, nullptr);
        ASSERT_NE(controller, nullptr);
        monster->GetSkillManager().LoadSkills(Record(std::string("skillName1 = ") + kBite +
                                                     "\nskillName2 = " + kRoar +
                                                     "\nskillName3 = " + kHeal + "\n"),
                                              3);
        ASSERT_NE(Id(kBite), 0u);
    }

    uint32_t Id(const char* record) { return monster->GetSkillManager().FindSkillId(record); }

    void Init(const std::string& record)
    {
        monster->InitSkillsInController(Record(record), controller, kDefaultSkill);
    }

    Monster* monster = nullptr;
    ControllerMonster* controller = nullptr;
};

TEST_F(MonsterSkillsTest, OnlyTheAttackSkillGivesDefaultNormalAndTheStandardBands)
{
    // Set beforehand: an absent "chainBehavior" must not touch it.
    controller->SetChainBehavior(ChainedSkillBehavior_UseOnLeader);
    Init(std::string("attackSkillName = ") + kBite + "\n");

    EXPECT_EQ(controller->GetDefaultSkillId(), kDefaultSkill);
    EXPECT_EQ(controller->GetNormalAttackSkillId(), Id(kBite));
    EXPECT_EQ(controller->GetShortRangeMin(), 0.0f);
    EXPECT_EQ(controller->GetShortRangeMax(), 4.0f);
    EXPECT_EQ(controller->GetMediumRangeMin(), 4.0f);
    EXPECT_EQ(controller->GetMediumRangeMax(), 8.0f);
    EXPECT_EQ(controller->GetLongRangeMin(), 8.0f);
    EXPECT_EQ(controller->GetLongRangeMax(), 16.0f);
    EXPECT_EQ(controller->GetChainBehavior(), ChainedSkillBehavior_UseOnLeader);
    EXPECT_EQ(controller->GetHealSkillId(), 0u);
    for (int i = 0; i < ControllerMonster::kNumSpecialAttacks; ++i)
        EXPECT_EQ(controller->GetSpecialAttack(i).skill, 0u) << i;
}

TEST_F(MonsterSkillsTest, SpecialAttackTimesInMsChanceTruncatedAndRangeByExactWord)
{
    Init(std::string("specialAttack2SkillName = ") + kRoar +
         "\nspecialAttack2Timeout = 2.5\nspecialAttack2Delay = 0.75\n"
         "specialAttack2Chance = 33.9\nspecialAttack2Range = MediumRange\n"
         "specialAttack3SkillName = " +
         kBite + "\nspecialAttack3Range = mediumrange\nspecialAttack3Chance = -5\n" +
         "specialAttackSkillName = Records/Skills/Unknown.dbr\nspecialAttackTimeout = 9\n");

    uint32_t skill = 0, chance = 0;
    int32_t timeout = 0, delay = 0;
    SkillUseRange range = SkillUseRange_None;
    controller->GetSpecialAttack2SkillInfo(skill, timeout, delay, chance, range);
    EXPECT_EQ(skill, Id(kRoar));
    EXPECT_EQ(timeout, 2500);
    EXPECT_EQ(delay, 750);
    EXPECT_EQ(chance, 33u);
    EXPECT_EQ(range, SkillUseRange_Medium);
    // The first wait is the timeout; nothing has cooled down yet.
    EXPECT_EQ(controller->GetSpecialAttack(1).initialWait, 2500);
    EXPECT_EQ(controller->GetSpecialAttack(1).cooldown, 0);

    const ControllerMonster::SpecialAttack third = controller->GetSpecialAttack(2);
    EXPECT_EQ(third.skill, Id(kBite));
    EXPECT_EQ(third.useRange, SkillUseRange_None);
    EXPECT_EQ(third.chance, 0u);
    // A skill the monster does not hold leaves its slot empty.
    EXPECT_EQ(controller->GetSpecialAttack(0).skill, 0u);
    EXPECT_EQ(controller->GetSpecialAttack(0).timeout, 0);
}

TEST_F(MonsterSkillsTest, HealDelayDefaultsToThreeSecondsAndChainWordsAreExact)
{
    Init(std::string("healSkillName = ") + kHeal + "\nchainInitialSkill = " + kBite +
         "\nchainNextSkill = " + kRoar +
         "\nchainBehavior = UseOnSelfish\n"
         "buffOther2SkillName = " +
         kRoar + "\nlongRangeMax = 30\n");
    EXPECT_EQ(controller->GetHealSkillId(), Id(kHeal));
    EXPECT_EQ(controller->GetHealDelay(), 3000);
    EXPECT_EQ(controller->GetChainInitialSkill(), Id(kBite));
    EXPECT_EQ(controller->GetChainNextSkill(), Id(kRoar));
    EXPECT_EQ(controller->GetChainBehavior(), ChainedSkillBehavior_None);
    EXPECT_EQ(controller->GetBuffOther2SkillId(), Id(kRoar));
    EXPECT_EQ(controller->GetBuffOtherSkillId(), 0u);
    EXPECT_EQ(controller->GetLongRangeMax(), 30.0f);

    Init("chainBehavior = UseOnSelf\nhealSkillDelay = 1.25\nhealSkillName = " + std::string(kHeal) +
         "\n");
    EXPECT_EQ(controller->GetChainBehavior(), ChainedSkillBehavior_UseOnSelf);
    EXPECT_EQ(controller->GetHealDelay(), 1250);
    Init("chainBehavior = UseOnLeader\n");
    EXPECT_EQ(controller->GetChainBehavior(), ChainedSkillBehavior_UseOnLeader);
}

} // namespace
} // namespace GAME::Test
