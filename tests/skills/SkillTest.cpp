#include "skills/Skill.h"

#include "characters/Character.h"
#include "engine/Coords.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "skills/SkillServicesBase.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/StubSkillOwner.h"

#include <gtest/gtest.h>

#include <set>

namespace GAME::Test {

// Reaches the protected level step and the cooldown.
class LevelSkill : public Skill {
    GAME_DECLARE_CLASS(LevelSkill)

public:
    using Skill::AddSkillLevel;
    void SetCooldown(int32_t ms) { cooldownRemaining = ms; }
};

GAME_IMPLEMENT_CLASS(LevelSkill, Skill);

namespace {

class StateRecorder : public SkillServicesBase {
public:
    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>&, const WorldCoords&, uint32_t,
                          uint32_t, bool) override
    {}
    void SendSkillStateUpdate(uint32_t, const SkillState& state) override
    {
        states.push_back(state);
    }
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState&) override {}
    void SendCreateProjectile(uint32_t, const WorldCoords&, uint32_t, const WorldVec3&, uint32_t,
                              uint32_t) override
    {}
    void SendSpawnObject(uint32_t, const WorldCoords&, uint32_t, const std::vector<WorldCoords>&,
                         const std::vector<uint32_t>&, uint32_t) override
    {}
    void RemoveSkillBuff(const std::string&) override {}

    std::vector<SkillState> states;
};

// Controls its skills when `controlling` is set, and keeps the active list as a set.
class ListOwner : public StubSkillOwner {
public:
    SkillServicesBase* GetSkillServices() const override
    {
        return controlling ? &services : nullptr;
    }
    void AddToActiveList(Skill* skill) override { active.insert(skill); }
    void RemoveFromActiveList(Skill* skill) override { active.erase(skill); }

    bool controlling = true;
    mutable StateRecorder services;
    std::set<Skill*> active;
};

class SkillTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    Skill* Make(const std::string& path, std::initializer_list<std::string> lines)
    {
        database.WriteRecord(path, lines);
        Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>(path);
        EXPECT_NE(skill, nullptr);
        if (skill != nullptr)
            skill->SetManager(&owner);
        return skill;
    }
    static LevelSkill& Levels(Skill* skill) { return static_cast<LevelSkill&>(*skill); }

    ListOwner owner;
};

TEST_F(SkillTest, LevelsAugmentsAndTheActiveList)
{
    Skill* skill = Make("Records/Skills/Bolt.dbr",
                        {"Class = LevelSkill", "skillMaxLevel = 8", "skillUltimateLevel = 12"});
    ASSERT_NE(skill, nullptr);
    EXPECT_EQ(skill->GetResourceName(), Name::Create("records\\skills\\bolt.dbr"));
    EXPECT_EQ(skill->GetMaxLevel(), 8u);

    skill->IncrementAugmentedSkillLevel(3);
    EXPECT_EQ(skill->GetCurrentLevel(), 0u) << "augments need a learnt skill";
    EXPECT_FALSE(skill->SetAvailability(true, true));
    EXPECT_EQ(skill->GetReason(), 5);
    skill->DecrementAugmentedSkillLevel(5);
    EXPECT_EQ(skill->GetAugmentedLevel(), 0u);

    skill->IncrementAugmentedSkillLevel(10);
    skill->SetSkillLevel(5);
    EXPECT_EQ(skill->GetCurrentLevel(), 12u);
    EXPECT_EQ(owner.active.count(skill), 1u);

    // Climbing past the maximum stops there and tells once.
    owner.services.states.clear();
    skill->IncrementSkillLevel(100);
    EXPECT_EQ(skill->GetSkillLevel(), 8u);
    ASSERT_EQ(owner.services.states.size(), 1u);
    EXPECT_EQ(owner.services.states[0].skillLevel, 8u);
    skill->IncrementSkillLevel(1);
    Levels(skill).AddSkillLevel(-100);
    EXPECT_EQ(skill->GetSkillLevel(), 0u) << "signed: a negative step lowers the level";
    EXPECT_EQ(owner.services.states.size(), 2u);

    EXPECT_FALSE(skill->DecrementSkillLevel());
    EXPECT_EQ(owner.services.states.size(), 2u);
    skill->SetSkillLevel(1);
    EXPECT_TRUE(skill->DecrementSkillLevel());
    EXPECT_EQ(skill->GetSkillLevel(), 0u);
    EXPECT_EQ(owner.active.count(skill), 0u);
}

TEST_F(SkillTest, ReceivedStatesApplyOnMirrorsOrWhenForced)
{
    Skill* skill = Make("Records/Skills/Bolt.dbr",
                        {"Class = LevelSkill", "skillMaxLevel = 8", "skillUltimateLevel = 12"});
    ASSERT_NE(skill, nullptr);
    owner.controlling = false;
    skill->IncrementAugmentedSkillLevel(2);
    skill->ReceiveStateUpdate(SkillState{4294967295u, true}, false);
    EXPECT_EQ(skill->GetCurrentLevel(), 12u) << "no wrap to a small level";
    EXPECT_EQ(owner.active.count(skill), 1u);

    owner.active.clear();
    owner.active.insert(skill);
    skill->ReceiveStateUpdate(SkillState{0, false}, false);
    EXPECT_EQ(owner.active.count(skill), 0u);

    // The controlling machine keeps its own level unless forced.
    owner.controlling = true;
    skill->ReceiveStateUpdate(SkillState{3, true}, false);
    EXPECT_EQ(skill->GetSkillLevel(), 0u);
    skill->ReceiveStateUpdate(SkillState{3, true}, true);
    EXPECT_EQ(skill->GetSkillLevel(), 3u);
}

TEST_F(SkillTest, AvailabilityTakesTheFirstFailingTest)
{
    Skill* skill = Make("Records/Skills/Cleave.dbr",
                        {"Class = LevelSkill", "skillMaxLevel = 3", "skillManaCost = 20",
                         "skillCooldownTime = 3", "Sword = 1"});
    ASSERT_NE(skill, nullptr);
    skill->SetSkillLevel(1);
    owner.mana = 0.0f;
    owner.rightType = Weapon_Type_Sword;
    Levels(skill).SetCooldown(1000);

    EXPECT_FALSE(skill->SetAvailability(false, false));
    EXPECT_EQ(skill->GetReason(), 2);
    EXPECT_FALSE(skill->UseDefaultWhenUnavailable());
    EXPECT_FALSE(skill->SetAvailability(true, false));
    EXPECT_EQ(skill->GetReason(), 1);
    EXPECT_FALSE(skill->UseDefaultWhenUnavailable());

    owner.rightType = Weapon_Type_Bow;
    EXPECT_FALSE(skill->SetAvailability(true, true));
    EXPECT_EQ(skill->GetReason(), 4);
    EXPECT_TRUE(skill->UseDefaultWhenUnavailable());

    owner.rightType = Weapon_Type_Sword;
    owner.mana = 50.0f;
    EXPECT_TRUE(skill->SetAvailability(false, true));
    EXPECT_EQ(skill->GetReason(), 0);
}

TEST_F(SkillTest, UpdateDecidesAvailabilityOnlyWhereItControls)
{
    Skill* skill = Make("Records/Skills/Bolt.dbr", {"Class = LevelSkill", "skillMaxLevel = 3"});
    ASSERT_NE(skill, nullptr);
    auto* character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    ASSERT_NE(character, nullptr);
    skill->SetSkillLevel(1);
    Levels(skill).SetCooldown(100);

    owner.controlling = false;
    skill->Update(*character, 40);
    EXPECT_EQ(skill->GetCooldownRemaining(), 60);
    EXPECT_FALSE(skill->GetSkillState().enabled);

    owner.controlling = true;
    owner.services.states.clear();
    skill->Update(*character, 60);
    EXPECT_TRUE(skill->GetSkillState().enabled);
    EXPECT_EQ(owner.services.states.size(), 1u);
    skill->Update(*character, 10);
    EXPECT_EQ(owner.services.states.size(), 1u) << "no change, nothing sent";
}

TEST_F(SkillTest, DistanceProfileAndCallbackPoints)
{
    Skill* skill =
        Make("Records/Skills/Arrow.dbr", {"Class = LevelSkill", "distanceProfile = Long"});
    ASSERT_NE(skill, nullptr);
    EXPECT_EQ(skill->GetRangeProfile(), 3);
    skill->LoadResources(Record("distanceProfile = far\n"));
    EXPECT_EQ(skill->GetRangeProfile(), 3);
    skill->LoadResources(Record("distanceProfile = Melee\n"));
    EXPECT_EQ(skill->GetRangeProfile(), 0);

    auto* character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    ASSERT_NE(character, nullptr);
    character->SetAttachPointPlacement(Name::Create("SpecialHit03"),
                                       Coords::FromTranslation({1.0f, 2.0f, 3.0f}));
    character->SetAttachPointPlacement(Name::Create("R Hand"),
                                       Coords::FromTranslation({4.0f, 0.0f, 0.0f}));
    const WorldCoords special =
        skill->GetCoordsFromCallback(*character, Name::Create("SpecialHit03"));
    EXPECT_FLOAT_EQ(special.GetRegionCoords().origin.y, 2.0f);
    const WorldCoords hand = skill->GetCoordsFromCallback(*character, Name::Create("RightHandHit"));
    EXPECT_FLOAT_EQ(hand.GetRegionCoords().origin.x, 4.0f);
    EXPECT_EQ(skill->GetCoordsFromCallback(*character, Name::Create("Hit")),
              character->GetCoords());
}

} // namespace
} // namespace GAME::Test
