// Hostile skill and character records (the first of the records split on NUL bytes, as the item
// stores' fuzzer reads them) loaded into the attribute stores of skills and a character's own
// defenses, then added up, described and scaled: nothing may crash, overflow or run away
// whatever the numbers and list lengths.
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/DefenseAttributeStore_Character.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "fuzz/AttributeStoreInput.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace GAME;
    const AttributeStoreInput input(data, size);

    DamageAttributeStore_Skill damage;
    damage.Load(input.record);
    ExerciseStore(damage);
    RetaliationAttributeStore_Skill retaliation;
    retaliation.Load(input.record);
    ExerciseStore(retaliation);
    DefenseAttributeStore_Skill defense;
    defense.Load(input.record);
    ExerciseStore(defense);
    DefenseAttributeStore_Character character;
    character.Load(input.record);
    ExerciseStore(character);
    return 0;
}
