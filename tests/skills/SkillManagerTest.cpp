#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatManager.h"
#include "combat/ParametersCombat.h"
#include "combat/RacialBonus.h"
#include "core/RandomUniform.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "items/EquipManager.h"
#include "items/Weapon.h"
#include "skills/Skill.h"
#include "skills/SkillAttributeAccumulator.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/SkillsFixture.h"

#include <string>
#include <vector>

namespace GAME::Test {

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

// Records what the manager asks of it.
class OwnerRecordingSkill : public Skill {
    GAME_DECLARE_CLASS(OwnerRecordingSkill)

public:
    void Install(Character*) override { Calls().push_back("Install " + GetObjectName()); }
    void UnInstall(Character*) override { Calls().push_back("UnInstall " + GetObjectName()); }
    void EndCooldown() override { Calls().push_back("EndCooldown " + GetObjectName()); }
};

GAME_IMPLEMENT_CLASS(OwnerRecordingSkill, Skill);

// Says which of its game-balance packs the manager asked for.
class CollectCharacter : public Character {
    GAME_DECLARE_CLASS(CollectCharacter)

public:
    void ContributeGameBalanceSkillAttributes(SkillAttributeAccumulator&) const override
    {
        Calls().push_back("balance skill");
    }
    void ContributeGameBalanceOffensiveDamageAttributes(CombatAttributeAccumulator&) const override
    {
        Calls().push_back("balance damage");
    }
    void
    ContributeGameBalanceOffensiveModifierAttributes(CombatAttributeAccumulator&) const override
    {
        Calls().push_back("balance modifier");
    }
};

class CollectWeapon : public Weapon {
    GAME_DECLARE_CLASS(CollectWeapon)

public:
    void GetOffensiveDamageAttributes(CombatAttributeAccumulator&) const override
    {
        Calls().push_back("weapon");
    }
};

GAME_IMPLEMENT_CLASS(CollectCharacter, Character);
GAME_IMPLEMENT_CLASS(CollectWeapon, Weapon);

namespace {

using Levels = std::vector<uint32_t>;

TEST(SkillManagerTest, LoadReadsTheThreeListsCutsUnevenPairsAndZeroesNegatives)
{
    LogCapture log;
    SkillManager manager;
    manager.Load(Record("masteryIncrementLevel = 1;8;16\n"
                        "reclamationPointTiers = 0;5;10\n"
                        "reclamationPointCosts = 100;250;500\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{1, 8, 16}));
    EXPECT_EQ(manager.GetReclamationPointTiers(), (Levels{0, 5, 10}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{100, 250, 500}));
    EXPECT_TRUE(log.GetLines().empty());

    // A second record replaces the lists, an absent key empties its list.
    manager.Load(Record("masteryIncrementLevel = 20\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{20}));
    EXPECT_TRUE(manager.GetReclamationPointTiers().empty());
    EXPECT_TRUE(manager.GetReclamationPointCosts().empty());

    manager.Load(Record("reclamationPointTiers = 0;5;10;20\nreclamationPointCosts = 100;250\n"));
    EXPECT_EQ(manager.GetReclamationPointTiers(), (Levels{0, 5}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{100, 250}));
    EXPECT_EQ(log.Count(1, "SkillManager: (no character) has 4 reclamationPointTiers but 2 "
                           "reclamationPointCosts; keeping 2"),
              1u);
    manager.Load(Record("reclamationPointCosts = 100\n"));
    EXPECT_TRUE(manager.GetReclamationPointCosts().empty());

    manager.Load(Record("masteryIncrementLevel = 4;-3\nreclamationPointTiers = 0\n"
                        "reclamationPointCosts = -1\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{4, 0}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{0}));
    EXPECT_EQ(1u, log.Count(1, "SkillManager: masteryIncrementLevel of (no character) holds -3, "
                               "read as 0"));
    EXPECT_EQ(1u, log.Count(1, "SkillManager: reclamationPointCosts of (no character) holds -1, "
                               "read as 0"));
}

// Counts what the manager asks (defense 1, retaliation 10); a racial defense answer adds the
// skill's level.
class CountingSkill : public Skill {
public:
    CountingSkill(uint32_t level, bool armed) : level(level), armed(armed) {}
    uint32_t GetCurrentLevel() const override { return level; }
    bool IsSkillOnHitActive() const override { return armed; }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
    void OnHitActivation(Character& owner, const ParametersCombat& hit) override
    {
        hits += hit.attackerId == 7 ? 1 : 100;
        told = &owner;
    }
    void ApplyDisruptionCooldownTime(float time) override { cooldown += time; }
    void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator&) const override
    {
        asked += 10;
    }
    void CollectPassiveDefenseAttributes(CombatAttributeAccumulator&) const override { ++asked; }
    void CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                          RacialBonus_Defense& defense) const override
    {
        defense.absolute += races.size() == 1 ? static_cast<float>(level) : 100.0f;
    }

    uint32_t level;
    bool armed;
    int hits = 0;
    const Character* told = nullptr;
    float cooldown = 0.0f;
    mutable int asked = 0;
};

class FilledSkillManager : public SkillManager {
public:
    using SkillManager::activeSkills;
    using SkillManager::itemSkillMap;
    using SkillManager::itemSkills;
};

using SkillManagerLists = EngineFixture;

TEST_F(SkillManagerLists, AsksEachListedSkillOnceByItsListsRule)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* owner = NewCharacter();
    // Active: armed, armed but unlearnt, learnt but unarmed; item: learnt, unlearnt.
    std::vector<CountingSkill*> skills;
    for (auto [level, armed] :
         {std::pair{1u, true}, {0u, true}, {2u, false}, {3u, false}, {0u, true}}) {
        skills.push_back(new CountingSkill(level, armed));
        ASSERT_TRUE(objects.RegisterObject(skills.back()));
    }
    const uint32_t itemId = skills[3]->GetObjectId();
    {
        FilledSkillManager manager;
        manager.activeSkills = {skills[0], skills[1], skills[2]};
        manager.itemSkills = {skills[3], skills[4]};
        // Granted by two items that the test does not need to make.
        manager.itemSkillMap = {{901, itemId}, {902, skills[4]->GetObjectId()}};
        RandomUniform generator;
        ParametersCombat hit(generator);
        hit.attackerId = 7;
        manager.UnderAttack(hit); // no character yet: nobody is told
        manager.Initialize(nullptr, owner);
        manager.UnderAttack(hit);
        CombatAttributeAccumulator accumulator;
        manager.GetDefenseAttributes(accumulator);
        manager.GetRetaliationAttributes(accumulator);
        RacialBonus_Defense defense;
        manager.ContributeRacialBonusDefense({"Undead"}, defense);
        EXPECT_EQ(defense.absolute, 6.0f);
        manager.ApplyCooldownDamage(1.5f);

        const int hits[] = {1, 1, 0, 1, 0};
        for (size_t i = 0; i < skills.size(); ++i) {
            EXPECT_EQ(skills[i]->hits, hits[i]) << i;
            EXPECT_EQ(skills[i]->told, hits[i] != 0 ? owner : nullptr) << i;
            EXPECT_EQ(skills[i]->asked, skills[i]->level != 0 ? 11 : 0) << i;
            EXPECT_EQ(skills[i]->cooldown, 1.5f) << i;
        }
        EXPECT_FALSE(manager.IsSpeedUpdateNeeded());
        manager.SetSpeedUpdateNeeded();
        EXPECT_TRUE(manager.IsSpeedUpdateNeeded());
        EXPECT_FALSE(manager.IsSpeedUpdateNeeded());
    }
    // The manager destroys the item skills it owns, not the active ones.
    EXPECT_EQ(objects.GetObject(itemId), nullptr);
    EXPECT_EQ(objects.GetObjectCount(), 4u); // the character and the three active skills
}

constexpr const char* kA = "Records/Skills/A.dbr";
constexpr const char* kB = "Records/Skills/B.dbr";

class SkillManagerOwnerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        Calls().clear();
        for (const char* name : {kA, kB})
            database.WriteRecord(name, {"Class = OwnerRecordingSkill"});
        character = NewCharacter();
    }
    void TearDown() override
    {
        ObjectManager::Instance().DestroyObjectEx(character, "test", __LINE__);
        EngineFixture::TearDown();
    }
    SkillManager& manager() { return character->GetSkillManager(); }
    const std::string& Enchantment() const
    {
        return character->GetCombatManager().GetEquipManager().GetWeaponEnchantment();
    }

    Character* character = nullptr;
};

TEST_F(SkillManagerOwnerTest, TheNewestEnchantmentShowsAndRemovalRestoresTheEarlier)
{
    manager().AddWeaponEnchantment(1, "Records/Fx/Fire.dbr");
    manager().AddWeaponEnchantment(2, "Records/Fx/Ice.dbr");
    EXPECT_EQ(Enchantment(), "Records/Fx/Ice.dbr");
    manager().RemoveWeaponEnchantment(2);
    EXPECT_EQ(Enchantment(), "Records/Fx/Fire.dbr");
    manager().RemoveWeaponEnchantment(1);
    EXPECT_EQ(Enchantment(), "");
}

TEST_F(SkillManagerOwnerTest, EffectPacksShowTheNewestOwnerAndOnlyItsRemovalReshows)
{
    manager().AddCharFxPak(1, {"Records/Fx/One.dbr"});
    manager().AddCharFxPak(2, {"", "Records/Fx/Two.dbr"});
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 2u);
    manager().RemoveCharFxPak(2);
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 1u);
    manager().AddCharFxPak(3, {""});
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 0u) << "an empty name shows nothing";
    manager().RemoveCharFxPak(1);
    EXPECT_EQ(manager().GetShowingCharFxPakOwner(), 0u) << "owner 1 was not showing";
}

TEST_F(SkillManagerOwnerTest, ActiveListHoldsEachSkillOnceAndCooldownsRefresh)
{
    manager().LoadSkills(Record(std::string("skillName1 = ") + kA + "\nskillLevel1 = 1\n" +
                                "skillName2 = " + kB + "\n"),
                         2);
    Skill* a = manager().GetSkill(manager().FindSkillId(kA));
    Skill* b = manager().GetSkill(manager().FindSkillId(kB));
    ASSERT_NE(b, nullptr);
    a->SetSkillLevel(2);
    EXPECT_FALSE(b->IsSkillEnabled());
    manager().RemoveFromActiveList(b);
    manager().RefreshCooldown();
    manager().RemoveFromActiveList(a);
    manager().RemoveFromActiveList(a);
    EXPECT_EQ(Calls(), (std::vector<std::string>{std::string("Install ") + kA,
                                                 std::string("EndCooldown ") + kA,
                                                 std::string("UnInstall ") + kA}));
    EXPECT_TRUE(manager().GetActiveList().empty());
}

TEST_F(SkillManagerOwnerTest, AMonstersSkillIsEnabledWithItsLevel)
{
    manager().SetIsMonster(true);
    EXPECT_TRUE(manager().IsMonsterSkill());
    manager().LoadSkills(Record(std::string("skillName1 = ") + kA + "\nskillLevel1 = 1\n"), 1);
    EXPECT_TRUE(manager().GetSkill(manager().FindSkillId(kA))->IsSkillEnabled());
}

TEST_F(SkillManagerOwnerTest, APetGoneBeforeTheFrameIsSkipped)
{
    auto* pet = NewCharacter();
    manager().PushPetInitialize(pet);
    manager().PushPetInitialize(nullptr);
    ObjectManager::Instance().DestroyObjectEx(pet, "test", __LINE__);
    manager().Update(10);
    manager().Update(10);
}

using SkillManagerCollectTest = EngineFixture;

TEST_F(SkillManagerCollectTest, GameBalancePacksJoinEveryCollectionAndAWeaponAddsItsOwnDamage)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* character = static_cast<Character*>(objects.CreateObject("CollectCharacter"));
    auto* weapon = static_cast<Weapon*>(objects.CreateObject("CollectWeapon"));
    ASSERT_NE(character, nullptr);
    ASSERT_NE(weapon, nullptr);
    SkillManager& manager = character->GetSkillManager();
    Calls().clear();

    SkillAttributeAccumulator skills;
    manager.CollectAvailableSkillAttributes(skills);
    CombatAttributeAccumulator combat;
    manager.CollectAvailableOffensiveModifierAttributes(combat);
    manager.CollectAvailableOffensiveDamageAttributes(weapon->GetObjectId(), combat);
    // An id that is no weapon adds nothing of its own.
    manager.CollectAvailableOffensiveDamageAttributes(character->GetObjectId(), combat);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"balance skill", "balance modifier",
                                                 "balance damage", "weapon", "balance damage"}));

    objects.DestroyObjectEx(weapon, "test", __LINE__);
    objects.DestroyObjectEx(character, "test", __LINE__);
}

constexpr const char* kSkills = "skillName1 = Records/Skills/Fire.dbr\n"
                                "skillName2 = Records/Skills/Ice.dbr\n"
                                "skillName3 = Records/Skills/Wind.dbr\n";

class SkillManagerStreamTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (const char* name : {"Fire", "Ice", "Wind"})
            database.WriteRecord(std::string("Records/Skills/") + name + ".dbr",
                                 {"Class = LoadedSkill"});
    }

    static void Learn(SkillManager& manager) { manager.LoadSkills(Record(kSkills), 3); }

    static Skill* Get(const SkillManager& manager, const char* name)
    {
        return manager.GetSkill(
            manager.FindSkillId(std::string("Records/Skills/") + name + ".dbr"));
    }

    // A skills block as a hostile file might hold it: the count and then nothing.
    static std::vector<uint8_t> BlockWithCount(int32_t count)
    {
        IOStreamWrite out;
        out.BeginBlock();
        out.StreamInt("max", count);
        uint32_t zero = 0;
        out.StreamUInt("masteriesAllowed", zero);
        out.StreamUInt("skillReclamationPointsUsed", zero);
        out.EndBlock();
        return out.GetBytes();
    }
};

TEST_F(SkillManagerStreamTest, SavedLevelsComeBackButNotTheRunningState)
{
    SkillManager saved;
    Learn(saved);
    Get(saved, "Fire")->ReceiveStateUpdate(SkillState{4, true}, false);
    Get(saved, "Wind")->ReceiveStateUpdate(SkillState{9, false}, false);
    Get(saved, "Wind")->ReceiveActiveUpdate(nullptr, SkillActiveState(3, true, true), false);
    saved.SetMasteriesAllowed(2);
    saved.SetSkillReclamationPointsUsed(17);
    IOStreamWrite out;
    saved.StreamProperties(&out);

    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(out.GetBytes(), text));
    EXPECT_NE(text.find("max"), std::string::npos);

    SkillManager restored;
    Learn(restored);
    IOStreamRead in(out.GetBytes());
    restored.StreamProperties(&in);
    ASSERT_FALSE(in.HasFailed());
    EXPECT_EQ(Get(restored, "Fire")->GetSkillLevel(), 4u);
    EXPECT_TRUE(Get(restored, "Fire")->GetSkillState().enabled);
    EXPECT_EQ(Get(restored, "Ice")->GetSkillLevel(), 0u);
    EXPECT_EQ(Get(restored, "Wind")->GetSkillLevel(), 9u);
    EXPECT_EQ(Get(restored, "Wind")->GetSkillActiveState().subLevel, 0);
    EXPECT_EQ(restored.GetMasteriesAllowed(), 2u);
    EXPECT_EQ(restored.GetSkillReclamationPointsUsed(), 17u);

    // A save naming a skill this character lacks passes over it.
    SkillManager other;
    IOStreamRead again(out.GetBytes());
    other.StreamProperties(&again);
    EXPECT_FALSE(again.HasFailed());
    EXPECT_EQ(other.GetSkillReclamationPointsUsed(), 17u);
}

TEST_F(SkillManagerStreamTest, HostileCountsReadNothing)
{
    for (int32_t count : {-1, 65537}) {
        SkillManager manager;
        IOStreamRead in(BlockWithCount(count));
        manager.StreamProperties(&in);
        EXPECT_FALSE(in.HasFailed()) << count;
    }
    EXPECT_EQ(log.Count(1, "SkillManager: (no character): 65537 saved skills refused"), 1u);

    // A count the stream cannot back stops at the first failed block.
    SkillManager manager;
    IOStreamRead in(BlockWithCount(3));
    manager.StreamProperties(&in);
    EXPECT_TRUE(in.HasFailed());
}

TEST_F(SkillManagerStreamTest, ReplicasCarryLearnedSkillsAboveLevelZero)
{
    SkillManager owner;
    Learn(owner);
    Get(owner, "Ice")->ReceiveStateUpdate(SkillState{5, true}, false);
    Get(owner, "Ice")->ReceiveActiveUpdate(nullptr, SkillActiveState(1, true, false), false);
    std::vector<SkillManager::_SkillReplica> replicas;
    owner.GetSkillReplica(replicas);
    ASSERT_EQ(replicas.size(), 1u);
    EXPECT_EQ(replicas[0].skillName, "Records/Skills/Ice.dbr");

    replicas.push_back({"Records/Skills/Unknown.dbr", SkillState{8, true}, {}});
    SkillManager mirror;
    Learn(mirror);
    mirror.SetSkillReplica(replicas);
    EXPECT_EQ(Get(mirror, "Ice")->GetSkillLevel(), 5u);
    EXPECT_EQ(Get(mirror, "Ice")->GetSkillActiveState().subLevel, 1);
    EXPECT_TRUE(Get(mirror, "Ice")->GetSkillActiveState().active);
    EXPECT_EQ(Get(mirror, "Fire")->GetSkillLevel(), 0u);
}

} // namespace

} // namespace GAME::Test
