#include "skills/SkillAttributeAccumulator.h"
#include "skills/Skill_AttackInherent.h"
#include "skills/Skill_AttackWeaponCharge.h"
#include "skills/Skill_MeleeModifier.h"
#include "skills/Skill_WPAttack_BasicAttack.h"
#include "skills/Skill_WeaponPool_ChargedFinale.h"
#include "skills/Skill_WeaponPool_ChargedLinear.h"
#include "tests/support/SkillsFixture.h"

namespace GAME::Test {

// Records what the swing decided instead of picking targets.
template <class Base> class SwingProbe : public Base {
public:
    bool ExecuteRangedAttack(Character&, const WorldCoords&, uint32_t, const WorldVec3&,
                             uint32_t weaponId) override
    {
        launches.push_back(weaponId);
        return true;
    }
    bool ExecuteMeleeAttack(Character&, uint32_t, const WorldVec3&, uint32_t weaponId) override
    {
        swings.push_back(weaponId);
        return true;
    }
    void ApplyRangedDamage(Character&, const std::vector<uint32_t>&, const WorldCoords&, uint32_t,
                           uint32_t) override
    {
        applied.push_back("ranged");
    }
    void ApplyMeleeDamage(Character&, const std::vector<uint32_t>&, const WorldCoords&, uint32_t,
                          uint32_t) override
    {
        applied.push_back("melee");
    }
    std::vector<uint32_t> launches;
    std::vector<uint32_t> swings;
    std::vector<std::string> applied;
};

class ChargeProbe : public SwingProbe<Skill_AttackWeaponCharge> {
    GAME_DECLARE_CLASS(ChargeProbe)
};
GAME_IMPLEMENT_CLASS(ChargeProbe, Skill_AttackWeaponCharge);

class InherentProbe : public SwingProbe<Skill_AttackInherent> {
    GAME_DECLARE_CLASS(InherentProbe)
};
GAME_IMPLEMENT_CLASS(InherentProbe, Skill_AttackInherent);

class ModifierProbe : public Skill_MeleeModifier {
    GAME_DECLARE_CLASS(ModifierProbe)
public:
    void ActivateModifierAttack(Character&, uint32_t, const WorldVec3&) override { ++fired; }
    int fired = 0;
};
GAME_IMPLEMENT_CLASS(ModifierProbe, Skill_MeleeModifier);

// Notes the effects a charge puts on it.
class ChargeOwner : public Character {
    GAME_DECLARE_CLASS(ChargeOwner)

public:
    uint32_t AddParticleEffect(const std::string& record, const std::string&) override
    {
        created.push_back(record);
        return static_cast<uint32_t>(created.size()) + 100;
    }
    void StartParticleEffect(uint32_t id) override { started.push_back(id); }
    void StopParticleEffect(uint32_t id) override { stopped.push_back(id); }
    std::vector<std::string> created;
    std::vector<uint32_t> started;
    std::vector<uint32_t> stopped;
};
GAME_IMPLEMENT_CLASS(ChargeOwner, Character);

class FinaleProbe : public SwingProbe<Skill_WeaponPool_ChargedFinale> {
    GAME_DECLARE_CLASS(FinaleProbe)
};
GAME_IMPLEMENT_CLASS(FinaleProbe, Skill_WeaponPool_ChargedFinale);

namespace {

const std::vector<uint32_t> kHit{7};

class WeaponPoolTest : public SkillsFixture {
protected:
    void SetUp() override
    {
        SkillsFixture::SetUp();
        character = Made(
            DynamicCast<ChargeOwner>(ObjectManager::Instance().CreateObject("ChargeOwner")), "");
        owner.mana = 1000.0f;
        owner.rightWeapon = 77;
    }

    template <class Kind> Kind* Make(std::vector<std::string> lines = {})
    {
        lines.insert(lines.begin(), "skillMaxLevel = 2");
        return MakeEnabled<Kind>(owner, lines);
    }
    std::vector<int32_t> Charges() const
    {
        std::vector<int32_t> charges;
        for (const SkillActiveState& state : owner.services.actives)
            charges.push_back(state.subLevel);
        return charges;
    }

    Skill_WeaponPool_ChargedLinear* MakeLinear()
    {
        return Make<Skill_WeaponPool_ChargedLinear>(
            {"skillChargeLevel = 3;5", "skillChargeDuration = 2.0;1.0;0.5",
             "skillChargeAura = Fx/A.dbr;Fx/B.dbr;Fx/C.dbr;Fx/D.dbr;Fx/E.dbr", "skillManaCost = 10",
             "skillCooldownReduction = 5;10;15;20;25"});
    }

    SkillsOwner owner;
    ChargeOwner* character = nullptr;
};

class HandsOwner : public StubSkillOwner {
public:
    bool IsRangedWeapon() const override { return ranged; }
    Character* GetParent() const override { return parent; }
    bool ranged = false;
    Character* parent = nullptr;
};

class AttackWeaponTest : public SkillsFixture {
protected:
    void SetUp() override
    {
        SkillsFixture::SetUp();
        owner.parent = character = NewCharacter();
        owner.mana = 100.0f;
        owner.rightWeapon = 77;
        owner.leftWeapon = 88;
    }

    template <class Kind> Kind* Make(const std::string& extra = "")
    {
        return MakeEnabled<Kind>(owner, {"skillMaxLevel = 1", extra});
    }

    Character* character = nullptr;
    HandsOwner owner;
};

TEST_F(AttackWeaponTest, HitCallbacksPickTheHandsWeaponAndABowLaunches)
{
    auto* skill = Make<ChargeProbe>();
    for (const char* callback : {"Hit", "RightHandHit", "LeftHandHit"})
        skill->ActivateNow(*character, Name::Create(callback), 0, WorldVec3());
    EXPECT_EQ(skill->swings, (std::vector<uint32_t>{0, 77, 88}));

    owner.ranged = true;
    skill->ActivateNow(*character, Name::Create("RightHandHit"), 0, WorldVec3());
    EXPECT_EQ(skill->launches, (std::vector<uint32_t>{77}));
    skill->TargetResult(*character, {}, WorldCoords(), 1, 77, false);
    skill->TargetResult(*character, {}, WorldCoords(), 1, 77, true);
    EXPECT_EQ(skill->applied, (std::vector<std::string>{"ranged", "melee"}));

    // An inherent attack ignores the hands, even with a bow.
    auto* inherent = Make<InherentProbe>();
    inherent->ActivateNow(*character, Name::Create("RightHandHit"), 0, WorldVec3());
    EXPECT_EQ(inherent->swings, (std::vector<uint32_t>{0}));
    EXPECT_TRUE(inherent->launches.empty());
}

TEST_F(AttackWeaponTest, WarmUpNeedsTheRecordAndACancelledChargeIsPaidOnce)
{
    EXPECT_FALSE(Make<ChargeProbe>()->WarmUpStart());
    auto* disabled = Make<ChargeProbe>("skillAllowsWarmUp = 1");
    disabled->ReceiveStateUpdate(SkillState{1, false}, true);
    EXPECT_FALSE(disabled->WarmUpStart());

    // Only a charged swing fires the modifiers.
    auto* skill =
        Make<ChargeProbe>("skillAllowsWarmUp = 1\nskillManaCost = 12\nskillCooldownTime = 2");
    auto* modifier = Make<ModifierProbe>();
    skill->AddModifier(modifier->GetObjectId());

    skill->ActivateNow(*character, Name::Create("Hit"), 0, WorldVec3());
    EXPECT_EQ(modifier->fired, 0);

    ASSERT_TRUE(skill->WarmUpStart());
    skill->WarmUpEnd();
    skill->ActivateNow(*character, Name::Create("Hit"), 0, WorldVec3());
    skill->ActivateNow(*character, Name::Create("Hit"), 0, WorldVec3());
    EXPECT_EQ(modifier->fired, 2);

    skill->Cancel(*character);
    EXPECT_EQ(owner.manaSubtracted, 12.0f);
    EXPECT_EQ(skill->GetCooldownRemaining(), 2000);
    skill->Cancel(*character);
    EXPECT_EQ(owner.manaSubtracted, 12.0f);

    // A result ends the charge: nothing more to pay.
    ASSERT_TRUE(skill->WarmUpStart());
    skill->TargetResult(*character, {}, WorldCoords(), 1, 0, true);
    skill->Cancel(*character);
    EXPECT_EQ(owner.manaSubtracted, 12.0f);
}

} // namespace

TEST_F(WeaponPoolTest, LinearChargesPerHitStaysAtMaxAndRestartsItsTimer)
{
    auto* pool = MakeLinear();
    pool->WPAttackCallback(*character, {}); // a miss charges and costs nothing

    const int32_t timers[] = {2000, 1000, 500};
    for (int32_t timer : timers) {
        pool->WPAttackCallback(*character, kHit);
        EXPECT_EQ(pool->GetChargeTimer(), timer);
    }
    pool->Update(*character, 200);
    EXPECT_EQ(pool->GetChargeTimer(), 300);
    pool->WPAttackCallback(*character, kHit);
    EXPECT_EQ(pool->GetChargeTimer(), 500);
    EXPECT_EQ(Charges(), (std::vector<int32_t>{1, 2, 3, 3}));
    EXPECT_EQ(owner.manaSubtracted, 40.0f);
}

TEST_F(WeaponPoolTest, LinearFallsOneStepEachTimeItsTimerRunsOut)
{
    auto* pool = MakeLinear();
    for (int i = 0; i < 3; ++i)
        pool->WPAttackCallback(*character, kHit);
    owner.services.actives.clear();
    pool->Update(*character, 500);
    EXPECT_EQ(pool->GetCharge(), 2u);
    // 1000 - 2500 steps down to 1, whose 2000 ms outlast the rest of the frame.
    pool->Update(*character, 2500);
    EXPECT_EQ(pool->GetCharge(), 1u);
    EXPECT_EQ(pool->GetChargeTimer(), 2000);
    EXPECT_EQ(Charges(), (std::vector<int32_t>{2, 1}));
    pool->StopSkill(*character);
    EXPECT_EQ(pool->GetCharge(), 0u);
    EXPECT_EQ(Charges().back(), 0);
}

// Every hit starts the pool's cooldown: the charge outlives it, but not the level's loss.
TEST_F(WeaponPoolTest, LinearKeepsItsChargeThroughItsOwnCooldown)
{
    auto* pool = Make<Skill_WeaponPool_ChargedLinear>(
        {"skillChargeLevel = 3", "skillChargeDuration = 2.0;2.0;2.0", "skillCooldownTime = 0.5"});
    pool->WPAttackCallback(*character, kHit);
    EXPECT_EQ(pool->GetCooldownRemaining(), 500);
    pool->Update(*character, 50);
    EXPECT_FALSE(pool->IsSkillEnabled());
    EXPECT_EQ(pool->GetCharge(), 1u);

    pool->ReceiveStateUpdate(SkillState{0, false}, true);
    pool->Update(*character, 50);
    EXPECT_EQ(pool->GetCharge(), 0u);
    EXPECT_EQ(Charges(), (std::vector<int32_t>{1, 0}));
}

TEST_F(WeaponPoolTest, ReplicatedChargeIsClampedBeforeEffectsAndBonuses)
{
    owner.controlling = false;
    auto* pool = MakeLinear();
    pool->ReceiveActiveUpdate(character, SkillActiveState(1000000, false, false), false);
    EXPECT_EQ(pool->GetReplicatedCharge(), 3u);
    EXPECT_EQ(character->created, (std::vector<std::string>{"Fx/A.dbr", "Fx/B.dbr", "Fx/C.dbr"}));
    EXPECT_EQ(character->started, (std::vector<uint32_t>{103}));
    EXPECT_EQ(owner.manaSubtracted, 10.0f);

    SkillAttributeAccumulator bonus;
    pool->CollectPassiveSkillAttributes(bonus);
    EXPECT_EQ(bonus.GetValue(SkillAttribute_CooldownReduction), 15.0f);

    // Falling costs nothing; the effect of 2 was made already.
    pool->ReceiveActiveUpdate(character, SkillActiveState(2, false, false), false);
    EXPECT_EQ(character->created.size(), 3u);
    EXPECT_EQ(character->started, (std::vector<uint32_t>{103, 102}));
    EXPECT_EQ(owner.manaSubtracted, 10.0f);

    pool->ReceiveActiveUpdate(character, SkillActiveState(-5, false, false), false);
    EXPECT_EQ(pool->GetReplicatedCharge(), 0u);
    EXPECT_EQ(character->stopped, (std::vector<uint32_t>{103, 102}));
    SkillAttributeAccumulator none;
    pool->CollectPassiveSkillAttributes(none);
    EXPECT_EQ(none.GetValue(SkillAttribute_CooldownReduction), 0.0f);
}

TEST_F(WeaponPoolTest, FinaleChargesThreeHitsThenTheFourthSwingEmptiesIt)
{
    auto* pool = Make<FinaleProbe>({"skillChargeLevel = 3", "skillManaCost = 10",
                                    "skillCooldownTime = 3", "skillChargeDuration = 5"});
    const Name rightHit = Name::Create("RightHandHit");
    pool->WPAttackCallback(*character, {});
    EXPECT_EQ(pool->GetCooldownRemaining(), 0);
    for (int hit = 1; hit <= 3; ++hit) {
        EXPECT_FALSE(pool->IsFullCharge());
        pool->HitAction(*character, rightHit, 0, WorldVec3());
        EXPECT_TRUE(pool->swings.empty());
        pool->WPAttackCallback(*character, kHit);
        // The echo of what was sent, as every machine receives it.
        pool->ReceiveActiveUpdate(character, SkillActiveState(hit, false, false), false);
    }
    EXPECT_TRUE(pool->IsFullCharge());
    EXPECT_EQ(pool->GetCooldownRemaining(), 3000);

    pool->HitAction(*character, rightHit, 0, WorldVec3());
    EXPECT_EQ(pool->swings, (std::vector<uint32_t>{77}));
    EXPECT_EQ(pool->GetCharge(), 0u);
    EXPECT_EQ(Charges(), (std::vector<int32_t>{1, 2, 3, 0}));
    // Each hit pays in the callback and again for the replicated charge.
    EXPECT_EQ(owner.manaSubtracted, 60.0f);
}

TEST_F(WeaponPoolTest, PooledAttackAddsThePoolsNumbersUnlessItIsAFinale)
{
    auto* linear = MakeLinear();
    auto* finale = Make<Skill_WeaponPool_ChargedFinale>({"skillManaCost = 10"});
    auto* attack = Make<Skill_WPAttack_BasicAttack>(
        {"skillManaCost = 4", "skillChanceWeight = 30", "skillCooldownTime = 2"});
    attack->SetParentSkillId(linear->GetObjectId());
    EXPECT_EQ(attack->GetManaCost(), 14.0f);
    // The owner's 20 counts once, not again through the pool.
    owner.skillAttributes[SkillAttribute_CooldownReduction] = 20.0f;
    EXPECT_EQ(attack->GetTotalSkillAttribute(SkillAttribute_CooldownReduction), 25.0f);
    attack->SetParentSkillId(finale->GetObjectId());
    EXPECT_EQ(attack->GetManaCost(), 4.0f);
    EXPECT_EQ(attack->GetTotalSkillAttribute(SkillAttribute_CooldownReduction), 20.0f);

    // Mana and cooldown are the pool's to check.
    owner.mana = 0.0f;
    attack->StartCooldown();
    ASSERT_GT(attack->GetCooldownRemaining(), 0);
    EXPECT_TRUE(attack->SetAvailability(false, false));
}

TEST_F(WeaponPoolTest, PooledAttackReportsOnlyAHitToItsPool)
{
    auto* pool = MakeLinear();
    auto* attack = Make<Skill_WPAttack_BasicAttack>();
    attack->SetParentSkillId(pool->GetObjectId());
    attack->TargetResult(*character, {}, character->GetCoords(), 5, 0, true);
    EXPECT_EQ(pool->GetCharge(), 0u);
    attack->TargetResult(*character, kHit, character->GetCoords(), 5, 0, false);
    EXPECT_EQ(pool->GetCharge(), 1u);
}

} // namespace GAME::Test
