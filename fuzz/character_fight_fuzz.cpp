// A hostile character record and the records it names (see fuzz/CharacterInput.h), made a
// character that lives and fights. Wounded and drained, its pools regenerate over frames long and
// short, and it takes every hand state and animation. Then its combat record (the one
// "combatManagerRecord" names) draws regions by its weights, runs its formulas and bands, and the
// character takes a blow of each style, damage over time included, from an attacker it strikes
// back at, and lets the damage run its course. Nothing may crash, a region is a region, life and
// mana stay numbers, and nothing the character made may outlive it.
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatManager.h"
#include "combat/DurationDamageManager.h"
#include "combat/ParametersCombat.h"
#include "core/PlayStatsDamageType.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "fuzz/CharacterInput.h"
#include "fuzz/StandingCharacter.h"
#include "items/EquipManager_HandState.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using namespace GAME;
using namespace GAME::CharacterInput;

bool HoldsNumbers(const Character& character)
{
    return std::isfinite(character.GetCurrentLife()) && std::isfinite(character.GetCurrentMana());
}

// A blow whose damage the character's own record scales, as if it had dealt it to itself, so
// that its damage formulas run too; the attacker named is the one struck back at.
void TakeBlow(Character& character, uint32_t attackerId, ParametersCombatStyle style)
{
    RandomUniform generator;
    generator.Seed(static_cast<uint32_t>(style) + 11);
    ParametersCombat parameters(generator);
    parameters.attackerId = attackerId;
    parameters.style = style;
    parameters.offensiveAbility = character.DesignerCalculateOffensiveAbility(0.0f);
    parameters.fumbleChance = 5.0f;
    CombatAttributeAccumulator& attributes = parameters.attributes;
    character.GetCombatManager().GetHandHitDamage(attributes);
    attributes.AddDamage(std::make_unique<CombatAttributeDamage_BasePhysical>(
        CombatAttributeType_Physical, 40.0f, 10.0f, true));
    attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Fire, 12.0f));
    attributes.AddDamage(
        std::make_unique<CombatAttributeDurDamage>(CombatAttributeType_Poison, 5.0f, 3.0f));
    attributes.ProcessDamage(character, 0.0f, 0.0f, 0.0f, 0.0f);
    character.TakeAttack(parameters);
}

// Wounded and drained, the pools regenerate over frames long and short; then every hand state
// and animation.
void Live(Character& character)
{
    CharacterBio& bio = character.GetCharacterBio();
    bio.Update(character, 0);
    character.SubtractLife(character.GetCurrentLife() * 0.5f + 1.0f, PlayStatsDamageType{});
    character.SubtractMana(25.0f);
    for (const int ms : {100, 1, 500, 0, 33, 1 << 30}) {
        bio.Update(character, ms);
        // Whatever the formulas and rates, the pools hold numbers.
        if (!HoldsNumbers(character))
            abort();
    }
    for (int32_t handState = -1; handState <= 7; ++handState)
        character.SetAnimation(static_cast<EquipManager_HandState>(handState));
    for (int32_t type = 0; type <= 32; ++type)
        character.CanPlayAnimation(static_cast<AnimationSet_Type>(type));
    character.GetExperienceReward();
}

void Fight(Character& character, Character& attacker)
{
    CombatManager& combat = character.GetCombatManager();
    RandomUniform generator;
    generator.Seed(7);
    for (int i = 0; i < 16; ++i) {
        const int32_t region = combat.PickRegion(generator);
        if (region < CombatAttributeRegion_FullyProtected || region > CombatAttributeRegion_Legs)
            abort();
    }
    for (const float chance : {-5.0f, 0.0f, 60.0f, 99.0f, 100.0f, 125.0f, 150.0f, 1e30f})
        for (const float roll : {0.0f, 0.5f, 0.75f, 1.0f})
            combat.CalculateDamageModifier(chance, roll);
    combat.DesignerCalculateProbabilityToHit(combat.DesignerCalculateOffensiveAbility(10.0f),
                                             combat.DesignerCalculateDefensiveAbility(10.0f));
    combat.DesignerCalculateMeleeBlockChance(20.0f, 10.0f, 90.0f, generator);
    combat.DesignerCalculateProjectileBlockChance(20.0f, 10.0f, 90.0f, generator);
    combat.DesignerCalculateShieldBlockDamageReduction(80.0f, 50.0f, 0.5f);
    combat.DesignerCalculateElementalDurationDamage(10.0f);

    for (const ParametersCombatStyle style :
         {ParametersCombatStyle_Probability, ParametersCombatStyle_Projectile,
          static_cast<ParametersCombatStyle>(0)}) {
        TakeBlow(character, attacker.GetObjectId(), style);
        if (!HoldsNumbers(character))
            abort();
    }
    for (const int32_t ms : {33, 100, 1000, 5000})
        combat.Update(ms, character.GetCharacterBio());
    if (!HoldsNumbers(character))
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartGame(nullptr);
    // The one it fights stands for the whole run, out of the world, whole again for each input.
    static StandingCharacter standing(
        [] { return static_cast<Character*>(ObjectManager::Instance().CreateObject("Character")); },
        WorldVec3());
    Character& attacker = standing.Get();
    WithFuzzCharacter(data, size, [&](Character& character) {
        character.PreLoad(true);
        character.InitialUpdate();
        Live(character);
        Fight(character, attacker);
        character.PreLoad(false);
    });
    return 0;
}
