#include "skills/Skill_AttackInherent.h"
#include "skills/Skill_AttackWeaponCharge.h"

#include "skills/Skill_MeleeModifier.h"
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

namespace {

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
        database.WriteRecord("Records/Creatures/Swinger.dbr", {"Class = Character"});
        character = Made(ObjectManager::Instance().CreateObjectFromFile<Character>(
                             "Records/Creatures/Swinger.dbr"),
                         "the swinger");
        owner.parent = character;
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
    EXPECT_TRUE(skill->launches.empty());

    owner.ranged = true;
    skill->ActivateNow(*character, Name::Create("RightHandHit"), 0, WorldVec3());
    EXPECT_EQ(skill->launches, (std::vector<uint32_t>{77}));
    skill->TargetResult(*character, {}, WorldCoords(), 1, 77, false);
    skill->TargetResult(*character, {}, WorldCoords(), 1, 77, true);
    EXPECT_EQ(skill->applied, (std::vector<std::string>{"ranged", "melee"}));
}

TEST_F(AttackWeaponTest, InherentIgnoresTheHandsEvenWithABow)
{
    auto* skill = Make<InherentProbe>();
    owner.ranged = true;
    skill->ActivateNow(*character, Name::Create("RightHandHit"), 0, WorldVec3());
    EXPECT_EQ(skill->swings, (std::vector<uint32_t>{0}));
    EXPECT_TRUE(skill->launches.empty());
}

TEST_F(AttackWeaponTest, WarmUpNeedsAnEnabledSkillWhoseRecordAllowsIt)
{
    auto* refused = Make<ChargeProbe>();
    EXPECT_FALSE(refused->WarmUpStart());

    auto* disabled = Make<ChargeProbe>("skillAllowsWarmUp = 1");
    disabled->ReceiveStateUpdate(SkillState{1, false}, true);
    EXPECT_FALSE(disabled->WarmUpStart());
}

TEST_F(AttackWeaponTest, CancelledChargeIsPaidOnceAndOnlyAChargedSwingFiresModifiers)
{
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
} // namespace GAME::Test
