#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "combat/CombatManager.h"
#include "core/GameLog.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "skills/SkillBuff.h"
#include "skills/Skill_Modifier.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

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

constexpr const char* kWard = "Records/Skills/Buffs/Ward.dbr";
constexpr const char* kMod = "Records/Skills/Buffs/WardMod.dbr";
constexpr const char* kHex = "Records/Skills/Buffs/Hex.dbr";
constexpr const char* kBane = "Records/Skills/Buffs/Bane.dbr";
constexpr const char* kRot = "Records/Skills/Buffs/Rot.dbr";
constexpr const char* kA = "Records/Skills/A.dbr";
constexpr const char* kB = "Records/Skills/B.dbr";

class SkillManagerBuffsTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        database.WriteRecord(kWard, {"Class = SkillBuff", "damageAbsorption = 10",
                                     "damageAbsorptionPercent = 30;40",
                                     "physicalDamageQualifier = 1", "allSkillEnhancement = 2"});
        database.WriteRecord(kMod, {"Class = Skill_Modifier"});
        database.WriteRecord(kHex, {"Class = DispelTestBuff"});
        database.WriteRecord(kBane, {"Class = KillingTestBuff"});
        database.WriteRecord(kRot, {"Class = KillingTestBuff"});
        database.WriteRecord(kA, {"Class = Skill_Passive"});
        database.WriteRecord(kB, {"Class = Skill_Passive"});
        character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        ASSERT_NE(character, nullptr);
        manager().LoadSkills(Record("skillName1 = Records/Skills/A.dbr\nskillLevel1 = 1\n"
                                    "skillName2 = Records/Skills/B.dbr\nskillLevel2 = 1\n"),
                             2);
    }

    SkillManager& manager() { return character->GetSkillManager(); }
    void Cast(const std::string& name, uint32_t level, int32_t ttl, const std::string& mod = "",
              uint32_t modLevel = 0)
    {
        manager().CreateRemoveSkillBuff(0, name, level, mod, modLevel, "", 0, ttl, 77, false);
    }
    void Remove(const std::string& name) { Cast(name, 0, 0); }
    Skill* Learned(const char* name) { return manager().GetSkill(manager().FindSkillId(name)); }

    Character* character = nullptr;
};

TEST_F(SkillManagerBuffsTest, TheFilterCutsThenCapsAndPassesOtherDamage)
{
    Cast(kWard, 1, 5000);
    SkillBuff* ward = manager().GetSkillBuff(kWard);
    ASSERT_NE(ward, nullptr);
    // The trace belongs to the combat log: nothing is written while it is off.
    {
        LogCapture quiet;
        EXPECT_FLOAT_EQ(ward->ModifyDamage(100.0f, CombatAttributeType_Physical), 60.0f);
        EXPECT_TRUE(quiet.GetLines().empty());
    }
    const uint32_t previousWord = gLogCombat;
    gLogCombat = 1;
    gEngine->SetLogCategories(gLogCombat);
    LogCapture log;
    EXPECT_FLOAT_EQ(ward->ModifyDamage(100.0f, CombatAttributeType_Physical), 60.0f);
    EXPECT_FLOAT_EQ(ward->ModifyDamage(5.0f, CombatAttributeType_Physical), 0.0f);
    EXPECT_FLOAT_EQ(ward->ModifyDamage(100.0f, CombatAttributeType_Fire), 100.0f);
    gEngine->SetLogCategories(0);
    gLogCombat = previousWord;
    EXPECT_EQ(log.Count(0, "^bShield: Reduced (100.000000) Damage by (30.000000%) percent, "
                           "remaining damage (70.000000)"),
              1u);
    EXPECT_EQ(log.Count(0, "^bShield: Absorbed (10.000000) of (70.000000) damage, max "
                           "absorption (10.000000)"),
              1u);
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
    SkillBuff* ward = manager().GetSkillBuff(kWard);
    ASSERT_NE(ward, nullptr);
    EXPECT_EQ(ward->GetCasterId(), 77u);
    EXPECT_EQ(ward->GetModifiers().size(), 1u);
    EXPECT_EQ(manager().GetUITempSkillList(), std::vector<uint32_t>{ward->GetObjectId()});
    EXPECT_EQ(manager().FindSkillId("RECORDS\\skills\\buffs\\ward.DBR"), ward->GetObjectId());
    auto* mod = ObjectManager::Instance().GetObject<Skill_Modifier>(ward->GetModifiers()[0]);
    ASSERT_NE(mod, nullptr);

    // Same level: the buff's own state stays, its time and the modifier's state are renewed.
    ward->ReceiveActiveUpdate(character, SkillActiveState{1, false, false}, true);
    mod->ReceiveStateUpdate(SkillState{3, false}, true);
    ward->Update(*character, 1000);
    EXPECT_EQ(ward->GetTimeToLiveRemaining(), 4000);
    Cast("records\\SKILLS\\buffs\\ward.dbr", 1, 8000, kMod, 3);
    EXPECT_EQ(manager().GetSkillBuffCount(), 1u);
    EXPECT_EQ(manager().GetSkillBuff(kWard), ward);
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
    manager().Update(50);
    EXPECT_TRUE(manager().IsSkillBuffActive(kWard));
    manager().Update(60);
    EXPECT_FALSE(manager().IsSkillBuffActive(kWard));
    // Total time 0 never expires; a dispel takes it off.
    manager().Update(1000000);
    EXPECT_TRUE(manager().IsSkillBuffActive(kHex));
    manager().DispelSkillDeBuffs();
    EXPECT_TRUE(manager().IsSkillBuffActive(kHex));
    manager().DispelSkillBuffs();
    EXPECT_FALSE(manager().IsSkillBuffActive(kHex));
    ObjectManager::Instance().ProcessDestroyedObjects();

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
    EXPECT_EQ(replicas[0].buff.skillName, kWard);
    EXPECT_EQ(replicas[0].modifier1.skillName, kMod);
    EXPECT_EQ(replicas[0].modifier2.skillName, "");
    EXPECT_EQ(replicas[0].casterId, 77u);
    EXPECT_EQ(replicas[0].timeToLive, 0);

    auto* mirror = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    ASSERT_NE(mirror, nullptr);
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
    SkillBuff* copy = mirror->GetSkillManager().GetSkillBuff(kWard);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetCurrentLevel(), 2u);
    EXPECT_EQ(copy->GetCasterId(), 77u);
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
    manager().UpdateMasteriesAllowed(9);
    EXPECT_EQ(manager().GetSkillMasteriesAllowed(), 0u);
    manager().UpdateMasteriesAllowed(25);
    EXPECT_EQ(manager().GetSkillMasteriesAllowed(), 1u);
    manager().UpdateMasteriesAllowed(25);
    EXPECT_EQ(manager().GetSkillMasteriesAllowed(), 2u);
    manager().UpdateMasteriesAllowed(25);
    EXPECT_EQ(manager().GetSkillMasteriesAllowed(), 2u);
}

TEST_F(SkillManagerBuffsTest, ReclamationPricesByTierAndRefusesShortMoney)
{
    manager().Load(
        Record("reclamationPointTiers = 0;10;20\nreclamationPointCosts = 100;200;300\n"));
    for (const auto& [used, cost] :
         {std::pair{0u, 100u}, std::pair{10u, 200u}, std::pair{25u, 300u}}) {
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
    EXPECT_EQ(manager().GetSkillReclamationPointsUsed(), 11u);
    manager().SetSkillReclamationPointsUsed(1);
    EXPECT_TRUE(manager().UseReclamationPoints(-3));
    EXPECT_EQ(manager().GetSkillReclamationPointsUsed(), 0u);
    EXPECT_EQ(character->GetCurrentMoney(), 800u);
    // No costs at all: free.
    manager().Load(Record("reclamationPointTiers = 0\n"));
    EXPECT_EQ(manager().GetCurrentSkillReclamationCost(), 0u);
}

} // namespace
} // namespace GAME::Test
