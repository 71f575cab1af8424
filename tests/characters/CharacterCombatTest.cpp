#include "characters/Bonus.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/AuraManager.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/DeathManager.h"
#include "combat/RacialBonus.h"
#include "core/GameEvents.h"
#include "core/PlayStatsDamageType.h"
#include "engine/ABBox.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/Sphere.h"
#include "engine/World.h"
#include "items/Item.h"
#include "items/WeaponMelee_Sword.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/HeardEvents.h"
#include "world/FxPak.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
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

// Armour that adds a racial damage mark of its own.
class CombatTestGauntlet : public Item {
    GAME_DECLARE_CLASS(CombatTestGauntlet)

public:
    void ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                     RacialBonus_Damage& damage) const override
    {
        damage.percent += static_cast<float>(races.size()) * 10.0f;
        damage.absolute += 2.0f;
    }
};

// A sword that adds a racial damage mark of its own.
class CombatTestBlade : public WeaponMelee_Sword {
    GAME_DECLARE_CLASS(CombatTestBlade)

public:
    void ContributeRacialBonusDamage(const std::vector<std::string>& /*races*/,
                                     RacialBonus_Damage& damage) const override
    {
        damage.absolute += 100.0f;
    }
};

GAME_IMPLEMENT_CLASS(CombatTestCharacter, Character);
GAME_IMPLEMENT_CLASS(CombatTestCharm, Item);
GAME_IMPLEMENT_CLASS(CombatTestGauntlet, Item);
GAME_IMPLEMENT_CLASS(CombatTestBlade, WeaponMelee_Sword);

namespace Test {
namespace {

constexpr const char* kCombat = "Records/Game/CombatT.dbr";
constexpr const char* kLevels = "Records/Creatures/Levels.dbr";

class CharacterCombatTest : public DeathFixture {
protected:
    void SetUp() override
    {
        database.WriteRecord(kLevels, {"experienceLevelEquation = (playerLevel*100)",
                                       "maxPlayerLevel = 3", "strengthIncrement = 4"});
        DeathFixture::SetUp();
    }

    CombatTestCharacter* Make(std::initializer_list<std::string> lines = {})
    {
        const std::string path = "Records/Creatures/C" + std::to_string(++made) + ".dbr";
        return Must(Spawn<CombatTestCharacter>(path, lines));
    }

    // An item of the class made and put on at the location; its id.
    static uint32_t Equip(Character& character, const char* className, EquipLocations location)
    {
        const uint32_t id = ObjectManager::Instance().CreateObject(className)->GetObjectId();
        character.GetCombatManager().AttachItemAction(id, location);
        return id;
    }

    // The play statistics' report line that starts with the label, or "".
    std::string StatsLine(Character& character, const std::string& label)
    {
        log.Clear();
        character.GetPlayStats().Dump();
        for (const auto& line : log.GetLines())
            if (line.text.rfind(label, 0) == 0)
                return line.text;
        return "";
    }

    int made = 0;
};

TEST_F(CharacterCombatTest, FormulaWrappersBookTheirReductions)
{
    database.WriteRecord(kCombat,
                         {"physicalDamageDefenseEquationDGP = physicalDamageDV-sumProtectionDV",
                          "shieldDamageReductionEquationDGB = damageDV-shieldDefenseDV"});
    CombatTestCharacter* character = Make({"combatManagerRecord = " + std::string(kCombat)});
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
    character->balance[CharAttribute_IncreasedExperience] = 20.0f;
    character->ForceSpeedUpdate();
    Heard<GameEvent_GenericEntity> skillUps{"GameEvent_PlayerSkillUp"};

    Bonus bonus;
    bonus.experiencePoints = 100;
    bonus.goldPoints = 2000000100;
    bonus.skillPoints = 2;
    character->TakeBonus(bonus, false, PlayStatsLife_Shrine);
    EXPECT_EQ(StatsLine(*character, "         Total Gained"), "         Total Gained 120");
    EXPECT_EQ(character->GetSkillPoints(), 2u);
    EXPECT_EQ(Ids(skillUps), (std::vector<uint32_t>{character->GetObjectId()}));
    EXPECT_EQ(character->GetCurrentMoney(), 2000000000u) << "the purse is capped";
}

TEST_F(CharacterCombatTest, DualWieldingHalvesOnlyTheBaseAttackSpeed)
{
    CombatTestCharacter* character = Make();
    character->balance = {{CharAttribute_AttackSpeed, 10.0f},
                          {CharAttribute_BaseAttackSpeed, 100.0f}};
    character->ForceSpeedUpdate();
    EXPECT_FLOAT_EQ(character->GetAttackSpeed(), 110.0f);

    Equip(*character, "WeaponMelee_Sword", EquipLocations_RightHand);
    Equip(*character, "WeaponMelee_Mace", EquipLocations_LeftHand);
    ASSERT_EQ(character->GetCombatManager().GetHandState(), EquipManager_HandState_DualWielded);
    EXPECT_FLOAT_EQ(character->GetAttackSpeed(), 60.0f);
}

TEST_F(CharacterCombatTest, AllDefensesGatherItemsBioItemSetsAndGameBalance)
{
    constexpr const char* kSet = "Records/Item/Sets/Frost.dbr";
    database.WriteRecord(kSet, {"defensiveCold = 5"});
    Game().LoadItemSet(kSet);
    CombatTestCharacter* character = Make({"defensiveFire = 10"});
    character->AddItemToSet(kSet, "records/item/frostring.dbr");
    Equip(*character, "CombatTestCharm", EquipLocations_Head);

    CombatAttributeAccumulator defenses;
    character->GetAllDefenseAttributes(defenses);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Lightning), 3.0f);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Fire), 10.0f);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Cold), 5.0f);
    EXPECT_FLOAT_EQ(defenses.GetTotalDefenseType(CombatAttributeType_Life), 7.0f);
}

TEST_F(CharacterCombatTest, CurrentLifeIntNeverShowsZeroForTheLiving)
{
    CombatTestCharacter* character = Make({"characterLife = 10"});
    character->ForceSpeedUpdate();
    const PlayStatsDamageType physical{};
    character->SubtractLife(2.1f, physical);
    EXPECT_EQ(character->GetCurrentLifeInt(), 7) << "7.9 truncates";
    character->SubtractLife(7.5f, physical);
    EXPECT_EQ(character->GetCurrentLifeInt(), 1) << "0.4 shows 1";
    character->SubtractLife(5.0f, physical);
    EXPECT_EQ(character->GetCurrentLifeInt(), 0);
}

TEST_F(CharacterCombatTest, NegativeExperienceBonusGivesNothing)
{
    CombatTestCharacter* character = Make({"levelFileName = " + std::string(kLevels)});
    character->balance[CharAttribute_IncreasedExperience] = -200.0f;
    character->ForceSpeedUpdate();
    character->ReceiveExperience(100, false);
    EXPECT_EQ(character->GetExperiencePoints(), 0u);
}

TEST_F(CharacterCombatTest, IncrementCharLevelRaisesOneLevelAndStopsAtTheMaximum)
{
    CombatTestCharacter* character = Make({"levelFileName = " + std::string(kLevels)});
    Heard<GameEvent_GenericEntity> levelUps{"GameEvent_PlayerLevelUp"};
    character->IncrementCharLevel();
    EXPECT_EQ(character->GetCharLevel(), 2u);
    EXPECT_EQ(character->GetExperiencePoints(), 100u);
    EXPECT_EQ(Ids(levelUps), (std::vector<uint32_t>{character->GetObjectId()}));

    character->IncrementCharLevel();
    const uint32_t experience = character->GetExperiencePoints();
    character->IncrementCharLevel();
    EXPECT_EQ(character->GetCharLevel(), 3u);
    EXPECT_EQ(character->GetExperiencePoints(), experience);
    EXPECT_EQ(levelUps.events.size(), 2u);
}

TEST_F(CharacterCombatTest, IncrementBaseStrengthSpendsAPointOrAddsNothing)
{
    CombatTestCharacter* character =
        Make({"levelFileName = " + std::string(kLevels), "characterStrength = 10"});
    character->IncrementBaseStrength();
    character->ForceSpeedUpdate();
    EXPECT_FLOAT_EQ(character->GetTotalCharAttribute(CharAttribute_Strength), 10.0f);
    character->AddModifierPoints(1);
    character->IncrementBaseStrength();
    character->ForceSpeedUpdate();
    EXPECT_FLOAT_EQ(character->GetTotalCharAttribute(CharAttribute_Strength), 14.0f);
    EXPECT_EQ(character->GetModifierPoints(), 0u);
}

TEST_F(CharacterCombatTest, LivingCharactersLeaveOutPlayersTheDeadAndSelf)
{
    CombatTestCharacter* self = Make();
    CombatTestCharacter* first = Make();
    CombatTestCharacter* dead = Make();
    Must(Spawn<Player>("Records/Creatures/Hero.dbr", {}));
    CombatTestCharacter* second = Make();
    dead->SetLifeState(LifeState_Dead);
    auto* effect = Must(ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(kEffect));
    gEngine->GetWorld()->AddEntity(effect, kPlace, false);

    std::vector<Entity*> found;
    self->GetLivingCharacters(found, ABBox({-50, -50, -50}, {50, 50, 50}));
    EXPECT_EQ(found, (std::vector<Entity*>{first, second}));
}

TEST_F(CharacterCombatTest, CharactersCollideWithNothingOrEffectsButNotWithCharactersOrItems)
{
    CombatTestCharacter* character = Make();
    CombatTestCharacter* other = Make();
    auto* effect = Must(ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(kEffect));
    EXPECT_TRUE(character->CanCollide(nullptr));
    EXPECT_TRUE(character->CanCollide(effect));
    EXPECT_FALSE(character->CanCollide(other));
    EXPECT_FALSE(
        character->CanCollide(DynamicCast<Entity>(ObjectManager::Instance().CreateObject("Item"))));
}

// Sight in a crowd answers the first characters the world meets there, as many as it weighs.
TEST_F(CharacterCombatTest, SightInACrowdAnswersTheFirstCharactersItMeets)
{
    auto* effect = Must(ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(kEffect));
    gEngine->GetWorld()->AddEntity(effect, kPlace, false);
    std::vector<Character*> crowd;
    for (size_t i = 0; i < Character::kMaxCharactersInSphere + 8; ++i)
        crowd.push_back(Make());

    std::vector<Character*> found{crowd.back()};
    Character::FindCharactersInSphere(found, kPlace.GetRegion(),
                                      Sphere(kPlace.GetRegionCoords().origin, 1.0f));
    crowd.resize(Character::kMaxCharactersInSphere);
    EXPECT_EQ(found, crowd);
}

class CharacterGatheringTest : public CharacterCombatTest {
protected:
    void SetUp() override
    {
        CharacterCombatTest::SetUp();
        character = Make({});
        Equip(*character, "CombatTestGauntlet", EquipLocations_Head);
    }

    CombatTestCharacter* character = nullptr;
};

TEST_F(CharacterGatheringTest, RacialBonusDamageCarriesTheWornItemsAndTheNamedWeapon)
{
    RacialBonus_Damage bonus;
    character->ContributeRacialBonusDamage({"Undead", "Beast"}, 0, bonus);
    EXPECT_FLOAT_EQ(bonus.percent, 20.0f);
    EXPECT_FLOAT_EQ(bonus.absolute, 2.0f);

    // The held weapon counts once, as the named weapon, not among the worn items.
    const uint32_t bladeId = Equip(*character, "CombatTestBlade", EquipLocations_RightHand);
    RacialBonus_Damage armed;
    character->ContributeRacialBonusDamage({"Undead"}, bladeId, armed);
    EXPECT_FLOAT_EQ(armed.percent, 10.0f);
    EXPECT_FLOAT_EQ(armed.absolute, 102.0f);

    // An id that is no weapon adds nothing more.
    const uint32_t gauntletId = character->GetAttachedItems().front().itemId;
    RacialBonus_Damage again;
    character->ContributeRacialBonusDamage({"Undead"}, gauntletId, again);
    EXPECT_FLOAT_EQ(again.percent, 10.0f);
}

constexpr const char* kHalo = "Records/Fx/Halo.dbr";

// A monster that notes the notices of its death and shows its auras.
class Mortal : public Monster {
public:
    void CharacterIsDying() override
    {
        journal.push_back("dying");
        Monster::CharacterIsDying();
    }
    void CharacterHasDied() override { journal.push_back("died"); }
    AuraManager& Auras() { return auraManager; }

    std::vector<std::string> journal;
};

class CharacterDeathTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kHalo, {"Class = EffectEntity"});
        database.WriteRecord("Records/Fx/Dying.dbr", {"Class = FxPak"});
    }

    Mortal* Make(std::initializer_list<std::string> lines)
    {
        return Place<Mortal>(database, "Records/Creatures/Mortal.dbr", lines);
    }

    static size_t CountFxPaks()
    {
        struct IsFxPak : FilterFunction<Entity> {
            bool operator()(const Entity* entity) const override
            {
                return DynamicCast<FxPak>(entity) != nullptr;
            }
        };
        std::vector<Entity*> found;
        gEngine->GetWorld()->GetEntities(found, IsFxPak());
        return found.size();
    }
};

TEST_F(CharacterDeathTest, DyingClearsTheAurasLeavesTheDyingEffectAndAnnouncesTheDeath)
{
    Heard<GameEvent_CreatureDeath> listener{"GameEvent_CreatureDeath"};
    Mortal* mortal = Make({"dyingFxPak = Records/Fx/Dying.dbr"});
    gEngine->GetWorld()->AddEntity(mortal, kPlace, false);
    mortal->InitialUpdate();
    const uint32_t aura = mortal->AddAura(kHalo, true, 0);
    ASSERT_NE(aura, 0u);

    mortal->GetDeathManager()->Execute();
    EXPECT_EQ(ObjectManager::Instance().GetObject(aura), nullptr);
    EXPECT_TRUE(mortal->GetAttachedChildren().empty());
    EXPECT_EQ(CountFxPaks(), 1u);
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_EQ(listener.events[0].victimId, mortal->GetObjectId());

    mortal->GetDeathManager()->PostProcess();
    mortal->GetDeathManager()->PostProcess();
    EXPECT_EQ(mortal->journal, (std::vector<std::string>{"dying", "died", "died"}));
}

TEST_F(CharacterDeathTest, ADyingEffectTheWorldRefusesIsNotLeftBehind)
{
    Mortal* mortal = Make({"dyingFxPak = Records/Fx/Dying.dbr"});
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    mortal->ImDying();
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);
    EXPECT_EQ(CountFxPaks(), 0u);
}

TEST_F(CharacterDeathTest, TheBlowThatKillsKeepsItsRagDollData)
{
    Mortal* mortal = Make(
        {"characterLife = 100", "overrideRagdollBehavior = TakeHit", "overrideRagdollSpeed = 7"});
    mortal->InitialUpdate();
    mortal->GetCharacterBio().Update(*mortal, 1);

    CharacterRagDoll::EffectData blow;
    blow.effect = CharacterRagDoll::Crumple;
    blow.direction.x = 2.0f;
    mortal->SetRagdollData(blow, false);
    EXPECT_EQ(mortal->GetRagdollData().effect, CharacterRagDoll::TakeHit)
        << "the record's override";
    EXPECT_EQ(mortal->GetRagdollData().speed, 7.0f);

    mortal->SubtractLife(100.0f, PlayStatsDamageType());
    CharacterRagDoll::EffectData later;
    later.direction.x = 9.0f;
    mortal->SetRagdollData(later, false);
    EXPECT_EQ(mortal->GetRagdollData().direction.x, 2.0f);
    mortal->SetRagdollData(later, true);
    EXPECT_EQ(mortal->GetRagdollData().direction.x, 9.0f);
}

TEST_F(CharacterDeathTest, AurasGoByRecordNameOrById)
{
    Mortal* mortal = Make({});
    mortal->AddAura(kHalo, false, 60);
    mortal->AddAura(kHalo, false, 60);
    const uint32_t permanent = mortal->AddAura(kHalo, true, 0);
    EXPECT_EQ(mortal->GetAttachedChildren().size(), 3u);

    mortal->RemoveAura(std::string(kHalo));
    mortal->Auras().Update(*mortal, 1);
    EXPECT_TRUE(mortal->GetAttachedChildren().empty());

    const uint32_t again = mortal->AddAura(kHalo, true, 0);
    mortal->RemoveAura(permanent);
    mortal->Auras().Update(*mortal, 1);
    EXPECT_EQ(mortal->GetAttachedChildren().size(), 1u) << "an id already gone matches nothing";
    mortal->RemoveAura(again);
    mortal->Auras().Update(*mortal, 1);
    EXPECT_TRUE(mortal->GetAttachedChildren().empty());
}

} // namespace
} // namespace Test
} // namespace GAME
