#include "skills/Skill_AttackRadius.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "combat/ParametersCombat.h"
#include "core/StringHelpers.h"
#include "engine/ABBox.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_AttackBuffRadius.h"
#include "skills/Skill_AttackRadiusLightning.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/StubSkillOwner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// A defender that counts the attacks it takes.
class WaveTarget : public Character {
    GAME_DECLARE_CLASS(WaveTarget)

public:
    bool TakeAttack(ParametersCombat&) override
    {
        ++attacks;
        return true;
    }
    int attacks = 0;
};
GAME_IMPLEMENT_CLASS(WaveTarget, Character);

namespace {

constexpr uint32_t kRegion = 1;

class WaveServices : public SkillServicesBase {
public:
    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>& targets, const WorldCoords&,
                          uint32_t seed, uint32_t target, bool) override
    {
        results.push_back(targets);
        seeds.push_back(seed);
        chosen.push_back(target);
    }
    void SendSkillStateUpdate(uint32_t, const SkillState&) override {}
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState& state) override
    {
        active.push_back(state);
    }
    void SendCreateProjectile(uint32_t, const WorldCoords&, uint32_t, const WorldVec3&, uint32_t,
                              uint32_t) override
    {}
    void SendSpawnObject(uint32_t, const WorldCoords&, uint32_t, const std::vector<WorldCoords>&,
                         const std::vector<uint32_t>&, uint32_t) override
    {}
    void RemoveSkillBuff(const std::string&) override {}

    std::vector<std::vector<uint32_t>> results;
    std::vector<uint32_t> seeds;
    std::vector<uint32_t> chosen;
    std::vector<SkillActiveState> active;
};

class WaveOwner : public StubSkillOwner {
public:
    SkillServicesBase* GetSkillServices() const override
    {
        return controlling ? &services : nullptr;
    }
    bool controlling = true;
    mutable WaveServices services;
};

class Skill_AttackRadiusTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-500, -10, -500}, {500, 10, 500}));
        caster = Place({0, 0, 0}, TeamManager::BuildTeam(2, 1));
        mana.mana = 100.0f;
        mirror.controlling = false;
        mirror.mana = 100.0f;
    }
    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    template <class Kind> Kind* Make(std::initializer_list<std::string> lines, WaveOwner& owner)
    {
        const std::string path = "Records/Skills/Wave" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, lines);
        Kind* skill = ObjectManager::Instance().CreateObjectFromFile<Kind>(path);
        EXPECT_NE(skill, nullptr);
        skill->SetManager(&owner);
        skill->SetSkillLevel(1);
        return skill;
    }
    Character* Place(const Vec3& position, const Team& team)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("WaveTarget"));
        character->SetTeam(team);
        gEngine->GetWorld()->AddEntity(character, WorldCoords(WorldVec3(kRegion, position)), true);
        character->InitialUpdate();
        return character;
    }
    WaveTarget* Foe(const Vec3& position)
    {
        return static_cast<WaveTarget*>(Place(position, TeamManager::DefaultMonsterTeam()));
    }
    static WorldVec3 At(float x, float z) { return WorldVec3(kRegion, {x, 0, z}); }
    std::vector<std::vector<uint32_t>>& Results() { return mana.services.results; }

    std::unique_ptr<World> previousWorld;
    WaveOwner mana;
    WaveOwner mirror;
    Character* caster = nullptr;
    int made = 0;
};

TEST_F(Skill_AttackRadiusTest, RadiusTimeZeroHitsEveryWaitingEnemyInTheFirstUpdate)
{
    auto* skill = Make<Skill_AttackRadius>(
        {"Class = Skill_AttackRadius", "skillMaxLevel = 1", "skillTargetRadius = 6"}, mana);
    EXPECT_EQ(skill->GetSkillType(), 1);
    uint32_t target = 55;
    EXPECT_TRUE(skill->GetValidTarget(*caster, target, At(0, 0), false, 0.0f));
    EXPECT_EQ(target, 0u);
    Foe({0, 0, 1});
    Foe({0, 0, 5});
    Foe({0, 0, 9}); // outside the wave

    skill->ActivateNow(*caster, Name(), 0, At(0, 0));
    ASSERT_EQ(skill->GetWaitingTargets().size(), 2u);
    EXPECT_FALSE(skill->SetAvailability(true, true));
    EXPECT_EQ(skill->GetReason(), 1);
    skill->Update(*caster, 1);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].size(), 2u);
    EXPECT_TRUE(skill->GetWaitingTargets().empty());
}

TEST_F(Skill_AttackRadiusTest, WaveReachesEachEnemyAtItsDistanceAndDropsTheRestAtTheEnd)
{
    // 0.1 s: one unit per 100 ms.
    auto* skill = Make<Skill_AttackRadius>({"Class = Skill_AttackRadius", "skillMaxLevel = 1",
                                            "skillTargetRadius = 4", "expansionTime = 0.1"},
                                           mana);
    const uint32_t near = Foe({0, 0, 1})->GetObjectId();
    WaveTarget* walker = Foe({0, 0, 3.5f});
    skill->ActivateNow(*caster, Name(), 0, At(0, 0));
    skill->Update(*caster, 150);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0], std::vector<uint32_t>{near});
    // Walks out of the wave's way: waits until the wave ends, then is dropped.
    gEngine->GetWorld()->SetCoords(walker, WorldCoords(At(0, 9)));
    skill->Update(*caster, 200);
    EXPECT_EQ(skill->GetWaitingTargets().size(), 1u);
    skill->Update(*caster, 100);
    EXPECT_EQ(Results().size(), 1u);
    EXPECT_TRUE(skill->GetWaitingTargets().empty());

    // Every machine applies the result alike, with style 0 and no avoidance.
    auto* victim = static_cast<WaveTarget*>(ObjectManager::Instance().GetObject<Character>(near));
    skill->TargetResult(*caster, Results()[0], WorldCoords(At(0, 0)), 9, 0, false);
    EXPECT_EQ(victim->attacks, 1);
}

TEST_F(Skill_AttackRadiusTest, WaveChargesOnceOnEachMachine)
{
    auto* skill = Make<Skill_AttackRadius>({"Class = Skill_AttackRadius", "skillMaxLevel = 1",
                                            "skillTargetRadius = 4", "skillManaCost = 7"},
                                           mana);
    auto* mirrored = Make<Skill_AttackRadius>({"Class = Skill_AttackRadius", "skillMaxLevel = 1",
                                               "skillTargetRadius = 4", "skillManaCost = 7"},
                                              mirror);
    skill->ActivateNow(*caster, Name(), 0, At(0, 0));
    ASSERT_EQ(mana.services.active.size(), 1u);
    const SkillActiveState sent = mana.services.active[0];
    EXPECT_TRUE(sent.active);
    EXPECT_FLOAT_EQ(mana.manaSubtracted, 0.0f);

    for (Skill_AttackRadius* each : {skill, mirrored}) {
        each->ReceiveActiveUpdate(caster, sent, false);
        EXPECT_FALSE(each->GetActiveState().active);
        each->ReceiveActiveUpdate(caster, each->GetActiveState(), false);
    }
    EXPECT_FLOAT_EQ(mana.manaSubtracted, 7.0f);
    EXPECT_FLOAT_EQ(mirror.manaSubtracted, 7.0f);
    // The mirror holds no wave of its own.
    mirrored->Update(*caster, 5000);
    EXPECT_TRUE(mirror.services.results.empty());
}

TEST_F(Skill_AttackRadiusTest, LightningThatNeverLandsStrikesAfterFiveSecondsAndOnce)
{
    database.WriteRecord("Records/Effects/Bolt.dbr", {"Class = Lightning", "numberOfBolts = 1",
                                                      "timeMin = 100", "timeMax = 100"});
    auto* skill = Make<Skill_AttackRadiusLightning>({"Class = Skill_AttackRadiusLightning",
                                                     "skillMaxLevel = 1", "skillTargetRadius = 3",
                                                     "lightningName = Records/Effects/Bolt.dbr"},
                                                    mana);
    WaveTarget* chosen = Foe({10, 0, 0});
    WaveTarget* beside = Foe({11, 0, 0});
    skill->ActivateNow(*caster, Name(), chosen->GetObjectId(), At(10, 0));
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].size(), 2u);
    EXPECT_EQ(Results()[0][0], chosen->GetObjectId());
    EXPECT_EQ(mana.services.chosen[0], chosen->GetObjectId());

    skill->TargetResult(*caster, Results()[0], WorldCoords(At(10, 0)), mana.services.seeds[0],
                        chosen->GetObjectId(), false);
    EXPECT_NE(skill->GetLightningId(), 0u);
    EXPECT_FALSE(skill->SetAvailability(true, true));
    skill->Update(*caster, 4999);
    EXPECT_EQ(chosen->attacks, 0);
    skill->Update(*caster, 1);
    EXPECT_EQ(chosen->attacks, 1);
    EXPECT_EQ(beside->attacks, 1);
    EXPECT_EQ(skill->GetLightningId(), 0u);
    EXPECT_TRUE(skill->GetStoredTargets().empty());
}

TEST_F(Skill_AttackRadiusTest, DebuffsOutOfReachOrWithoutTargetsSendNothing)
{
    database.WriteRecord(
        "Records/Skills/Curse.dbr",
        {"Class = SkillBuff_Debuf", "skillMaxLevel = 1", "skillActiveDuration = 3"});
    auto* single = Make<Skill_AttackBuff>(
        {"Class = Skill_AttackBuff", "buffSkillName = Records/Skills/Curse.dbr"}, mana);
    EXPECT_FALSE(single->IsRepeatable());
    EXPECT_EQ(single->GetResourceName(),
              Name::Create(NormalizeFileName("Records/Skills/Curse.dbr")));
    WaveTarget* far = Foe({0, 0, 25});
    single->ActivateNow(*caster, Name(), far->GetObjectId(), At(0, 25));
    EXPECT_TRUE(Results().empty());
    WaveTarget* near = Foe({0, 0, 5});
    single->ActivateNow(*caster, Name(), near->GetObjectId(), At(0, 5));
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(near->attacks, 0);

    auto* radius = Make<Skill_AttackBuffRadius>(
        {"Class = Skill_AttackBuffRadius", "buffSkillName = Records/Skills/Curse.dbr"}, mana);
    radius->ActivateNow(*caster, Name(), 0, At(0, 5));
    EXPECT_EQ(Results().size(), 1u);
    radius->ActivateNow(*caster, Name(), far->GetObjectId(), At(0, 0));
    ASSERT_EQ(Results().size(), 2u);
    EXPECT_EQ(Results()[1], std::vector<uint32_t>{far->GetObjectId()});
}

TEST_F(Skill_AttackRadiusTest, DebuffWithoutItsRecordLogsAndStaysUnloaded)
{
    LogCapture log;
    auto* skill = Make<Skill_AttackBuff>(
        {"Class = Skill_AttackBuff", "buffSkillName = Records/Skills/Missing.dbr"}, mana);
    const std::string line = "Skill_AttackBuff: no debuff record (Records/Skills/Missing.dbr) (" +
                             skill->GetObjectName() + ")";
    EXPECT_EQ(log.Count(1, line), 1u);
    auto* empty = Make<Skill_AttackBuff>({"Class = Skill_AttackBuff"}, mana);
    EXPECT_EQ(
        log.Count(1, "Skill_AttackBuff: no debuff record () (" + empty->GetObjectName() + ")"), 1u);
}

} // namespace

} // namespace GAME::Test
