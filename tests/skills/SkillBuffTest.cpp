#include "skills/SkillBuff.h"

#include "ai/ControllerCombat.h"
#include "characters/Monster.h"
#include "combat/CombatManager.h"
#include "combat/DurationDamageManager.h"
#include "combat/DurationDamageReplication.h"
#include "skills/SkillBuff_Contageous.h"
#include "skills/SkillBuff_PassiveShield.h"
#include "skills/Skill_Modifier.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/SkillsFixture.h"

#include <cstdint>

namespace GAME::Test {

// A buff that may be dispelled, as the passive and debuff kinds are.
class DispelTestBuff : public SkillBuff {
    GAME_DECLARE_CLASS(DispelTestBuff)

public:
    void DispelBuff(Character&) override { RequestDispel(); }
};

GAME_IMPLEMENT_CLASS(DispelTestBuff, SkillBuff);

// A debuff whose tick kills its receiver, taking every buff down inside the update walk.
class KillingTestBuff : public SkillBuff {
    GAME_DECLARE_CLASS(KillingTestBuff)

public:
    void Update(Character& owner, int32_t elapsedMs) override
    {
        SkillBuff::Update(owner, elapsedMs);
        owner.GetSkillManager().ImDead();
        updates.push_back(GetObjectId());
    }
    static std::vector<uint32_t> updates;
};

std::vector<uint32_t> KillingTestBuff::updates;

GAME_IMPLEMENT_CLASS(KillingTestBuff, SkillBuff);

namespace {

constexpr const char* kShield = "Records/Skills/Buffs/Shield.dbr";
constexpr const char* kHold = "Records/Skills/Buffs/Hold.dbr";
constexpr const char* kPoison = "Records/Skills/Buffs/Poison.dbr";
constexpr const char* kSnare = "Records/Skills/Buffs/Snare.dbr";
constexpr const char* kBlessing = "Records/Skills/Buffs/Blessing.dbr";
constexpr const char* kCurse = "Records/Skills/Buffs/Curse.dbr";
constexpr const char* kWard = "Records/Skills/Buffs/Ward.dbr";
constexpr const char* kMod = "Records/Skills/Buffs/WardMod.dbr";
constexpr const char* kHex = "Records/Skills/Buffs/Hex.dbr";
constexpr const char* kBane = "Records/Skills/Buffs/Bane.dbr";
constexpr const char* kRot = "Records/Skills/Buffs/Rot.dbr";
constexpr const char* kA = "Records/Skills/A.dbr";
constexpr const char* kB = "Records/Skills/B.dbr";
constexpr const char* kTough = "Records/Creatures/Tough.dbr";

// A receiver who learnt two passive skills, A and B, and the buffs cast on it by 77.
class SkillManagerBuffsTest : public SkillsFixture {
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
        database.WriteRecord(kWard, {"Class = SkillBuff", "damageAbsorption = 10",
                                     "damageAbsorptionPercent = 30;40",
                                     "physicalDamageQualifier = 1", "allSkillEnhancement = 2"});
        database.WriteRecord(kMod, {"Class = Skill_Modifier"});
        database.WriteRecord(kHex, {"Class = DispelTestBuff"});
        database.WriteRecord(kBane, {"Class = KillingTestBuff"});
        database.WriteRecord(kRot, {"Class = KillingTestBuff"});
        database.WriteRecord(kA, {"Class = Skill_Passive"});
        database.WriteRecord(kB, {"Class = Skill_Passive"});
        character =
            Made(DynamicCast<SkillsTarget>(ObjectManager::Instance().CreateObject("SkillsTarget")),
                 "the receiver");
        manager().LoadSkills(Tree({{kA, 1}, {kB, 1}}), 2);
    }

    SkillManager& manager() { return character->GetSkillManager(); }
    void Cast(const std::string& name, uint32_t level, int32_t ttl, const std::string& mod = "",
              uint32_t modLevel = 0)
    {
        manager().CreateRemoveSkillBuff(0, name, level, mod, modLevel, "", 0, ttl, 77, false);
    }
    void Remove(const std::string& name) { Cast(name, 0, 0); }
    Skill* Learned(const char* name) { return manager().GetSkill(manager().FindSkillId(name)); }

    SkillsTarget* character = nullptr;
};

class SkillBuffTest : public SkillManagerBuffsTest {
protected:
    void SetUp() override
    {
        SkillManagerBuffsTest::SetUp();
        manager().SetAsControllingManager();
    }
};

TEST_F(SkillBuffTest, AShieldOf50BreaksOnTheThirdHitOf20AndGoesOnTheNextUpdate)
{
    Cast(kShield, 1, 10000);
    auto* shield =
        Made(dynamic_cast<SkillBuff_PassiveShield*>(manager().GetSkillBuff(kShield)), kShield);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Fire), 20.0f);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_FLOAT_EQ(shield->ModifyDamage(20.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_TRUE(manager().IsSkillBuffActive(kShield));
    manager().Update(1);
    EXPECT_FALSE(manager().IsSkillBuffActive(kShield));
    ObjectManager::Instance().ProcessDestroyedObjects();
}

TEST_F(SkillBuffTest, ImmobiliseRenewsEvery100Ms)
{
    Cast(kHold, 1, 0);
    DurationDamageManager& durations = character->GetDurationDamageMgr();
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
    durations.Clear();
    manager().Update(100);
    EXPECT_EQ(runs().size(), 1u);
}

TEST_F(SkillBuffTest, ADebuffAttacksEverySecondAsTheCasterRolledFromTheReceiversId)
{
    Cast(kPoison, 1, 0);
    manager().Update(1);
    manager().Update(1000);
    ASSERT_EQ(character->attacks.size(), 2u);
    // Any machine seeds the same generator with the same id.
    RandomUniform generator;
    generator.Seed(character->GetObjectId());
    ParametersCombat expected(generator);
    for (const SkillsTarget::Attack& attack : character->attacks) {
        EXPECT_EQ(attack.attackerId, 77u);
        EXPECT_EQ(attack.seed, expected.attributes.GetSeed());
    }
}

TEST_F(SkillBuffTest, ATrapOf5000AgainstResistance40LastsOnly3000)
{
    database.WriteRecord(kTough, {"Class = Character", "defensiveTrap = 40"});
    auto* tough = Made(ObjectManager::Instance().CreateObjectFromFile<Character>(kTough), kTough);
    tough->GetSkillManager().SetAsControllingManager();
    tough->GetSkillManager().CreateRemoveSkillBuff(0, kSnare, 1, "", 0, "", 0, 5000, 77, false);
    SkillBuff* snare = Made(tough->GetSkillManager().GetSkillBuff(kSnare), kSnare);
    EXPECT_EQ(snare->GetTimeToLiveRemaining(), 3000);

    // A mirror leaves the time as the command gave it.
    auto* mirror = ObjectManager::Instance().CreateObjectFromFile<Character>(kTough);
    mirror->GetSkillManager().CreateRemoveSkillBuff(0, kSnare, 1, "", 0, "", 0, 5000, 77, false);
    SkillBuff* copy = Made(mirror->GetSkillManager().GetSkillBuff(kSnare), kSnare);
    EXPECT_EQ(copy->GetTimeToLiveRemaining(), 5000);
    // It counts down past its end but waits for the command.
    mirror->GetSkillManager().Update(6000);
    EXPECT_EQ(copy->GetTimeToLiveRemaining(), -1000);
    EXPECT_TRUE(mirror->IsSkillBuffActive(kSnare));
}

TEST_F(SkillBuffTest, DispelsTakeOffTheirOwnKindUnlessTheRecordForbids)
{
    Cast(kBlessing, 1, 0);
    Cast(kPoison, 1, 0);
    Cast(kCurse, 1, 0);
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
        GiveController<ControllerCombat>(*monster);
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
    victim->GetSkillManager().Update(1000);
    EXPECT_EQ(Infected(), 3u);
    for (Monster* ally : {allies[0], allies[2]}) {
        SkillBuff* caught = Made(ally->GetSkillManager().GetSkillBuff(kPlague), kPlague);
        EXPECT_EQ(caught->GetCasterId(), victim->GetObjectId());
        EXPECT_EQ(caught->GetTimeToLiveTotal(), 3000);
    }
    auto* source =
        dynamic_cast<SkillBuff_Contageous*>(victim->GetSkillManager().GetSkillBuff(kPlague));
    EXPECT_EQ(Made(source, kPlague)->GetSpreadsLeft(), 3);
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

TEST_F(SkillManagerBuffsTest, TheFilterCutsThenCapsAndPassesOtherDamage)
{
    Cast(kWard, 1, 5000);
    SkillBuff* ward = Made(manager().GetSkillBuff(kWard), kWard);
    EXPECT_FLOAT_EQ(ward->ModifyDamage(100.0f, CombatAttributeType_Physical), 60.0f);
    EXPECT_FLOAT_EQ(ward->ModifyDamage(5.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_FLOAT_EQ(ward->ModifyDamage(100.0f, CombatAttributeType_Fire), 100.0f);
    // Installed as the receiver's filter, with two levels on every learned skill.
    const auto& filters = character->GetCombatManager().GetCombatFilters();
    EXPECT_EQ(std::count(filters.begin(), filters.end(), ward), 1);
    EXPECT_EQ(Learned(kA)->GetAugmentedLevel(), 2u);
    Remove(kWard);
    EXPECT_EQ(std::count(filters.begin(), filters.end(), ward), 0);
    EXPECT_EQ(Learned(kA)->GetAugmentedLevel(), 0u);
}

TEST_F(SkillManagerBuffsTest, RecastRefreshesTimesAndStatesAndOneBuffWhateverTheSpelling)
{
    Cast(kWard, 1, 5000, kMod, 3);
    SkillBuff* ward = Made(manager().GetSkillBuff(kWard), kWard);
    ASSERT_EQ(ward->GetModifiers().size(), 1u);
    EXPECT_EQ(manager().GetUITempSkillList(), std::vector<uint32_t>{ward->GetObjectId()});
    auto* mod =
        Made(ObjectManager::Instance().GetObject<Skill_Modifier>(ward->GetModifiers()[0]), kMod);

    // Same level: the buff's own state stays, its time and the modifier's state are renewed.
    ward->ReceiveActiveUpdate(character, SkillActiveState{1, false, false}, true);
    mod->ReceiveStateUpdate(SkillState{3, false}, true);
    ward->Update(*character, 1000);
    Cast("records\\SKILLS\\buffs\\ward.dbr", 1, 8000, kMod, 3);
    EXPECT_EQ(manager().GetSkillBuffCount(), 1u);
    EXPECT_EQ(ward->GetTimeToLiveRemaining(), 8000);
    EXPECT_EQ(ward->GetTimeToLiveTotal(), 8000);
    EXPECT_FALSE(ward->GetSkillActiveState().active);
    EXPECT_TRUE(mod->GetSkillState().enabled);
    // A new level updates the buff too, and its filter reads the new level.
    Cast(kWard, 2, 8000, kMod, 3);
    EXPECT_EQ(ward->GetCurrentLevel(), 2u);
    EXPECT_TRUE(ward->GetSkillActiveState().active);
    EXPECT_FLOAT_EQ(ward->GetDamageAbsorptionPercent(), 40.0f);

    Remove("RECORDS/Skills/Buffs/WARD.dbr");
    EXPECT_FALSE(manager().IsSkillBuffActive(kWard));
    EXPECT_TRUE(manager().GetUITempSkillList().empty());
    Remove(kWard); // absent: nothing happens
    character->SetLifeState(LifeState_Dead);
    Cast(kWard, 1, 5000);
    EXPECT_EQ(manager().GetSkillBuffCount(), 0u);
}

TEST_F(SkillManagerBuffsTest, RemovalsInsideWalksAreSanitizerClean)
{
    manager().SetAsControllingManager();
    // Expiry: the buff's own update sends the removal, which runs at once.
    Cast(kWard, 1, 100);
    Cast(kHex, 1, 0);
    manager().Update(110);
    EXPECT_FALSE(manager().IsSkillBuffActive(kWard));
    // Total time 0 never expires.
    manager().Update(1000000);
    EXPECT_TRUE(manager().IsSkillBuffActive(kHex));
    Remove(kHex);

    Cast(kWard, 1, 5000, kMod, 1);
    Cast(kHex, 1, 5000);
    const uint32_t wardId = manager().GetSkillBuff(kWard)->GetObjectId();
    manager().ImDead();
    EXPECT_EQ(manager().GetSkillBuffCount(), 0u);
    EXPECT_TRUE(manager().GetUITempSkillList().empty());
    EXPECT_TRUE(character->GetCombatManager().GetCombatFilters().empty());
    EXPECT_EQ(Learned(kB)->GetAugmentedLevel(), 0u);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject(wardId), nullptr);

    // The first killing tick takes both down; the second buff is never visited.
    KillingTestBuff::updates.clear();
    Cast(kBane, 1, 0);
    Cast(kRot, 1, 0);
    manager().Update(10);
    EXPECT_EQ(KillingTestBuff::updates.size(), 1u);
    EXPECT_EQ(manager().GetSkillBuffCount(), 0u);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

TEST_F(SkillManagerBuffsTest, ReplicasCreateEachBuffOnceAndAMirrorWaitsForTheCommand)
{
    Cast(kWard, 2, 5000, kMod, 3);
    std::vector<SkillManager::_SkillBuffReplica> replicas;
    manager().GetSkillBuffReplica(replicas);
    ASSERT_EQ(replicas.size(), 1u);
    EXPECT_EQ(replicas[0].timeToLive, 0);

    auto* mirror = NewCharacter();
    replicas.push_back(replicas[0]);
    replicas.back().buff.skillName = "records\\skills\\buffs\\WARD.dbr";
    replicas.push_back(replicas[0]);
    replicas.back().buff.skillName = "Records/Skills/Nothing.dbr";
    LogCapture log;
    mirror->GetSkillManager().SetSkillBuffReplica(replicas);
    EXPECT_EQ(mirror->GetSkillManager().GetSkillBuffCount(), 1u);
    EXPECT_EQ(log.Count(2, "SkillManager: " + mirror->GetObjectName() +
                               " already holds buff (records\\skills\\buffs\\WARD.dbr); skipped"),
              1u);
    EXPECT_EQ(Made(mirror->GetSkillManager().GetSkillBuff(kWard), kWard)->GetCasterId(), 77u);
    mirror->GetSkillManager().Update(100000);
    EXPECT_TRUE(mirror->IsSkillBuffActive(kWard));
    mirror->CreateRemoveSkillBuff(0, kWard, 0, "", 0, "", 0, 0, 0);
    EXPECT_FALSE(mirror->IsSkillBuffActive(kWard));
}

TEST_F(SkillManagerBuffsTest, AugmentsSkipTheExactNameOnly)
{
    manager().SetAllSkillAugment(3, kA);
    EXPECT_EQ(Learned(kA)->GetAugmentedLevel(), 0u);
    EXPECT_EQ(Learned(kB)->GetAugmentedLevel(), 3u);
    manager().SetAllSkillAugment(1, "records/skills/a.dbr");
    EXPECT_EQ(Learned(kA)->GetAugmentedLevel(), 1u);
    manager().RemoveAllSkillAugment(4, "");
    EXPECT_EQ(Learned(kB)->GetAugmentedLevel(), 0u);
    character->SetSkillLevelAugment("records\\skills\\b.dbr", 2);
    EXPECT_EQ(Learned(kB)->GetAugmentedLevel(), 2u);
}

TEST_F(SkillManagerBuffsTest, MasteriesStepOncePerCall)
{
    manager().Load(Record("masteryIncrementLevel = 10;20\n"));
    for (const auto& [level, allowed] : {std::pair{9, 0u}, {25, 1u}, {25, 2u}, {25, 2u}}) {
        manager().UpdateMasteriesAllowed(level);
        EXPECT_EQ(manager().GetSkillMasteriesAllowed(), allowed) << level;
    }
}

TEST_F(SkillManagerBuffsTest, ReclamationPricesByTierAndRefusesShortMoney)
{
    manager().Load(
        Record("reclamationPointTiers = 0;10;20\nreclamationPointCosts = 100;200;300\n"));
    for (const auto& [used, cost] : {std::pair{9u, 100u}, std::pair{10u, 200u}}) {
        manager().SetSkillReclamationPointsUsed(used);
        EXPECT_EQ(manager().GetCurrentSkillReclamationCost(), cost) << used;
    }
    character->AddMoney(1000);
    manager().SetSkillReclamationPointsUsed(9);
    EXPECT_TRUE(manager().UseReclamationPoints(2));
    EXPECT_EQ(character->GetCurrentMoney(), 700u);
    EXPECT_EQ(manager().GetSkillReclamationPointsUsed(), 11u);
    EXPECT_FALSE(manager().UseReclamationPoints(4)); // 800 > 700
    EXPECT_EQ(manager().GetSkillReclamationPointsUsed(), 11u);
    EXPECT_FALSE(manager().UseReclamationPoints(INT32_MAX));
    manager().SetSkillReclamationPointsUsed(1);
    EXPECT_TRUE(manager().UseReclamationPoints(-3));
    EXPECT_EQ(manager().GetSkillReclamationPointsUsed(), 0u);
    EXPECT_EQ(character->GetCurrentMoney(), 800u);
    manager().Load(Record("reclamationPointTiers = 0\n"));
    EXPECT_EQ(manager().GetCurrentSkillReclamationCost(), 0u);
}

} // namespace

} // namespace GAME::Test
