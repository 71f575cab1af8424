#include "skills/SkillBuff.h"

#include "ai/ControllerCombat.h"
#include "characters/Monster.h"
#include "combat/DurationDamageManager.h"
#include "combat/DurationDamageReplication.h"
#include "skills/SkillBuff_Contageous.h"
#include "skills/SkillBuff_DebufTrap.h"
#include "skills/SkillBuff_PassiveShield.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/SkillsFixture.h"

namespace GAME::Test {
namespace {

constexpr const char* kShield = "Records/Skills/Buffs/Shield.dbr";
constexpr const char* kHold = "Records/Skills/Buffs/Hold.dbr";
constexpr const char* kPoison = "Records/Skills/Buffs/Poison.dbr";
constexpr const char* kSnare = "Records/Skills/Buffs/Snare.dbr";
constexpr const char* kBlessing = "Records/Skills/Buffs/Blessing.dbr";
constexpr const char* kCurse = "Records/Skills/Buffs/Curse.dbr";
constexpr const char* kTough = "Records/Creatures/Tough.dbr";

class SkillBuffTest : public SkillsFixture {
protected:
    void SetUp() override
    {
        SkillsFixture::SetUp();
        database.WriteRecord(kShield, {"Class = SkillBuff_PassiveShield", "damageAbsorption = 50",
                                       "physicalDamageQualifier = 1"});
        database.WriteRecord(kHold, {"Class = SkillBuff_BuffImmobilize"});
        database.WriteRecord(kPoison, {"Class = SkillBuff_Debuf"});
        database.WriteRecord(kSnare, {"Class = SkillBuff_DebufTrap"});
        database.WriteRecord(kBlessing, {"Class = SkillBuff_Passive"});
        database.WriteRecord(kCurse, {"Class = SkillBuff_Debuf", "notDispelable = 1"});
        receiver =
            DynamicCast<SkillsTarget>(ObjectManager::Instance().CreateObject("SkillsTarget"));
        ASSERT_NE(receiver, nullptr);
        manager().SetAsControllingManager();
    }

    SkillManager& manager() { return receiver->GetSkillManager(); }
    void Cast(const std::string& name, int32_t ttl)
    {
        manager().CreateRemoveSkillBuff(0, name, 1, "", 0, "", 0, ttl, 77, false);
    }

    SkillsTarget* receiver = nullptr;
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
    for (const SkillsTarget::Attack& attack : receiver->attacks) {
        EXPECT_EQ(attack.attackerId, 77u);
        EXPECT_EQ(attack.seed, expected.attributes.GetSeed());
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

constexpr const char* kPlague = "Records/Skills/Buffs/Plague.dbr";

class SkillBuffContageousTest : public DeathFixture {
protected:
    // A victim and three allies standing together, each with its own controller.
    void Pack(const std::string& limit, const std::string& maxSpread)
    {
        database.WriteRecord(kPlague, {"Class = SkillBuff_Contageous", "contagionInterval = 1",
                                       "contagionRadius = 10", "contagionLimit = " + limit,
                                       "contagionMaxSpread = " + maxSpread, "skillMaxLevel = 1",
                                       "skillActiveDuration = 3"});
        victim = Member("Records/Creatures/Victim.dbr");
        for (int i = 0; i < 3; ++i)
            allies.push_back(Member("Records/Creatures/Ally" + std::to_string(i) + ".dbr"));
    }

    Monster* Member(const std::string& path)
    {
        Monster* monster = Spawn(path, {});
        monster->SetTeam(TeamManager::DefaultMonsterTeam());
        auto* controller = static_cast<ControllerCombat*>(
            ObjectManager::Instance().CreateObject("ControllerCombat"));
        controller->AttachParent(monster->GetObjectId());
        monster->SetControllerId(controller->GetObjectId());
        return monster;
    }

    static void Infect(Character& who, uint32_t caster)
    {
        who.GetSkillManager().CreateRemoveSkillBuff(0, kPlague, 1, "", 0, "", 0, 3000, caster,
                                                    false);
    }

    size_t Infected() const
    {
        size_t count = 0;
        for (Monster* ally : allies)
            count += ally->IsSkillBuffActive(kPlague) ? 1 : 0;
        return count;
    }

    Monster* victim = nullptr;
    std::vector<Monster*> allies;
};

TEST_F(SkillBuffContageousTest, Limit2SkipsTheAllyAlreadyInfectedAndTakesTheOtherTwo)
{
    Pack("2", "5");
    Infect(*allies[1], 5);
    Infect(*victim, 77);
    victim->GetSkillManager().Update(999);
    EXPECT_EQ(Infected(), 1u);
    victim->GetSkillManager().Update(1);
    EXPECT_EQ(Infected(), 3u);
    for (Monster* ally : {allies[0], allies[2]}) {
        SkillBuff* caught = ally->GetSkillManager().GetSkillBuff(kPlague);
        ASSERT_NE(caught, nullptr);
        EXPECT_EQ(caught->GetCasterId(), victim->GetObjectId());
        EXPECT_EQ(caught->GetTimeToLiveTotal(), 3000);
        EXPECT_EQ(caught->GetCurrentLevel(), 1u);
    }
    auto* source =
        dynamic_cast<SkillBuff_Contageous*>(victim->GetSkillManager().GetSkillBuff(kPlague));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetSpreadsLeft(), 3);
}

TEST_F(SkillBuffContageousTest, MaxSpread1InfectsOneThenNever)
{
    Pack("5", "1");
    Infect(*victim, 77);
    victim->GetSkillManager().Update(1000);
    EXPECT_EQ(Infected(), 1u);
    for (Monster* ally : allies)
        ally->GetSkillManager().CreateRemoveSkillBuff(0, kPlague, 0, "", 0, "", 0, 0, 0, false);
    victim->GetSkillManager().Update(1000);
    victim->GetSkillManager().Update(1000);
    EXPECT_EQ(Infected(), 0u);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace
} // namespace GAME::Test
