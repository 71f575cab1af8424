#include "characters/AttributePak.h"

#include "engine/Engine.h"
#include "engine/ObjectManager.h"

#include <array>

namespace GAME {

namespace {
// A store writes into fresh lists of its own; they are shown in the order it filled them.
template <size_t Count, typename Fill>
void AddStoreText(Fill fill, GameTextClass textClass, std::vector<GameTextLine>& lines)
{
    std::array<std::vector<std::wstring>, Count> lists;
    fill(lists);
    for (const auto& list : lists)
        AddTextLines(list, textClass, lines);
}
} // namespace

void AttributePak::LoadFromDatabase(const std::string& name)
{
    recordName = name;
    ObjectManager& objects = ObjectManager::Instance();
    // An empty name is a settings record that gives no pack, not a fault.
    if (!objects.LoadTableFile(name) && !name.empty())
        gEngine->Log(Engine::LogData, "AttributePak: could not load record '%s'", name.c_str());
    // The table of a record that failed is empty, so the stores clear themselves.
    LoadFromTable(objects.GetLoadTable(name));
}

void AttributePak::LoadFromTable(const LoadTable& table)
{
    charAttributes.Load(table);
    skillAttributes.Load(table);
    damageAttributes.Load(table);
    retaliationAttributes.Load(table);
    defenseAttributes.Load(table);
}

void AttributePak::GetCharAttributes(CharAttributeAccumulator& accumulator, uint32_t level) const
{
    charAttributes.AddToAccumulator(accumulator, level);
}

void AttributePak::GetSkillAttributes(SkillAttributeAccumulator& accumulator, uint32_t level) const
{
    skillAttributes.AddToAccumulator(accumulator, level);
}

void AttributePak::GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator,
                                                uint32_t level) const
{
    damageAttributes.AddDamageToAccumulator(accumulator, level);
}

void AttributePak::GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator,
                                                  uint32_t level) const
{
    damageAttributes.AddModifierToAccumulator(accumulator, level);
}

void AttributePak::GetRetaliationAttributes(CombatAttributeAccumulator& accumulator,
                                            uint32_t level) const
{
    retaliationAttributes.AddDamageToAccumulator(accumulator, level);
    retaliationAttributes.AddModifierToAccumulator(accumulator, level);
}

void AttributePak::GetDefenseAttributes(CombatAttributeAccumulator& accumulator,
                                        uint32_t level) const
{
    defenseAttributes.AddToAccumulator(accumulator, level);
}

void AttributePak::GetUIDisplayText(uint32_t level, GameTextClass textClass,
                                    std::vector<GameTextLine>& lines) const
{
    AddStoreText<3>(
        [&](auto& list) { damageAttributes.CreateText(list[0], list[1], list[2], level); },
        textClass, lines);
    AddStoreText<2>([&](auto& list) { defenseAttributes.CreateText(list[0], list[1], level); },
                    textClass, lines);
    AddStoreText<3>(
        [&](auto& list) { retaliationAttributes.CreateText(list[0], list[1], list[2], level); },
        textClass, lines);
    AddStoreText<2>([&](auto& list) { charAttributes.CreateText(list[0], list[1], level); },
                    textClass, lines);
    AddStoreText<1>([&](auto& list) { skillAttributes.CreateText(list[0], level); }, textClass,
                    lines);
}

} // namespace GAME
