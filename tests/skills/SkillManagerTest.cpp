#include "skills/SkillManager.h"

#include "ai/ControllerCharacter.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/RacialBonus.h"
#include "engine/GameInfo.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/Name.h"
#include "skills/SkillActivated.h"
#include "skills/Skill_WPAttack.h"
#include "tests/support/RecordSkill.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/SkillsFixture.h"

#include <array>
#include <climits>
#include <map>
#include <sstream>

namespace GAME::Test {

// Records each call the manager makes, in order, and answers what the test set.
class RunRecordingSkill : public SkillActivated {
    GAME_DECLARE_CLASS(RunRecordingSkill)

public:
    bool StartAction(Character&, uint32_t targetId, const WorldVec3&, uint32_t seed) override
    {
        Calls().push_back("Start " + std::to_string(targetId) + " " + std::to_string(seed));
        return startAnswer;
    }
    void SwipeAction(Character&, const Name& callback, uint32_t, const WorldVec3&) override
    {
        Calls().push_back("Swipe " + callback.GetString());
    }
    void HitAction(Character&, const Name& callback, uint32_t, const WorldVec3&) override
    {
        Calls().push_back("Hit " + callback.GetString());
    }
    bool EndAction(Character&) override { return endAnswer; }
    void Install(Character*) override { Note("Install"); }
    void UnInstall(Character*) override { Note("UnInstall"); }
    void EndCooldown() override { Note("EndCooldown"); }
    bool WarmUpStart() override { return Note("WarmUpStart"); }
    void WarmUpEnd() override { Note("WarmUpEnd"); }
    void ParticleEffect2(Character&, bool on) override { Note(on ? "PS2 on" : "PS2 off"); }
    void Cancel(Character&) override { Note("Cancel"); }
    void TargetResult(Character&, const std::vector<uint32_t>& targets, const WorldCoords&,
                      uint32_t seed, uint32_t, bool) override
    {
        Note("TargetResult " + std::to_string(targets.size()) + " " + std::to_string(seed));
    }
    void CreateProjectile(Character&, const WorldCoords&, uint32_t, const WorldVec3&,
                          uint32_t weaponId, uint32_t projectileId, uint32_t) override
    {
        Note("Projectile " + std::to_string(projectileId) + " " + std::to_string(weaponId));
    }
    void SubtractManaCost() override { Note("Mana"); }
    void StartCooldown() override { Note("Cooldown"); }
    bool AllowDualWieldWeapons() const override { return Note("DualWield", dualWield); }

    bool startAnswer = true;
    bool endAnswer = true;
    bool dualWield = false;

private:
    bool Note(const std::string& what, bool answer = true) const
    {
        Calls().push_back(what + " " + GetObjectName());
        return answer;
    }
};

GAME_IMPLEMENT_CLASS(RunRecordingSkill, SkillActivated);

// A pooled attack whose chance weight the test sets per record.
class RunPoolAttack : public Skill_WPAttack {
    GAME_DECLARE_CLASS(RunPoolAttack)

public:
    static std::map<std::string, uint32_t>& Weights()
    {
        static std::map<std::string, uint32_t> weights;
        return weights;
    }
    uint32_t GetChanceWeight(bool) const override { return Weights()[GetObjectName()]; }
};

GAME_IMPLEMENT_CLASS(RunPoolAttack, Skill_WPAttack);

class LoadedMasterySkill : public RecordSkill {
    GAME_DECLARE_CLASS(LoadedMasterySkill)

public:
    bool IsSkillTheMasterySkill() const override { return true; }
};

GAME_IMPLEMENT_CLASS(LoadedMasterySkill, RecordSkill);

// Puts learned skills on the active list, as learning them will.
class ActiveListManager : public SkillManager {
public:
    void Activate(uint32_t skillId) { activeSkills.push_back(GetSkill(skillId)); }
};

namespace {

using Levels = std::vector<uint32_t>;

// What the lists mean is pinned where masteries and reclamation are priced.
TEST(SkillManagerTest, LoadCutsUnevenPairsAndZeroesNegatives)
{
    LogCapture log;
    SkillManager manager;
    manager.Load(Record("reclamationPointTiers = 0;5;10;20\nreclamationPointCosts = 100;250\n"));
    EXPECT_EQ(manager.GetReclamationPointTiers(), (Levels{0, 5}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{100, 250}));
    EXPECT_EQ(log.Count(1, "SkillManager: (no character) has 4 reclamationPointTiers but 2 "
                           "reclamationPointCosts; keeping 2"),
              1u);

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
    }
    // The manager destroys the item skills it owns, not the active ones.
    EXPECT_EQ(objects.GetObject(itemId), nullptr);
    EXPECT_EQ(objects.GetObjectCount(), 4u); // the character and the three active skills
}

constexpr const char* kFire = "Records/Skills/Fire.dbr";
constexpr const char* kIce = "Records/Skills/Ice.dbr";
constexpr const char* kTree = "Records/Skills/Tree.dbr";

class SkillManagerSkillsTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(kFire, {RecordSkill::kClassLine});
        database.WriteRecord(kIce, {RecordSkill::kClassLine});
        database.WriteRecord("Records/Skills/NotASkill.dbr", {"Class = Character"});
    }
    void TearDown() override
    {
        gEngine->GetGameInfo().SetDifficulty(0);
        EngineFixture::TearDown();
    }

    uint32_t Level(const SkillManager& manager, const char* name) const
    {
        const Skill* skill = manager.GetSkill(manager.FindSkillId(name));
        return skill != nullptr ? skill->GetSkillLevel() : 999u;
    }
};

TEST_F(SkillManagerSkillsTest, LoadSkillsTakesEachNamedSkillAtTheDifficultysLevel)
{
    database.WriteRecord(kTree, {"skillName1 = Records/Skills/Fire.dbr", "skillLevel1 = 1;2;3",
                                 "skillName3 = Records/Skills/Ice.dbr", "skillLevel3 = 0;-4",
                                 "skillName4 = Records/Skills/Fire.dbr",
                                 "skillName5 = Records/Skills/NotASkill.dbr"});
    gEngine->GetGameInfo().SetDifficulty(1);
    SkillManager manager;
    manager.LoadSkills(std::string(kTree), 25);

    EXPECT_EQ(Level(manager, kFire), 2u);
    EXPECT_EQ(Level(manager, kIce), 0u);
    ASSERT_EQ(manager.GetUISkillList().size(), 2u);
    EXPECT_EQ(manager.GetUISkillList()[0], manager.FindSkillId(kFire));
    EXPECT_EQ(log.Count(1, "SkillManager: skillLevel3 of (no character) holds -4, read as 0"), 1u);
    EXPECT_EQ(1u, log.Count(1, "SkillManager::Tried to create duplicate non-modifier skill "
                               "(Records/Skills/Fire.dbr)"));
    EXPECT_EQ(1u, log.Count(1, "SkillManager::Unable to create skill "
                               "(Records/Skills/NotASkill.dbr) ((no character))"));
}

TEST_F(SkillManagerSkillsTest, LoadSkillsReadsUpToThirtyOneKeysAndNothingForOtherCounts)
{
    const LoadTable table = Record("skillName31 = Records/Skills/Fire.dbr\n"
                                   "skillName1 = Records/Skills/Ice.dbr\n");
    SkillManager manager;
    manager.LoadSkills(table, 32);
    manager.LoadSkills(table, 0);
    manager.LoadSkills(std::string(), 5);
    EXPECT_TRUE(manager.GetUISkillList().empty());
    manager.LoadSkills(table, 31);
    EXPECT_NE(manager.FindSkillId(kFire), 0u);
    EXPECT_NE(manager.FindSkillId(kIce), 0u);
}

TEST_F(SkillManagerSkillsTest, SkillPointsSumTheActiveLevelsWithoutTheDefaultAttacks)
{
    database.WriteRecord("Records/Skills/Default/DefaultWPBasicAttack.dbr",
                         {"Class = Skill_WPAttack"});
    database.WriteRecord("Records/Skills/Default/DefaultWeaponAttack.dbr",
                         {RecordSkill::kClassLine});
    database.WriteRecord("Records/Skills/Earth.dbr", {"Class = LoadedMasterySkill"});
    ActiveListManager manager;
    manager.LoadDefaultSkills();
    manager.LoadSkills(Tree({{kFire, 3}, {kIce, 4}, {"Records/Skills/Earth.dbr", 6}}), 3);
    // A level of 1 or more puts a skill on the active list; Ice is taken off it again.
    manager.RemoveFromActiveList(manager.GetSkill(manager.FindSkillId(kIce)));
    EXPECT_EQ(manager.GetNumRegularSkillPoints(), 3u) << "the learned, inactive Ice is not counted";
    EXPECT_EQ(manager.GetNumMasteryPoints(), 6u);

    const uint32_t ice = manager.FindSkillId(kIce);
    manager.Activate(ice);
    EXPECT_EQ(manager.GetNumRegularSkillPoints(), 7u);
    // Levels come from saves: a huge one saturates instead of wrapping to a small count.
    manager.GetSkill(ice)->SetSkillLevel(UINT32_MAX - 1);
    EXPECT_EQ(manager.GetNumRegularSkillPoints(), UINT32_MAX);
    EXPECT_EQ(manager.GetNumMasteryPoints(), 6u);
}

TEST_F(SkillManagerSkillsTest, GroupsFollowTheListedOrder)
{
    const std::pair<const char*, const char*> records[] = {
        {"Records/Skills/Mastery.dbr", "Skill_Mastery"},
        {"Records/Skills/Mod.dbr", "Skill_Modifier"},
        {"Records/Skills/Sec.dbr", "SkillSecondary"},
        {"Records/Skills/Mod2.dbr", "Skill_Modifier"},
        {"Records/Skills/Pool.dbr", "Skill_WPAttack"},
        {"Records/Skills/Death.dbr", "SkillOnDeath"}};
    for (const auto& [name, kind] : records)
        database.WriteRecord(name, {std::string("Class = ") + kind});
    SkillManager manager;
    manager.LoadSkills(Tree({{"Records/Skills/Mastery.dbr", 1},
                             {kFire, 1},
                             {"Records/Skills/Mod.dbr", 1},
                             {"Records/Skills/Mod.dbr", 5},
                             {"Records/Skills/Sec.dbr", 1},
                             {"Records/Skills/Mod2.dbr", 0},
                             {"Records/Skills/Pool.dbr", 1},
                             {"Records/Skills/Death.dbr", 0}}),
                       8);
    auto id = [&](const char* name) { return manager.FindSkillId(name); };
    auto skill = [&](const char* name) { return manager.GetSkill(id(name)); };
    const uint32_t mastery = id("Records/Skills/Mastery.dbr");
    const uint32_t mod = id("Records/Skills/Mod.dbr");
    const uint32_t sec = id("Records/Skills/Sec.dbr");
    EXPECT_EQ(manager.GetUISkillList().size(), 7u) << "the modifier listed twice is one object";
    EXPECT_EQ(skill("Records/Skills/Mod.dbr")->GetSkillLevel(), 1u);
    EXPECT_EQ(skill(kFire)->GetModifiers(), (std::vector<uint32_t>{mod, mod}));
    EXPECT_EQ(skill(kFire)->GetSecondarySkills(), std::vector<uint32_t>{sec});
    EXPECT_EQ(skill(kFire)->GetMasteryId(), mastery);
    EXPECT_EQ(skill("Records/Skills/Sec.dbr")->GetModifiers(),
              std::vector<uint32_t>{id("Records/Skills/Mod2.dbr")});
    EXPECT_EQ(skill("Records/Skills/Mod2.dbr")->GetBaseSkills(), std::vector<uint32_t>{sec});
    EXPECT_EQ(skill("Records/Skills/Mod2.dbr")->GetMasteryId(), mastery);
    EXPECT_EQ(manager.GetWeaponPoolAttacks(),
              std::vector<Skill*>{skill("Records/Skills/Pool.dbr")});
    EXPECT_EQ(manager.GetOnDeathSkills(), std::vector<Skill*>{skill("Records/Skills/Death.dbr")});
    // Only the skills with a level joined the active list, each once.
    EXPECT_EQ(manager.GetActiveList().size(), 5u);
}

// Look-ups ignore case and slash direction, and each kind sees only its own list.
TEST_F(SkillManagerSkillsTest, ItemSkillsAreGrantedOnceAndKeepTheirReference)
{
    ObjectManager& objects = ObjectManager::Instance();
    Skill* granting = Made(objects.CreateObjectFromFile<Skill>(kIce), kIce);
    SkillManager manager;
    manager.LoadSkills(Tree({{kFire, 1}}), 1);
    const uint32_t fire = manager.FindSkillId(kFire);
    ASSERT_NE(fire, 0u);
    EXPECT_EQ(manager.FindSkillId("records\\SKILLS\\fire.DBR"), fire);
    EXPECT_EQ(manager.FindSkillId("Records/Skills/Fire.db"), 0u);
    EXPECT_EQ(manager.FindItemSkillId(kFire), 0u);
    manager.AddItemSkill(granting->GetObjectId(), 2);
    manager.AddItemSkill(granting->GetObjectId(), 3);
    const uint32_t item = manager.FindItemSkillId("records\\skills\\ICE.dbr");
    EXPECT_EQ(manager.FindSkillId(kIce), 0u) << "learned look-ups skip item skills";
    EXPECT_EQ(Made(manager.GetSkill(item), "the item skill")->GetSkillLevel(), 3u);
    EXPECT_EQ(manager.GetActiveList().size(), 1u) << "item skills stay off the active list";
    EXPECT_EQ(manager.GetSkillReferenceNumber(item), 4096u);
    EXPECT_EQ(manager.GetSkillIdFromReference(4096), item);
    EXPECT_EQ(manager.GetSkillReferenceNumber(granting->GetObjectId()), 0xFFFFFFFFu);
    manager.RemoveItemSkill(granting->GetObjectId());
    EXPECT_EQ(manager.GetSkill(item)->GetSkillLevel(), 0u);
    EXPECT_EQ(manager.GetSkillIdFromReference(4096), item);
    EXPECT_TRUE(manager.IsSkillValidForUse(item, true));
    EXPECT_FALSE(manager.IsSkillValidForUse(item, false));
    objects.DestroyObjectEx(granting, "test", __LINE__);
}

TEST_F(SkillManagerSkillsTest, DestructionLeavesNoSkillPointingAtTheManager)
{
    ObjectManager& objects = ObjectManager::Instance();
    Skill* granting = Made(objects.CreateObjectFromFile<Skill>(kIce), kIce);
    Skill* learned = nullptr;
    Skill* item = nullptr;
    {
        SkillManager manager;
        manager.LoadSkills(Tree({{kFire, 1}}), 1);
        manager.AddItemSkill(granting->GetObjectId(), 1);
        learned = manager.GetSkill(manager.FindSkillId(kFire));
        item = Made(manager.GetSkill(manager.FindItemSkillId(kIce)), kIce);
    }
    // Destroyed objects wait in the manager's queue until the next flush.
    EXPECT_EQ(learned->GetManager(), nullptr);
    EXPECT_EQ(item->GetManager(), nullptr);
    objects.DestroyObjectEx(granting, "test", __LINE__);

    // At shut-down every object may go before the manager: it then touches none of its skills.
    SkillManager survivor;
    Skill* again = Made(objects.CreateObjectFromFile<Skill>(kIce), kIce);
    survivor.LoadSkills(Tree({{kFire, 1}}), 1);
    survivor.AddItemSkill(again->GetObjectId(), 1);
    objects.DestroyAllObjects();
}

constexpr const char* kSkills = "skillName1 = Records/Skills/Fire.dbr\n"
                                "skillName2 = Records/Skills/Ice.dbr\n"
                                "skillName3 = Records/Skills/Wind.dbr\n";

class SkillManagerStreamTest : public SkillManagerSkillsTest {
protected:
    void SetUp() override
    {
        SkillManagerSkillsTest::SetUp();
        database.WriteRecord("Records/Skills/Wind.dbr", {RecordSkill::kClassLine});
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

TEST_F(SkillManagerStreamTest, HostileCountsRefuseTheSave)
{
    for (int32_t count : {-1, 65537}) {
        SkillManager manager;
        IOStreamRead in(BlockWithCount(count));
        manager.StreamProperties(&in);
        EXPECT_TRUE(in.HasFailed()) << count;
        EXPECT_EQ(in.GetRefusal(),
                  "is damaged: it names " + std::to_string(count) + " skills, outside 0 to 65536");
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
    EXPECT_EQ(Get(mirror, "Fire")->GetSkillLevel(), 0u);
}

constexpr const char* kA = "Records/Skills/A.dbr";
constexpr const char* kB = "Records/Skills/B.dbr";

// A character and two recorded skills, A and B, for it to learn.
class SkillManagerOwnerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        Calls().clear();
        database.WriteRecord(kA, {"Class = RunRecordingSkill"});
        database.WriteRecord(kB, {"Class = RunRecordingSkill"});
        character = NewCharacter();
    }

    SkillManager& manager() { return character->GetSkillManager(); }
    RunRecordingSkill* Find(const char* name)
    {
        return static_cast<RunRecordingSkill*>(manager().GetSkill(manager().FindSkillId(name)));
    }

    Character* character = nullptr;
};

class SkillManagerRunTest : public SkillManagerOwnerTest {
protected:
    void SetUp() override
    {
        SkillManagerOwnerTest::SetUp();
        manager().LoadSkills(Tree({{kA, 1}, {kB, 1}}), 2);
        for (const char* name : {kA, kB})
            Find(name)->ReceiveStateUpdate(SkillState{1, true}, false);
        Calls().clear();
    }
};

using Lines = std::vector<std::string>;

TEST_F(SkillManagerRunTest, AFailedStartResetsNothingAndHitCallbacksCount)
{
    manager().SetAsControllingManager();
    SkillServicesBase& services = *manager().GetSkillServices();
    const WorldVec3 point;
    services.IncHitIteration();
    Find(kB)->startAnswer = false;
    EXPECT_FALSE(manager().StartSkill(1, 7, point, 99));
    EXPECT_EQ(services.GetHitIteration(), 1u);
    // No such reference, and a disabled skill, do not start at all.
    EXPECT_FALSE(manager().StartSkill(4096, 7, point, 99));
    Find(kA)->ReceiveStateUpdate(SkillState{1, false}, true);
    EXPECT_FALSE(manager().StartSkill(0, 7, point, 99));
    EXPECT_EQ(Calls(), (Lines{"Start 7 99"}));
    Find(kA)->ReceiveStateUpdate(SkillState{1, true}, true);

    EXPECT_TRUE(manager().StartSkill(0, 7, point, 5));
    EXPECT_EQ(services.GetHitIteration(), 0u);
    Calls().clear();
    for (const char* callback :
         {"Hit", "Swipe", "FootHit", "SpecialHit04", "PS2Start", "SkillProp1Add", "Bogus"})
        EXPECT_FALSE(manager().HandleSkillAnimationCallback(Name::Create(callback), 0, 7, point));
    EXPECT_EQ(services.GetHitIteration(), 3u);
    EXPECT_EQ(Calls(), (Lines{"Hit Hit", "Swipe Swipe", "Hit FootHit", "Hit SpecialHit04",
                              std::string("PS2 on ") + kA}));

    // "End" answers what the skill's end answers.
    EXPECT_TRUE(manager().HandleSkillAnimationCallback(Name::Create("End"), 0, 7, point));
    Find(kA)->endAnswer = false;
    EXPECT_FALSE(manager().HandleSkillAnimationCallback(Name::Create("End"), 0, 7, point));
    EXPECT_FALSE(manager().HandleSkillAnimationCallback(Name::Create("End"), 9, 7, point));
}

TEST_F(SkillManagerRunTest, AStartThatKeepsFailingIsToldAsACount)
{
    // A hero whose attack cannot start asks again every frame.
    LogCapture log;
    Find(kB)->startAnswer = false;
    for (int i = 0; i < 764; ++i)
        EXPECT_FALSE(manager().StartSkill(1, 7, WorldVec3(), 99));
    gEngine->RunFrame(1000);
    EXPECT_EQ(log.CountContaining("Animation failed to start in SkillManager::StartSkill"), 2u);
    EXPECT_EQ(log.CountContaining(" (and 762 more of its kind, 764 in all)"), 1u);
}

TEST_F(SkillManagerRunTest, WithoutServicesHitsStillActAndNothingCounts)
{
    EXPECT_TRUE(manager().StartSkill(0, 0, WorldVec3(), 1));
    EXPECT_FALSE(manager().HandleSkillAnimationCallback(Name::Create("Hit"), 0, 0, WorldVec3()));
    EXPECT_EQ(Calls(), (Lines{"Start 0 1", "Hit Hit"}));
}

TEST_F(SkillManagerRunTest, ManaAndCooldownAreChargedOncePerUse)
{
    const std::string a = std::string(" ") + kA;
    const WorldCoords origin;
    manager().SkillTargetResult(0, {}, origin, 3, 0, true, 1);
    manager().SkillTargetResult(0, {11, 12, 11, 12}, origin, 4, 0, true, 1);
    manager().SkillTargetResult(0, {11}, origin, 5, 0, true, 2);
    manager().SkillTargetResult(0, {11}, origin, 6, 0, false, 0);
    EXPECT_EQ(Calls(), (Lines{"TargetResult 0 3" + a, "TargetResult 2 4" + a, "Mana" + a,
                              "Cooldown" + a, "TargetResult 1 5" + a, "TargetResult 1 6" + a}));
    Calls().clear();
    manager().CreateProjectile(0, 77, origin, 0, WorldVec3(), 3, 8, 1);
    manager().CreateProjectile(0, 78, origin, 0, WorldVec3(), 3, 8, 0);
    EXPECT_EQ(Calls(),
              (Lines{"Mana" + a, "Cooldown" + a, "Projectile 77 3" + a, "Projectile 78 3" + a}));
    Calls().clear();
    manager().CreateProjectile(2, 77, origin, 0, WorldVec3(), 3, 8, 1);
    manager().SkillTargetResult(0xFFFFFFFFu, {1}, origin, 3, 0, true, 1);
    manager().CancelSkillAction(1);
    EXPECT_FALSE(manager().SkillWarmUp(1, true));
    EXPECT_TRUE(manager().SkillWarmUp(1, false));
    const std::string b = std::string(" ") + kB;
    EXPECT_EQ(Calls(), (Lines{"PS2 off" + b, "Cancel" + b, "WarmUpEnd" + b, "WarmUpStart" + b}));
}

TEST_F(SkillManagerRunTest, TheControllerIsToldOfDualWieldingOnlyWhenItChanges)
{
    auto* controller = Made(DynamicCast<ControllerCharacter>(
                                ObjectManager::Instance().CreateObject("ControllerCharacter")),
                            "a controller");
    character->SetControllerId(controller->GetObjectId());
    Find(kB)->dualWield = true;
    manager().Update(33);
    EXPECT_TRUE(controller->IsDualWieldAllowed());
    // Unchanged: the controller is not told again, so its own setting stands.
    controller->AllowDualWieldWeapons(false);
    manager().Update(33);
    EXPECT_FALSE(controller->IsDualWieldAllowed());
    Find(kB)->dualWield = false;
    controller->AllowDualWieldWeapons(true);
    manager().Update(33);
    EXPECT_FALSE(controller->IsDualWieldAllowed());
}

TEST_F(SkillManagerOwnerTest, ActiveListHoldsEachSkillOnceAndCooldownsRefresh)
{
    manager().LoadSkills(Record(std::string("skillName1 = ") + kA + "\nskillLevel1 = 1\n" +
                                "skillName2 = " + kB + "\n"),
                         2);
    Skill* a = manager().GetSkill(manager().FindSkillId(kA));
    Skill* b = Made(manager().GetSkill(manager().FindSkillId(kB)), kB);
    a->SetSkillLevel(2);
    EXPECT_FALSE(b->IsSkillEnabled());
    manager().RemoveFromActiveList(b);
    manager().RefreshCooldown();
    manager().RemoveFromActiveList(a);
    manager().RemoveFromActiveList(a);
    const std::string named = std::string(" ") + kA;
    EXPECT_EQ(Calls(), (Lines{"Install" + named, "EndCooldown" + named, "UnInstall" + named}));
    EXPECT_TRUE(manager().GetActiveList().empty());
}

TEST_F(SkillManagerOwnerTest, AMonstersSkillIsEnabledWithItsLevel)
{
    manager().SetIsMonster(true);
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

// Pooled attacks need their profiles (the level cap), so the game engine runs.
class SkillManagerPoolTest : public SkillsFixture {
protected:
    void SetUp() override
    {
        SkillsFixture::SetUp();
        RunPoolAttack::Weights().clear();
        for (const char* name : {"Records/Skills/Default/DefaultWPBasicAttack.dbr",
                                 "Records/Skills/Default/DefaultWeaponAttack.dbr",
                                 "Records/Skills/P1.dbr", "Records/Skills/P2.dbr"})
            database.WriteRecord(name, {"Class = RunPoolAttack", "skillMaxLevel = 10"});
    }

    void Weigh(uint32_t first, uint32_t second, uint32_t fallback)
    {
        RunPoolAttack::Weights()["Records/Skills/Default/DefaultWPBasicAttack.dbr"] = fallback;
        RunPoolAttack::Weights()["Records/Skills/P1.dbr"] = first;
        RunPoolAttack::Weights()["Records/Skills/P2.dbr"] = second;
    }
    const LoadTable kPooled = Tree({{"Records/Skills/P1.dbr", 1}, {"Records/Skills/P2.dbr", 1}});
};

TEST_F(SkillManagerPoolTest, DrawsFallIntoTheRunningTotalsWithTheDefaultLast)
{
    // What is loaded: 0 nothing, 1 the pooled attacks, 2 the defaults too. Picks: the pooled
    // attack 1 or 2, D the default, 0 none.
    struct Row {
        const char* name;
        int loads;
        std::array<uint32_t, 3> weights; // first, second, default
        std::vector<int> draws;
        const char* picks;
        std::pair<int, int> range;
    };
    const Row rows[] = {
        {"30, 20 and 10", 2, {30, 20, 10}, {0, 30, 31, 50, 51, 100}, "1 1 2 2 D D", {0, 100}},
        {"a total past one hundred", 2, {120, 0, 0}, {120}, "1", {0, 120}},
        // Weights from records are unsigned: the sum does not wrap and the draw stays an int.
        {"the largest", 2, {UINT32_MAX, UINT32_MAX, UINT32_MAX}, {INT_MAX}, "1", {0, INT_MAX}},
        {"no default attack", 1, {30, 20, 0}, {0, 30, 31, 50}, "1 1 2 2", {0, 50}},
        {"nothing to draw", 0, {0, 0, 0}, {0}, "0", {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SkillManager manager;
        Weigh(row.weights[0], row.weights[1], row.weights[2]);
        if (row.loads == 2)
            manager.LoadDefaultSkills();
        if (row.loads >= 1)
            manager.LoadSkills(kPooled, 2);
        const std::map<std::string, uint32_t> ids{
            {"1", manager.FindSkillId("Records/Skills/P1.dbr")},
            {"2", manager.FindSkillId("Records/Skills/P2.dbr")},
            {"D", manager.GetDefaultWPSkillId()},
            {"0", 0}};
        ScriptedRandom random;
        random.ints.assign(row.draws.begin(), row.draws.end());
        std::istringstream picks(row.picks);
        for (std::string pick; picks >> pick;)
            EXPECT_EQ(manager.SelectWeaponPoolSkill(random), ids.at(pick)) << pick;
        EXPECT_EQ(random.intCalls.back(), row.range);
    }
}

} // namespace

} // namespace GAME::Test
