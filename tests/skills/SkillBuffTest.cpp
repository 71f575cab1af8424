#include "skills/SkillBuff.h"

#include "characters/Character.h"
#include "combat/DurationDamageManager.h"
#include "combat/DurationDamageReplication.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "skills/SkillBuff_DebufTrap.h"
#include "skills/SkillBuff_PassiveShield.h"
#include "skills/SkillManager.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// Keeps every attack it takes instead of suffering it.
class AttackRecordingCharacter : public Character {
    GAME_DECLARE_CLASS(AttackRecordingCharacter)

public:
    bool TakeAttack(ParametersCombat& parameters) override
    {
        attacks.push_back({parameters.attackerId, parameters.attributes.GetSeed()});
        return true;
    }
    std::vector<std::pair<uint32_t, uint32_t>> attacks; // attacker, seed
};

GAME_IMPLEMENT_CLASS(AttackRecordingCharacter, Character);

namespace {

constexpr const char* kShield = "Records/Skills/Buffs/Shield.dbr";
constexpr const char* kHold = "Records/Skills/Buffs/Hold.dbr";
constexpr const char* kPoison = "Records/Skills/Buffs/Poison.dbr";
constexpr const char* kSnare = "Records/Skills/Buffs/Snare.dbr";
constexpr const char* kBlessing = "Records/Skills/Buffs/Blessing.dbr";
constexpr const char* kCurse = "Records/Skills/Buffs/Curse.dbr";
constexpr const char* kTough = "Records/Creatures/Tough.dbr";

class SkillBuffTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        database.WriteRecord(kShield, {"Class = SkillBuff_PassiveShield", "damageAbsorption = 50",
                                       "physicalDamageQualifier = 1"});
        database.WriteRecord(kHold, {"Class = SkillBuff_BuffImmobilize"});
        database.WriteRecord(kPoison, {"Class = SkillBuff_Debuf"});
        database.WriteRecord(kSnare, {"Class = SkillBuff_DebufTrap"});
        database.WriteRecord(kBlessing, {"Class = SkillBuff_Passive"});
        database.WriteRecord(kCurse, {"Class = SkillBuff_Debuf", "notDispelable = 1"});
        receiver = static_cast<AttackRecordingCharacter*>(
            ObjectManager::Instance().CreateObject("AttackRecordingCharacter"));
        ASSERT_NE(receiver, nullptr);
        manager().SetAsControllingManager();
    }

    SkillManager& manager() { return receiver->GetSkillManager(); }
    void Cast(const std::string& name, int32_t ttl)
    {
        manager().CreateRemoveSkillBuff(0, name, 1, "", 0, "", 0, ttl, 77, false);
    }

    AttackRecordingCharacter* receiver = nullptr;
};

TEST_F(SkillBuffTest, EveryVariantIsMadeByClassNameWithItsDisplayName)
{
    const std::vector<std::pair<const char*, const char*>> kinds = {
        {"SkillBuff", "^bSkill Buff"},
        {"SkillBuff_Passive", "^bSkill Buff Passive"},
        {"SkillBuff_BuffImmobilize", "^bSkill Buff Immobilize"},
        {"SkillBuff_PassiveShield", "^bSkill Buff Passive Shield"},
        {"SkillBuff_Debuf", "^bSkill Buff Debuf"},
        {"SkillBuff_Contageous", "^bSkill Buff Contageous"},
        {"SkillBuff_DebufTrap", "^bSkill DeBuff Trap"},
        {"SkillBuff_DebufFreeze", "^bSkill DeBuff Freeze"}};
    for (const auto& [kind, display] : kinds) {
        auto* buff = dynamic_cast<SkillBuff*>(ObjectManager::Instance().CreateObject(kind));
        ASSERT_NE(buff, nullptr) << kind;
        EXPECT_STREQ(buff->GetDisplayName(), display);
        EXPECT_EQ(buff->GetTimeToLiveTotal(), 0);
        ObjectManager::Instance().DestroyObjectEx(buff, __FILE__, __LINE__);
    }
}

TEST_F(SkillBuffTest, AShieldOf50BreaksOnTheThirdHitOf20AndGoesOnTheNextUpdate)
{
    Cast(kShield, 10000);
    auto* shield = dynamic_cast<SkillBuff_PassiveShield*>(manager().GetSkillBuff(kShield));
    ASSERT_NE(shield, nullptr);
    EXPECT_FLOAT_EQ(shield->GetShieldLeft(), 50.0f);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Fire), 20.0f);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_EQ(shield->GetTimeToLiveTotal(), 10000);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_FLOAT_EQ(shield->GetShieldLeft(), -10.0f);
    EXPECT_EQ(shield->GetTimeToLiveRemaining(), 0);
    EXPECT_EQ(shield->GetTimeToLiveTotal(), 1);
    EXPECT_TRUE(manager().IsSkillBuffActive(kShield));
    manager().Update(1);
    EXPECT_FALSE(manager().IsSkillBuffActive(kShield));
    ObjectManager::Instance().ProcessDestroyedObjects();
}

TEST_F(SkillBuffTest, ImmobiliseRenewsEvery100Ms)
{
    Cast(kHold, 0);
    DurationDamageManager& durations = receiver->GetDurationDamageMgr();
    auto runs = [&] {
        std::vector<FixedDurationDamageReplication> out;
        durations.GetFixedDamageReplica(out);
        return out;
    };
    manager().Update(1);
    std::vector<FixedDurationDamageReplication> first = runs();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].damageType, CombatAttributeType_Immobilize);
    EXPECT_EQ(first[0].runs, (std::vector<DurationDamageInfo>{{1.0f, 2.0f}}));
    // 99 ms later nothing new; at 100 ms the hold is renewed.
    durations.Clear();
    manager().Update(99);
    EXPECT_TRUE(runs().empty());
    manager().Update(1);
    EXPECT_EQ(runs().size(), 1u);
}

TEST_F(SkillBuffTest, ADebuffAttacksEverySecondAsTheCasterRolledFromTheReceiversId)
{
    Cast(kPoison, 0);
    manager().Update(1);
    manager().Update(999);
    ASSERT_EQ(receiver->attacks.size(), 1u);
    manager().Update(1);
    ASSERT_EQ(receiver->attacks.size(), 2u);
    // Any machine seeds the same generator with the same id.
    RandomUniform generator;
    generator.Seed(receiver->GetObjectId());
    ParametersCombat expected(generator);
    for (const auto& [attacker, seed] : receiver->attacks) {
        EXPECT_EQ(attacker, 77u);
        EXPECT_EQ(seed, expected.attributes.GetSeed());
    }
}

TEST_F(SkillBuffTest, ATrapOf5000AgainstResistance40LastsOnly3000)
{
    database.WriteRecord(kTough, {"Class = Character", "defensiveTrap = 40"});
    auto* tough = ObjectManager::Instance().CreateObjectFromFile<Character>(kTough);
    ASSERT_NE(tough, nullptr);
    tough->GetSkillManager().SetAsControllingManager();
    tough->GetSkillManager().CreateRemoveSkillBuff(0, kSnare, 1, "", 0, "", 0, 5000, 77, false);
    SkillBuff* snare = tough->GetSkillManager().GetSkillBuff(kSnare);
    ASSERT_NE(snare, nullptr);
    EXPECT_EQ(snare->GetTimeToLiveRemaining(), 3000);
    EXPECT_EQ(snare->GetTimeToLiveTotal(), 5000);

    // A mirror leaves the time as the command gave it.
    auto* mirror = ObjectManager::Instance().CreateObjectFromFile<Character>(kTough);
    mirror->GetSkillManager().CreateRemoveSkillBuff(0, kSnare, 1, "", 0, "", 0, 5000, 77, false);
    SkillBuff* copy = mirror->GetSkillManager().GetSkillBuff(kSnare);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetTimeToLiveRemaining(), 5000);
    // It counts down past its end but waits for the command.
    mirror->GetSkillManager().Update(6000);
    EXPECT_EQ(copy->GetTimeToLiveRemaining(), -1000);
    EXPECT_TRUE(mirror->IsSkillBuffActive(kSnare));
}

TEST_F(SkillBuffTest, DispelsTakeOffTheirOwnKindUnlessTheRecordForbids)
{
    Cast(kBlessing, 0);
    Cast(kPoison, 0);
    Cast(kCurse, 0);
    manager().DispelSkillDeBuffs();
    EXPECT_TRUE(manager().IsSkillBuffActive(kBlessing));
    EXPECT_FALSE(manager().IsSkillBuffActive(kPoison));
    EXPECT_TRUE(manager().IsSkillBuffActive(kCurse));
    manager().DispelSkillBuffs();
    EXPECT_FALSE(manager().IsSkillBuffActive(kBlessing));
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace
} // namespace GAME::Test
