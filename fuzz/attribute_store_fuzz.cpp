// Hostile item records (base, prefix and suffix, split on NUL bytes) loaded into every store of
// an item's attributes, then rolled, scaled, jittered, priced and described: nothing may crash,
// overflow or run away whatever the numbers and list lengths. The stores of skills and
// characters read the same records in attribute_store_skill_fuzz.
#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeStore_Equipment.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "combat/DefenseAttributeStore_Equipment.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "core/RandomUniform.h"
#include "fuzz/AttributeStoreInput.h"
#include "items/CostInfo_DamageAttributes.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "items/CostInfo_SkillAttributes.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillAttributeStore_Equipment.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace GAME;
    const AttributeStoreInput input(data, size);
    const LoadTable* const prefix = &input.tables[1];
    const LoadTable* const suffix = &input.tables[2];
    RandomUniform random;
    random.Seed(static_cast<uint32_t>(size));

    DamageAttributeStore_Equipment damage;
    damage.SetRandomGen(&random);
    damage.Load(input.record, prefix, suffix, size % 2 == 0);
    ExerciseStore(damage);
    CostInfo_DamageAttributes damageCost;
    damage.GetCostInfo(damageCost);
    DamageAttributeStore_Equipment damageCopy(damage);
    ExerciseStore(damageCopy);

    RetaliationAttributeStore_Equipment retaliation;
    retaliation.SetRandomGen(&random);
    retaliation.Load(input.record, prefix, suffix, false);
    ExerciseStore(retaliation);

    DefenseAttributeStore_Equipment defense;
    defense.SetRandomGen(&random);
    defense.Load(input.record, prefix, suffix, true, CombatAttributeRegion_Torso);
    ExerciseStore(defense);
    CostInfo_DefenseAttributes defenseCost;
    defense.GetCostInfo(defenseCost);

    SkillAttributeStore_Equipment skill;
    skill.SetRandomGen(&random);
    skill.Load(input.record, prefix, suffix, false);
    SkillAttributeAccumulator skillTotals;
    skill.AddToAccumulator(skillTotals, 1);
    skill.AddJitter(80.0f);
    skill.ScaleAttributes(-1.0e30f);
    CostInfo_SkillAttributes skillCost;
    skill.GetCostInfo(skillCost);

    CharAttributeStore_Equipment character;
    character.SetRandomGen(&random);
    character.Load(input.record, prefix, suffix, false);
    CharAttributeAccumulator characterTotals;
    character.AddToAccumulator(characterTotals, 2);
    character.ScaleAttributes(1.0e30f);
    std::vector<std::wstring> header, lines;
    character.CreateText(header, lines, 3);
    return 0;
}
