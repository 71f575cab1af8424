// A hostile character record and the records it names (see fuzz/CharacterInput.h): the
// character is made from its record by class name and rolls its starting equipment again, as a
// replica would, from loot keys of any weight or name: whatever it makes is an item. It enters
// the world, takes a wound and a few updates, then dies in a world of its own: the death runs
// through its updates and every callback to its end, a bounded number of frames. Before it dies
// it fights: its combat record (the one "combatManagerRecord" names) draws regions by its
// weights, runs its formulas and bands, and the character takes a blow of each style, damage
// over time included, from an attacker it strikes back at. Then it is destroyed. Nothing may
// crash, a region is a region, life and mana stay numbers, and nothing it made may outlive it:
// no object, loaded animation or forced update. The kill by a controller and the monster that
// thinks have fuzzers of their own (character_kill, monster_ai).
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatManager.h"
#include "combat/DeathManager.h"
#include "combat/DurationDamageManager.h"
#include "combat/ParametersCombat.h"
#include "core/PlayStatsDamageType.h"
#include "core/RTTI_ClassInfo.h"
#include "core/RandomUniform.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/CharacterInput.h"
#include "fuzz/InputStart.h"
#include "fuzz/RecordInput.h"
#include "fuzz/StandingCharacter.h"
#include "items/EquipManager_HandState.h"
#include "items/Item.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace {

using namespace GAME;
using namespace GAME::CharacterInput;

// Enough frames for every callback and a few updates on each side of them; a death that is
// still running after them (a fade of years) is simply left.
constexpr int32_t kDeathFrameMs[] = {0, 16, 1, 1000, 33, 1 << 30, 16, 250, 2000, 16};
constexpr const char* kCallbacks[] = {"dissolve", "spawnDeathActor", "ragDoll", "End"};

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

void Exercise(Character& character, Character& attacker)
{
    character.PreLoad(true);
    character.InitialUpdate();
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
    Fight(character, attacker);
    for (int32_t handState = -1; handState <= 7; ++handState)
        character.SetAnimation(static_cast<EquipManager_HandState>(handState));
    for (int32_t type = 0; type <= 32; ++type)
        character.CanPlayAnimation(static_cast<AnimationSet_Type>(type));
    character.GetExperienceReward();
    character.PreLoad(false);
}

// The death's part of the character's frame, with the animation's callbacks and the rag doll's
// rest spread over the frames; then the late callbacks a finished death may still hear.
void Die(Character& character)
{
    static const auto names = [] {
        std::array<Name, std::size(kCallbacks)> made;
        for (size_t i = 0; i < made.size(); ++i)
            made[i] = Name::Create(kCallbacks[i]);
        return made;
    }();
    static const Name physicsComplete = Name::Create("PhysicsComplete");
    DeathManager* deaths = character.GetDeathManager();
    if (deaths == nullptr)
        return;
    gEngine->GetWorld()->AddEntity(&character, {kRegion, Coords::Identity()}, false);
    deaths->SetObjectIds(deaths->CreateObjectIds());
    deaths->Execute();
    deaths->PreLoad();
    size_t frame = 0;
    for (const int32_t ms : kDeathFrameMs) {
        if (frame < std::size(kCallbacks))
            deaths->AnimationCallback(names[frame]);
        else if (frame == std::size(kCallbacks))
            deaths->ExternalEvent(physicsComplete);
        ++frame;
        character.UpdateSelf(ms);
        deaths->Update(ms);
        if (deaths->IsFinished()) {
            deaths->PostProcess();
            break;
        }
    }
    for (const Name& callback : names)
        deaths->AnimationCallback(callback);
}

// The loot rolling that a replica's record drives, reached on any character.
class LootRoller : public Character {
public:
    using Character::LoadLootFromStruct;
    using Character::lootState;
};

// The character rolls its equipment again from a seed of the input's, as a replica would: loot
// keys of any weight or name, and whatever it makes is an item. A replica rolls once; here the
// first roll's items are left to the input's end, with the second's, as the level's end would
// take them. Returns the ids of both.
std::vector<uint32_t> RollLoot(Character& character, uint16_t seed)
{
    ObjectManager& objects = ObjectManager::Instance();
    const auto& state = character.*&LootRoller::lootState;
    std::vector<uint32_t> ids(std::begin(state.itemIds), std::end(state.itemIds));
    Character::LootStruct loot;
    loot.seed = seed;
    loot.levelArgument = seed;
    for (uint32_t& id : loot.itemIds)
        id = objects.CreateObjectID();
    (character.*&LootRoller::LoadLootFromStruct)(loot);
    for (const uint32_t id : state.itemIds) {
        Object* item = objects.GetObject(id);
        if (item != nullptr && DynamicCast<Item>(item) == nullptr)
            abort();
        ids.push_back(id);
    }
    return ids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartGame(nullptr);
    const FuzzRecords records = PutPieces(
        std::string_view(reinterpret_cast<const char*>(data), size), Piece_Item, {Piece_Character});
    // The one it fights stands for the whole run, out of the world, whole again for each input.
    static StandingCharacter standing(
        [] { return static_cast<Character*>(ObjectManager::Instance().CreateObject("Character")); },
        WorldVec3());
    Character& attacker = standing.Get();
    ObjectManager& objects = ObjectManager::Instance();
    const InputStart start;
    const Census before;

    Character* character = objects.CreateObjectFromFile<Character>(kCharacterRecord);
    if (character == nullptr)
        abort(); // every kind is a character
    const uint32_t id = character->GetObjectId();
    const std::vector<uint32_t> rolled = RollLoot(*character, static_cast<uint16_t>(size));
    Exercise(*character, attacker);
    Die(*character);
    ClearWorld();
    // A body the death did not take (or that never entered the world) goes here.
    if (objects.GetObject(id) == character)
        objects.DestroyObjectEx(character, "Fuzz/CharacterRecord", __LINE__);
    for (const uint32_t item : rolled)
        DestroyIfRegistered(item);
    CheckNothingLeft(before);
    EndInput(start);
    ForgetInputRecords(records);
    return 0;
}
