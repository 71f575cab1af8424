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

namespace {

template <typename Store> void LoadAndExercise(const GAME::LoadTable& record)
{
    Store store;
    store.Load(record);
    GAME::ExerciseStore(store);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace GAME;
    const AttributeStoreInput input(data, size);
    LoadAndExercise<DamageAttributeStore_Skill>(input.record);
    LoadAndExercise<RetaliationAttributeStore_Skill>(input.record);
    LoadAndExercise<DefenseAttributeStore_Skill>(input.record);
    LoadAndExercise<DefenseAttributeStore_Character>(input.record);
    return 0;
}
