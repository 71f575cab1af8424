#include "characters/Bonus.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/Character.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDefense.h"
#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "items/Item.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

// A character whose game-balance rows add what the test sets.
class CombatTestCharacter : public Character {
    GAME_DECLARE_CLASS(CombatTestCharacter)

public:
    void ContributeGameBalanceCharAttributes(CharAttributeAccumulator& accumulator) const override
    {
        for (const auto& [type, value] : balance)
            accumulator.AddValue(type, value);
    }
    void
    ContributeGameBalanceDefenseAttributes(CombatAttributeAccumulator& accumulator) const override
    {
        accumulator.AddDefense(
            std::make_unique<CombatAttributeAbsDefense>(CombatAttributeType_Life, 7.0f));
    }
    std::vector<size_t> ActiveDamageFx() const
    {
        std::vector<size_t> active;
        for (size_t i = 0; i < kNumDamageFx; ++i) {
            if (damageFx[i].IsActive())
                active.push_back(i);
        }
        return active;
    }

    std::map<CharAttributeType, float> balance;
};

// Equipment that adds a lightning resistance.
class CombatTestCharm : public Item {
    GAME_DECLARE_CLASS(CombatTestCharm)

public:
    void GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const override
    {
        accumulator.AddDefense(
            std::make_unique<CombatAttributeAbsDefense>(CombatAttributeType_Lightning, 3.0f));
    }
};

GAME_IMPLEMENT_CLASS(CombatTestCharacter, Character);
GAME_IMPLEMENT_CLASS(CombatTestCharm, Item);

namespace {

constexpr const char* kSizzle = "Records/Sounds/Sizzle.dbr";
constexpr const char* kCombat = "Records/Game/CombatT.dbr";

class SkillUpRecorder {
public:
    void OnSkillUp(const GameEvent_GenericEntity& event) { ids.push_back(event.objectId); }
    std::vector<uint32_t> ids;
    EventHandler<SkillUpRecorder, GameEvent_GenericEntity> listener{
        "GameEvent_PlayerSkillUp", &SkillUpRecorder::OnSkillUp, this};
};

class CharacterCombatTest : public GAME::Test::DeathFixture {
protected:
    void SetUp() override
    {
        database.WriteRecord(kSettings, {"absFireFx = " + std::string(kEffect),
                                         "absFireFxSound = " + std::string(kSizzle)});
        database.WriteRecord(kSizzle, {"Class = SoundPak"});
        DeathFixture::SetUp();
    }

    CombatTestCharacter* Make(std::initializer_list<std::string> lines = {})
    {
        const std::string path = "Records/Creatures/C" + std::to_string(++made) + ".dbr";
        return Spawn<CombatTestCharacter>(path, lines);
    }

    // The play statistics' report line that starts with the label, or "".
    std::string StatsLine(Character& character, const std::string& label)
    {
        log.Clear();
        character.GetPlayStats().Dump();
        for (const auto& line : log.GetLines()) {
            if (line.text.rfind(label, 0) == 0)
                return line.text;
        }
        return "";
    }

    int made = 0;
};

TEST_F(CharacterCombatTest, AbsorptionEffectsFireOncePerArmingDamageEffectsOnlyForListedTypes)
{
    CombatTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
    SoundPak* sizzle = FindSound(kSizzle);
    ASSERT_NE(sizzle, nullptr);
    character->FireAbsEffect(CombatAttributeType_Fire);
    EXPECT_TRUE(sizzle->GetPlayRequests().empty()) << "not armed yet";
    character->ResetAbsEffects();
    character->FireAbsEffect(CombatAttributeType_Fire);
    character->FireAbsEffect(CombatAttributeType_Fire);
    EXPECT_EQ(sizzle->GetPlayRequests().size(), 1u);
    character->DisarmAbsEffects();
    character->ResetAbsEffects();
    character->FireAbsEffect(CombatAttributeType_Fire);
    EXPECT_EQ(sizzle->GetPlayRequests().size(), 2u);

    character->StartDamageEffect(CombatAttributeType_Physical);
    character->StartDamageEffect(CombatAttributeType_ElementalGroup);
    EXPECT_TRUE(character->ActiveDamageFx().empty());
    character->StartDamageEffect(CombatAttributeType_Lightning);
    character->StartDamageEffect(CombatAttributeType_Fumble);
    character->StopDamageEffect(CombatAttributeType_Lightning);
    EXPECT_EQ(character->ActiveDamageFx(), (std::vector<size_t>{15}));
}

TEST_F(CharacterCombatTest, FormulaWrappersBookTheirReductions)
{
    database.WriteRecord(kCombat,
                         {"physicalDamageDefenseEquationDGP = physicalDamageDV-sumProtectionDV",
                          "shieldDamageReductionEquationDGB = damageDV-shieldDefenseDV"});
    CombatTestCharacter* character = Make({"combatManagerRecord = " + std::string(kCombat)});
    ASSERT_NE(character, nullptr);
    EXPECT_FLOAT_EQ(character->DesignerCalculatePhysicalDamageDefense(100.0f, 50.0f, 25.0f, 0.2f),
                    40.0f);
    EXPECT_FLOAT_EQ(character->DesignerCalculateShieldBlockDamageReduction(80.0f, 50.0f, 0.5f),
                    30.0f);
    EXPECT_EQ(StatsLine(*character, "         Unknown"), "         Unknown 60.00");
    EXPECT_EQ(StatsLine(*character, "         Blocked"), "         Blocked 50.00");
}

TEST_F(CharacterCombatTest, TakeBonusAddsExperienceWithItsBonusMoneyAndPoints)
{
    CombatTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
    character->balance[CharAttribute_IncreasedExperience] = 20.0f;
    character->ForceSpeedUpdate();
    SkillUpRecorder skillUps;

    Bonus bonus;
    bonus.experiencePoints = 100;
    bonus.goldPoints = 2000000100;
    bonus.skillPoints = 2;
    character->TakeBonus(bonus, false, PlayStatsLife_Shrine);
    EXPECT_EQ(StatsLine(*character, "         Total Gained"), "         Total Gained 120");
    EXPECT_EQ(character->GetSkillPoints(), 2u);
    EXPECT_EQ(skillUps.ids, (std::vector<uint32_t>{character->GetObjectId()}));
    EXPECT_EQ(character->GetCurrentMoney(), 2000000000u) << "the purse is capped";
}

TEST_F(CharacterCombatTest, DualWieldingHalvesOnlyTheBaseAttackSpeed)
{
    CombatTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
    character->balance = {{CharAttribute_AttackSpeed, 10.0f},
                          {CharAttribute_BaseAttackSpeed, 100.0f}};
    character->ForceSpeedUpdate();
    EXPECT_FLOAT_EQ(character->GetAttackSpeed(), 110.0f);

    ObjectManager& objects = ObjectManager::Instance();
    CombatManager& combat = character->GetCombatManager();
    combat.AttachItemAction(objects.CreateObject("WeaponMelee_Sword")->GetObjectId(),
                            EquipLocations_RightHand);
    combat.AttachItemAction(objects.CreateObject("WeaponMelee_Mace")->GetObjectId(),
                            EquipLocations_LeftHand);
    ASSERT_EQ(combat.GetHandState(), EquipManager_HandState_DualWielded);
    EXPECT_FLOAT_EQ(character->GetAttackSpeed(), 60.0f);
}

TEST_F(CharacterCombatTest, AllDefensesGatherItemsBioItemSetsAndGameBalance)
{
    constexpr const char* kSet = "Records/Item/Sets/Frost.dbr";
    database.WriteRecord(kSet, {"defensiveCold = 5"});
    Game().LoadItemSet(kSet);
    CombatTestCharacter* character = Make({"defensiveFire = 10"});
    ASSERT_NE(character, nullptr);
    character->AddItemToSet(kSet, "records/item/frostring.dbr");
    character->GetCombatManager().AttachItemAction(
        ObjectManager::Instance().CreateObject("CombatTestCharm")->GetObjectId(),
        EquipLocations_Head);

    CombatAttributeAccumulator defenses;
    character->GetAllDefenseAttributes(defenses);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Lightning), 3.0f);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Fire), 10.0f);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Cold), 5.0f);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Life), 7.0f);
}

} // namespace
} // namespace GAME
