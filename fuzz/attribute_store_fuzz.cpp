// Hostile item, skill and character records (base, prefix and suffix, split on NUL bytes) loaded
// into every attribute store, then rolled, scaled, jittered, priced and described: nothing may
// crash, overflow or run away whatever the numbers and list lengths.
#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeStore_Equipment.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/DefenseAttributeStore_Character.h"
#include "combat/DefenseAttributeStore_Equipment.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DamageAttributes.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "items/CostInfo_SkillAttributes.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillAttributeStore_Equipment.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

template <typename Store> void Exercise(Store& store)
{
    GAME::CombatAttributeAccumulator attack;
    attack.SetSeed(7);
    for (uint32_t level : {0u, 1u, 2u, 40u}) {
        if constexpr (requires { store.AddDamageToAccumulator(attack, level); }) {
            store.AddDamageToAccumulator(attack, level);
            store.AddModifierToAccumulator(attack, level);
            Lines first, second, third;
            store.CreateText(first, second, third, level);
            store.CreateNextText(first, second, third, level, level + 1);
        } else {
            store.AddToAccumulator(attack, level);
            Lines first, second;
            store.CreateText(first, second, level);
            store.CreateNextText(first, second, level, level + 1);
        }
    }
    store.ScaleAttributes(35.0f);
    store.ScaleAttributes(-1.0e30f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        GAME::gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    GAME::LoadTable tables[3];
    size_t start = 0;
    for (GAME::LoadTable& table : tables) {
        const size_t end = std::min(input.find('\0', start), input.size());
        table.Parse(input.substr(start, end - start), "fuzz.dbr");
        start = end < input.size() ? end + 1 : end;
    }
    const GAME::LoadTable& record = tables[0];
    GAME::RandomUniform random;
    random.Seed(static_cast<uint32_t>(size));

    GAME::DamageAttributeStore_Equipment damage;
    damage.SetRandomGen(&random);
    damage.Load(record, &tables[1], &tables[2], size % 2 == 0);
    Exercise(damage);
    GAME::CostInfo_DamageAttributes damageCost;
    damage.GetCostInfo(damageCost);
    GAME::DamageAttributeStore_Equipment damageCopy(damage);
    Exercise(damageCopy);

    GAME::DamageAttributeStore_Skill skillDamage;
    skillDamage.Load(record);
    Exercise(skillDamage);

    GAME::RetaliationAttributeStore_Equipment retaliation;
    retaliation.SetRandomGen(&random);
    retaliation.Load(record, &tables[1], &tables[2], false);
    Exercise(retaliation);
    GAME::RetaliationAttributeStore_Skill skillRetaliation;
    skillRetaliation.Load(record);
    Exercise(skillRetaliation);

    GAME::DefenseAttributeStore_Equipment defense;
    defense.SetRandomGen(&random);
    defense.Load(record, &tables[1], &tables[2], true, GAME::CombatAttributeRegion_Torso);
    Exercise(defense);
    GAME::CostInfo_DefenseAttributes defenseCost;
    defense.GetCostInfo(defenseCost);

    GAME::DefenseAttributeStore_Skill skillDefense;
    skillDefense.Load(record);
    Exercise(skillDefense);
    GAME::DefenseAttributeStore_Character characterDefense;
    characterDefense.Load(record);
    Exercise(characterDefense);

    GAME::SkillAttributeStore_Equipment skill;
    skill.SetRandomGen(&random);
    skill.Load(record, &tables[1], &tables[2], false);
    GAME::SkillAttributeAccumulator skillTotals;
    skill.AddToAccumulator(skillTotals, 1);
    skill.AddJitter(80.0f);
    skill.ScaleAttributes(-1.0e30f);
    GAME::CostInfo_SkillAttributes skillCost;
    skill.GetCostInfo(skillCost);

    GAME::CharAttributeStore_Equipment character;
    character.SetRandomGen(&random);
    character.Load(record, &tables[1], &tables[2], false);
    GAME::CharAttributeAccumulator characterTotals;
    character.AddToAccumulator(characterTotals, 2);
    character.ScaleAttributes(1.0e30f);
    Lines header, lines;
    character.CreateText(header, lines, 3);
    return 0;
}
