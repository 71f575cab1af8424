#include "skills/Skill_PassiveOnHitBuffSelf.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/PlayStats.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "skills/SkillManager.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_MeleeModifierRadius.h"
#include "skills/Skill_PassiveOnLifeBuffSelf.h"
#include "skills/Skill_ProjectileModifier.h"
#include "tests/support/GameEngineFixture.h"
#include "world/ProjectileInfo.h"

#include <gtest/gtest.h>

#include <array>

namespace GAME::Test {

namespace {

// Keeps what the skill sends instead of sending it.
class SentStates : public SkillServicesBase {
public:
    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>& targets, const WorldCoords&,
                          uint32_t, uint32_t weaponId, bool) override
    {
        results.push_back({static_cast<uint32_t>(targets.size()), weaponId, hitIteration});
    }
    void SendSkillStateUpdate(uint32_t, const SkillState&) override {}
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState& state) override
    {
        sent.push_back(state.active);
    }
    void SendCreateProjectile(uint32_t, const WorldCoords&, uint32_t, const WorldVec3&, uint32_t,
                              uint32_t) override
    {}
    void SendSpawnObject(uint32_t, const WorldCoords&, uint32_t, const std::vector<WorldCoords>&,
                         const std::vector<uint32_t>&, uint32_t) override
    {}
    void RemoveSkillBuff(const std::string&) override {}

    std::vector<bool> sent;
    // Targets, weapon and the hit iteration at the time.
    std::vector<std::array<uint32_t, 3>> results;
};

// A controlling owner while it has services, a mirroring one without.
class OwnerManager : public SkillManager {
public:
    SkillServicesBase* GetSkillServices() const override { return services; }
    SkillServicesBase* services = nullptr;
};

class SelfBuffTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(CharacterBio::kRegenRecord, {"manaOverStorageLimit = 1"});
        Start();
        database.WriteRecord("Records/Creatures/Owner.dbr",
                             {"Class = Character", "characterLife = 1000"});
        ObjectManager& objects = ObjectManager::Instance();
        owner = objects.CreateObjectFromFile<Character>("Records/Creatures/Owner.dbr");
        ASSERT_NE(owner, nullptr);
        owner->InitialUpdate();
        owner->GetCharacterBio().Update(*owner, 0);
        manager.Initialize(nullptr, owner);
        manager.services = &services;
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        if (previousWorld != nullptr)
            gEngine->SetWorld(std::move(previousWorld));
    }

    template <typename T> T* Make(const std::string& kind, const std::string& extra)
    {
        const std::string path = "Records/Skills/" + kind + ".dbr";
        database.WriteRecord(path,
                             {"Class = " + kind, "skillMaxLevel = 3", "skillActiveDuration = 2.5",
                              "damageAbsorption = 30", "damageAbsorptionPercent = 50", extra});
        auto* skill = ObjectManager::Instance().CreateObjectFromFile<T>(path);
        if (skill != nullptr) {
            skill->SetAsTempSkill();
            skill->SetManager(&manager);
            skill->ReceiveStateUpdate(SkillState{1, true}, true);
        }
        return skill;
    }

    // What a fire hit of 100 leaves of the owner's life.
    float LifeAfterHit()
    {
        const float before = owner->GetCurrentLife();
        owner->ApplyDamage(100.0f, PlayStatsDamageType{}, CombatAttributeType_Fire);
        return before - owner->GetCurrentLife();
    }

    Character* owner = nullptr;
    std::unique_ptr<World> previousWorld;
    SentStates services;
    OwnerManager manager;
};

} // namespace

TEST_F(SelfBuffTest, OnHitFiresOnceWhileRunningAndShieldsUntilItGoesOff)
{
    auto* buff = Make<Skill_PassiveOnHitBuffSelf>("Skill_PassiveOnHitBuffSelf",
                                                  "onHitActivationChance = 100");
    ASSERT_NE(buff, nullptr);
    RandomUniform hit;
    const ParametersCombat parameters(hit);
    EXPECT_TRUE(buff->IsSkillOnHitActive());
    buff->OnHitActivation(*owner, parameters);
    buff->OnHitActivation(*owner, parameters);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
    EXPECT_EQ(buff->TrackableRemainingTime(1), 2500);
    EXPECT_TRUE(buff->IsTrackable(1));

    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, false), false);
    EXPECT_FLOAT_EQ(LifeAfterHit(), 20.0f);
    buff->Update(*owner, 2499);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
    buff->Update(*owner, 1);
    EXPECT_EQ(services.sent, (std::vector<bool>{true, false}));
    EXPECT_EQ(buff->TrackableTotalTime(1), 1);
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, false, false), false);
    EXPECT_FLOAT_EQ(LifeAfterHit(), 100.0f);
}

TEST_F(SelfBuffTest, ARemoteCopyDrawsNothingAndAChanceOfZeroFiresOnADrawOfZero)
{
    auto* buff =
        Make<Skill_PassiveOnHitBuffSelf>("Skill_PassiveOnHitBuffSelf", "onHitActivationChance = 0");
    ASSERT_NE(buff, nullptr);
    RandomUniform hit;
    const ParametersCombat parameters(hit);
    RandomUniform& shared = GameEngine::Get().GetRandomGen();

    manager.services = nullptr;
    shared.Seed(7);
    buff->OnHitActivation(*owner, parameters);
    EXPECT_EQ(shared.IGenerate(0, 1000000), [] {
        RandomUniform same;
        same.Seed(7);
        return same.IGenerate(0, 1000000);
    }());

    // Seeds whose first draw is 1, then 0.
    manager.services = &services;
    uint32_t seeds[2] = {0, 0};
    for (uint32_t seed = 1; seed < 100000 && (seeds[0] == 0 || seeds[1] == 0); ++seed) {
        RandomUniform probe;
        probe.Seed(seed);
        const int draw = probe.IGenerate(0, 100);
        if (draw <= 1 && seeds[draw == 0 ? 1 : 0] == 0)
            seeds[draw == 0 ? 1 : 0] = seed;
    }
    ASSERT_NE(seeds[0], 0u);
    ASSERT_NE(seeds[1], 0u);
    shared.Seed(seeds[0]);
    buff->OnHitActivation(*owner, parameters);
    EXPECT_TRUE(services.sent.empty());
    shared.Seed(seeds[1]);
    buff->OnHitActivation(*owner, parameters);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
}

TEST_F(SelfBuffTest, DestroyingARunningOnHitBuffTakesItsFilterOffTheOwner)
{
    auto* buff = Make<Skill_PassiveOnHitBuffSelf>("Skill_PassiveOnHitBuffSelf",
                                                  "onHitActivationChance = 100");
    ASSERT_NE(buff, nullptr);
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, false), false);
    EXPECT_FLOAT_EQ(LifeAfterHit(), 20.0f);
    ObjectManager::Instance().DestroyObjectEx(buff, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FLOAT_EQ(LifeAfterHit(), 100.0f);
}

TEST_F(SelfBuffTest, OnLifeTimeRunsOnlyOnceLifeIsBackAboveTheMonitor)
{
    auto* buff =
        Make<Skill_PassiveOnLifeBuffSelf>("Skill_PassiveOnLifeBuffSelf", "lifeMonitorPercent = 50");
    ASSERT_NE(buff, nullptr);
    buff->Update(*owner, 100);
    EXPECT_TRUE(services.sent.empty());
    owner->SubtractLife(600.0f, PlayStatsDamageType{});
    buff->Update(*owner, 100);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
    EXPECT_TRUE(buff->IsTriggered());
    // Still low: the time never runs out.
    buff->Update(*owner, 100000);
    EXPECT_EQ(buff->GetRemainingActiveTime(), 2500);
    EXPECT_EQ(buff->TrackableRemainingTime(1), 1);
    owner->GetCharacterBio().AddLifeFast(200.0f);
    buff->Update(*owner, 2000);
    EXPECT_EQ(buff->TrackableRemainingTime(1), 500);
    buff->Update(*owner, 500);
    EXPECT_EQ(services.sent, (std::vector<bool>{true, false}));
    EXPECT_FALSE(buff->IsTriggered());
}

TEST_F(SelfBuffTest, OnLifeNeverTriggersWithoutAMaximumLife)
{
    auto* lifeless = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    ASSERT_NE(lifeless, nullptr);
    auto* buff =
        Make<Skill_PassiveOnLifeBuffSelf>("Skill_PassiveOnLifeBuffSelf", "lifeMonitorPercent = 50");
    ASSERT_NE(buff, nullptr);
    buff->Update(*lifeless, 100);
    EXPECT_TRUE(services.sent.empty());
}

TEST_F(SelfBuffTest, AProjectileModifierHitPaysNothingAndShowsItsImpactEveryTime)
{
    database.WriteRecord("Records/Fx/Impact.dbr", {"Class = FxPak"});
    previousWorld = gEngine->SetWorld(std::make_unique<World>());
    gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-100, -10, -100}, {100, 10, 100}));
    const WorldCoords impact{1, Coords::FromTranslation(Vec3(2, 0, 5))};
    auto* modifier = Make<Skill_ProjectileModifier>(
        "Skill_ProjectileModifier", "projModImpactFxPakName = Records/Fx/Impact.dbr");
    ASSERT_NE(modifier, nullptr);
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    ProjectileInfo info;
    info.ownerId = owner->GetObjectId();
    info.weaponId = 44;
    services.IncHitIteration();
    modifier->TargetInformation(info, impact, {owner->GetObjectId(), 9});
    // A projectile whose owner is gone still shows the impact, and sends nothing.
    info.ownerId = 0;
    modifier->TargetInformation(info, impact, {});
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0], (std::array<uint32_t, 3>{2, 44, 0}));
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects + 2);
}

TEST_F(SelfBuffTest, ARadiusModifierSendsItsAttackOnlyWhenEnabledAndControlling)
{
    auto* radius = Make<Skill_MeleeModifierRadius>("Skill_MeleeModifierRadius", "");
    ASSERT_NE(radius, nullptr);
    manager.services = nullptr;
    radius->ActivateModifierAttack(*owner, 0, WorldVec3());
    manager.services = &services;
    radius->ReceiveStateUpdate(SkillState{1, false}, true);
    radius->ActivateModifierAttack(*owner, 0, WorldVec3());
    EXPECT_TRUE(services.results.empty());
    radius->ReceiveStateUpdate(SkillState{1, true}, true);
    radius->ActivateModifierAttack(*owner, 0, WorldVec3());
    EXPECT_EQ(services.results, (std::vector<std::array<uint32_t, 3>>{{0, 0, 0}}));
}

} // namespace GAME::Test
