#include "skills/SkillManager.h"

#include "ai/ControllerCharacter.h"
#include "combat/CombatManager.h"
#include "engine/Name.h"
#include "items/EquipManager.h"
#include "skills/SkillActivated.h"
#include "skills/Skill_WPAttack.h"
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
    void Update(Character&, int32_t) override { Note("Update"); }
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

namespace {

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
    const std::string& Enchantment() const
    {
        return character->GetCombatManager().GetEquipManager().GetWeaponEnchantment();
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

TEST_F(SkillManagerRunTest, AFailedStartLogsAndResetsNothingAndHitCallbacksCount)
{
    manager().SetAsControllingManager();
    SkillServicesBase& services = *manager().GetSkillServices();
    const WorldVec3 point;
    services.IncHitIteration();
    Find(kB)->startAnswer = false;
    LogCapture log;
    EXPECT_FALSE(manager().StartSkill(1, 7, point, 99));
    EXPECT_EQ(services.GetHitIteration(), 1u);
    EXPECT_EQ(1u, log.Count(2, "Animation failed to start in SkillManager::StartSkill - " +
                                   character->GetObjectName() + " " + kB));
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
    manager().SkillTargetResult(0, {11, 12}, origin, 4, 0, true, 1);
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
    Skill* b = Made(manager().GetSkill(manager().FindSkillId(kB)), kB);
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

TEST_F(SkillManagerRunTest, OnlyTheTwoRangedHandStatesGiveTheRangedProfile)
{
    HandsManager hands;
    for (const int32_t state : {3, 5, 4, 0, 1}) {
        hands.handState = state;
        hands.Update(33);
        const bool ranged = state == 3 || state == 5;
        EXPECT_EQ(hands.IsRangedWeapon(), ranged) << state;
        EXPECT_EQ(hands.GetWeaponRangeProfile(), ranged ? 3 : 0) << state;
    }
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
        {"the default alone", 2, {0, 0, 10}, {0}, "D", {0, 100}},
        // Weights from records are unsigned: the sum does not wrap and the draw stays an int.
        {"the largest weights",
         2,
         {UINT32_MAX, UINT32_MAX, UINT32_MAX},
         {INT_MAX},
         "1",
         {0, INT_MAX}},
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
