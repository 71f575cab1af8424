#include "skills/Skill_AttackSpell.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "combat/ParametersCombat.h"
#include "engine/ABBox.h"
#include "engine/ChaosBeam.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_AttackSpellChaos.h"
#include "skills/Skill_AttackSpellTeleport.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/StubSkillOwner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

class SpellTarget : public Character {
    GAME_DECLARE_CLASS(SpellTarget)

public:
    bool TakeAttack(ParametersCombat&) override
    {
        ++attacks;
        return true;
    }
    int attacks = 0;
};
GAME_IMPLEMENT_CLASS(SpellTarget, Character);

namespace {

constexpr uint32_t kRegion = 1;

class SpellServices : public SkillServicesBase {
public:
    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>& targets, const WorldCoords&,
                          uint32_t seed, uint32_t target, bool) override
    {
        results.push_back({targets, seed, target});
    }
    void SendSkillStateUpdate(uint32_t, const SkillState&) override {}
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState&) override {}
    void SendCreateProjectile(uint32_t, const WorldCoords&, uint32_t, const WorldVec3&, uint32_t,
                              uint32_t) override
    {}
    void SendSpawnObject(uint32_t, const WorldCoords&, uint32_t, const std::vector<WorldCoords>&,
                         const std::vector<uint32_t>&, uint32_t) override
    {}
    void RemoveSkillBuff(const std::string&) override {}

    struct Result {
        std::vector<uint32_t> targets;
        uint32_t seed;
        uint32_t target;
    };
    std::vector<Result> results;
};

class SpellOwner : public StubSkillOwner {
public:
    SkillServicesBase* GetSkillServices() const override { return &services; }
    mutable SpellServices services;
};

class Skill_AttackSpellTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-500, -10, -500}, {500, 10, 500}));
        caster = Place({0, 0, 0}, TeamManager::BuildTeam(2, 1));
        database.WriteRecord("Records/Effects/Beam.dbr", {"Class = ChaosBeam"});
    }
    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    template <class Kind> Kind* Make(std::initializer_list<std::string> lines)
    {
        const std::string path = "Records/Skills/Spell" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, lines);
        Kind* skill = ObjectManager::Instance().CreateObjectFromFile<Kind>(path);
        EXPECT_NE(skill, nullptr);
        skill->SetManager(&owner);
        skill->SetSkillLevel(1);
        return skill;
    }
    SpellTarget* Place(const Vec3& position, const Team& team)
    {
        auto* character =
            static_cast<SpellTarget*>(ObjectManager::Instance().CreateObject("SpellTarget"));
        character->SetTeam(team);
        gEngine->GetWorld()->AddEntity(character, WorldCoords(WorldVec3(kRegion, position)), true);
        character->InitialUpdate();
        return character;
    }
    SpellTarget* Foe(const Vec3& position)
    {
        return Place(position, TeamManager::DefaultMonsterTeam());
    }
    Skill_AttackSpellChaos* Chaos(const std::string& maxDistance)
    {
        return Make<Skill_AttackSpellChaos>({"Class = Skill_AttackSpellChaos", "skillMaxLevel = 1",
                                             "headVelocity = 2.0", "tailVelocity = 4.0",
                                             "maxDistance = " + maxDistance,
                                             "chaosBeamName = Records/Effects/Beam.dbr"});
    }
    // The start message, as every machine receives it.
    void Start(Skill_AttackSpellChaos* skill, SpellTarget* target)
    {
        skill->ActivateNow(*caster, Name(), target->GetObjectId(),
                           target->GetCoords().GetPosition());
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_TRUE(Sent()[0].targets.empty());
        EXPECT_EQ(skill->GetBeamState(), 1);
        skill->TargetResult(*caster, {}, caster->GetCoords(), Sent()[0].seed, Sent()[0].target,
                            false);
        EXPECT_EQ(skill->GetBeamState(), 2);
    }
    std::vector<SpellServices::Result>& Sent() { return owner.services.results; }
    using GameEngineFixture::Start;

    std::unique_ptr<World> previousWorld;
    SpellOwner owner;
    SpellTarget* caster = nullptr;
    int made = 0;
};

TEST_F(Skill_AttackSpellTest, SpellOutOfReachSendsNothingAndAHitLandsOnce)
{
    auto* skill = Make<Skill_AttackSpell>({"Class = Skill_AttackSpell", "skillMaxLevel = 1"});
    SpellTarget* far = Foe({0, 0, 25});
    skill->ActivateNow(*caster, Name(), far->GetObjectId(), far->GetCoords().GetPosition());
    EXPECT_TRUE(Sent().empty());
    SpellTarget* near = Foe({0, 0, 8});
    skill->ActivateNow(*caster, Name(), near->GetObjectId(), near->GetCoords().GetPosition());
    ASSERT_EQ(Sent().size(), 1u);
    skill->TargetResult(*caster, Sent()[0].targets, caster->GetCoords(), Sent()[0].seed, 0, false);
    EXPECT_EQ(near->attacks, 1);
}

TEST_F(Skill_AttackSpellTest, TeleportSwapsCasterAndTargetAndAVanishedTargetNothing)
{
    auto* skill =
        Make<Skill_AttackSpellTeleport>({"Class = Skill_AttackSpellTeleport", "skillMaxLevel = 1"});
    SpellTarget* target = Foe({3, 0, 4});
    skill->TargetResult(*caster, {target->GetObjectId()}, caster->GetCoords(), 5, 0, false);
    EXPECT_EQ(caster->GetCoords().GetPosition(), WorldVec3(kRegion, {3, 0, 4}));
    EXPECT_EQ(target->GetCoords().GetPosition(), WorldVec3(kRegion, {0, 0, 0}));
    EXPECT_EQ(target->attacks, 1);

    SpellTarget* other = Foe({6, 0, 0});
    skill->TargetResult(*caster, {999999, other->GetObjectId()}, caster->GetCoords(), 5, 0, false);
    EXPECT_EQ(caster->GetCoords().GetPosition(), WorldVec3(kRegion, {3, 0, 4}));
    EXPECT_EQ(other->GetCoords().GetPosition(), WorldVec3(kRegion, {6, 0, 0}));
    EXPECT_EQ(other->attacks, 1);
}

TEST_F(Skill_AttackSpellTest, ChaosBeamGrowsStrikesRetractsAndReturnsToIdle)
{
    auto* skill = Chaos("30");
    SpellTarget* target = Foe({0, 0, 5});
    uint32_t id = target->GetObjectId();
    EXPECT_TRUE(skill->GetValidTarget(*caster, id, {}, false, 0.0f));
    Start(skill, target);
    EXPECT_FALSE(skill->SetAvailability(true, true));
    EXPECT_EQ(skill->GetReason(), 1);

    skill->Update(*caster, 100);
    EXPECT_EQ(skill->GetBeamState(), 3);
    const uint32_t beamId = skill->GetBeamId();
    ASSERT_NE(ObjectManager::Instance().GetObject<ChaosBeam>(beamId), nullptr);
    skill->Update(*caster, 250);
    EXPECT_FLOAT_EQ(skill->GetHead(), 0.5f);
    EXPECT_EQ(Sent().size(), 1u);
    skill->Update(*caster, 250);
    EXPECT_EQ(skill->GetBeamState(), 4);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].targets, std::vector<uint32_t>{target->GetObjectId()});
    skill->TargetResult(*caster, Sent()[1].targets, caster->GetCoords(), Sent()[1].seed,
                        Sent()[1].target, false);
    EXPECT_EQ(target->attacks, 1);

    skill->Update(*caster, 250);
    EXPECT_EQ(skill->GetBeamState(), 5);
    skill->Update(*caster, 10);
    EXPECT_EQ(skill->GetBeamState(), 0);
    EXPECT_EQ(ObjectManager::Instance().GetObject<ChaosBeam>(beamId), nullptr);
    EXPECT_TRUE(skill->SetAvailability(true, true));
}

TEST_F(Skill_AttackSpellTest, ChaosBeamBeyondItsReachMissesAndBothEndsRunBack)
{
    auto* skill = Chaos("1");
    SpellTarget* target = Foe({0, 0, 5});
    Start(skill, target);
    skill->Update(*caster, 10);
    skill->Update(*caster, 500);
    EXPECT_EQ(skill->GetBeamState(), 4);
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_EQ(skill->GetBeamTarget(), 0u);
    skill->Update(*caster, 100);
    EXPECT_FLOAT_EQ(skill->GetHead(), 0.6f);
    EXPECT_FLOAT_EQ(skill->GetTail(), 0.4f);
    skill->Update(*caster, 100);
    EXPECT_FLOAT_EQ(skill->GetHead(), skill->GetTail());
    EXPECT_EQ(skill->GetBeamState(), 5);
    EXPECT_EQ(target->attacks, 0);
}

TEST_F(Skill_AttackSpellTest, StillBeamNeverArrivesUntilStopSkillLiberatesIt)
{
    // No head velocity: the beam keeps growing by nothing.
    auto* skill = Make<Skill_AttackSpellChaos>({"Class = Skill_AttackSpellChaos",
                                                "skillMaxLevel = 1", "maxDistance = 30",
                                                "chaosBeamName = Records/Effects/Beam.dbr"});
    Start(skill, Foe({0, 0, 5}));
    skill->Update(*caster, 10);
    skill->Update(*caster, 60000);
    ASSERT_EQ(skill->GetBeamState(), 3);
    EXPECT_FLOAT_EQ(skill->GetHead(), 0.0f);
    const uint32_t beamId = skill->GetBeamId();
    skill->StopSkill(*caster);
    EXPECT_EQ(skill->GetBeamState(), 0);
    EXPECT_EQ(skill->GetBeamId(), 0u);
    EXPECT_EQ(ObjectManager::Instance().GetObject<ChaosBeam>(beamId), nullptr);
}

} // namespace

} // namespace GAME::Test
