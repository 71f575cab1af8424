#include "combat/RacialBonus.h"

#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <algorithm>

namespace GAME {

namespace {

// A per-level list whose only entry is 0 is how the editor writes "no value".
void ReadLevelList(const LoadTable& table, const char* key, std::vector<float>& out)
{
    table.GetFloatList(key, out);
    if (out.size() == 1 && out[0] == 0.0f)
        out.clear();
}

float ValueAtLevel(const std::vector<float>& values, uint32_t level)
{
    if (level == 0 || values.empty())
        return 0.0f;
    return values[std::min<size_t>(level - 1, values.size() - 1)];
}

const std::string& PluralRaceTag(const std::string& race)
{
    // Without a running game there is no race table; the raw tag still shows which race it is.
    return gGameEngine != nullptr ? gGameEngine->GetMonsterRaceTagPlural(race) : race;
}

} // namespace

void RacialBonus::Load(const LoadTable& table)
{
    table.GetStringList("racialBonusRace", races);
    ReadLevelList(table, "racialBonusPercentDamage", percentDamage);
    ReadLevelList(table, "racialBonusAbsoluteDamage", absoluteDamage);
    ReadLevelList(table, "racialBonusPercentDefense", percentDefense);
    ReadLevelList(table, "racialBonusAbsoluteDefense", absoluteDefense);
}

std::unique_ptr<RacialBonus> RacialBonus::Create(const LoadTable& table)
{
    auto bonus = std::make_unique<RacialBonus>();
    bonus->Load(table);
    if (bonus->IsEmpty())
        return nullptr;
    return bonus;
}

std::unique_ptr<RacialBonus> RacialBonus::CreateFromFile(const std::string& recordName)
{
    if (recordName.empty())
        return nullptr;
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(recordName))
        return nullptr;
    return Create(objects.GetLoadTable(recordName));
}

bool RacialBonus::IsEmpty() const
{
    return races.empty() && percentDamage.empty() && absoluteDamage.empty() &&
           percentDefense.empty() && absoluteDefense.empty();
}

float RacialBonus::GetPercentDamage(uint32_t level) const
{
    return ValueAtLevel(percentDamage, level);
}

float RacialBonus::GetAbsoluteDamage(uint32_t level) const
{
    return ValueAtLevel(absoluteDamage, level);
}

float RacialBonus::GetPercentDefense(uint32_t level) const
{
    return ValueAtLevel(percentDefense, level);
}

float RacialBonus::GetAbsoluteDefense(uint32_t level) const
{
    return ValueAtLevel(absoluteDefense, level);
}

bool RacialBonus::AppliesTo(const std::vector<std::string>& opponentRaces) const
{
    return std::any_of(opponentRaces.begin(), opponentRaces.end(), [this](const std::string& race) {
        return std::find(races.begin(), races.end(), race) != races.end();
    });
}

void RacialBonus::GetDamage(const std::vector<std::string>& opponentRaces,
                            RacialBonus_Damage& damage, uint32_t level) const
{
    if (!AppliesTo(opponentRaces))
        return;
    damage.percent += GetPercentDamage(level);
    damage.absolute += GetAbsoluteDamage(level);
}

void RacialBonus::GetDefense(const std::vector<std::string>& opponentRaces,
                             RacialBonus_Defense& defense, uint32_t level) const
{
    if (!AppliesTo(opponentRaces))
        return;
    defense.percent += GetPercentDefense(level);
    defense.absolute += GetAbsoluteDefense(level);
}

void RacialBonus::AddRaceLines(const char* tag, float value, GameTextClass textClass,
                               std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& localization = LocalizationManager::Instance();
    for (const std::string& race : races) {
        lines.emplace_back(
            textClass, localization.Format(tag, static_cast<double>(value), PluralRaceTag(race)),
            false);
    }
}

void RacialBonus::AddTextLines(uint32_t currentLevel, uint32_t shownLevel, bool onlyChanges,
                               GameTextClass textClass, std::vector<GameTextLine>& lines) const
{
    struct Block {
        const char* tag;
        const std::vector<float>& values;
    };
    const Block blocks[] = {{"RacialBonusPercentDamage", percentDamage},
                            {"RacialBonusAbsoluteDamage", absoluteDamage},
                            {"RacialBonusPercentDefense", percentDefense},
                            {"RacialBonusAbsoluteDefense", absoluteDefense}};
    for (const Block& block : blocks) {
        const float shown = ValueAtLevel(block.values, shownLevel);
        if (onlyChanges ? shown == ValueAtLevel(block.values, currentLevel) : shown == 0.0f)
            continue;
        AddRaceLines(block.tag, shown, textClass, lines);
    }
}

void RacialBonus::GetUIDisplayText(uint32_t level, GameTextClass textClass,
                                   std::vector<GameTextLine>& lines) const
{
    AddTextLines(level, level, false, textClass, lines);
}

void RacialBonus::GetUIDisplayTextIncrease(uint32_t level, uint32_t nextLevel,
                                           GameTextClass textClass,
                                           std::vector<GameTextLine>& lines) const
{
    AddTextLines(level, nextLevel, true, textClass, lines);
}

} // namespace GAME
