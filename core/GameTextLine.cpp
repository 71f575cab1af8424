#include "core/GameTextLine.h"

namespace GAME {

namespace {

constexpr const char* kGameTextClassNames[kGameTextClassCount] = {
    "Default",
    "ItemBanner",
    "ItemNameCommon",
    "ItemNameMagical",
    "ItemNameRare",
    "ItemNameEpic",
    "ItemNameLegendary",
    "ItemNameBroken",
    "ItemNamePotion",
    "ItemNameRelic",
    "ItemNameQuest",
    "ItemDescription",
    "ItemBaseStats",
    "ItemBonuses",
    "ItemRequirements",
    "ItemSetName",
    "ItemSetDescription",
    "ItemSetComponentNotAvailable",
    "ItemSetComponentAvailable",
    "ItemSetBonuses",
    "ItemRelicName",
    "ItemRelicNumber",
    "ItemRelicDescription",
    "ItemRelicBonus",
    "ItemRelicCompleteTitle",
    "ItemDirections",
    "ItemSkillHeading",
    "ItemSkillName",
    "SkillName",
    "SkillDescription",
    "SkillLevelTitles",
    "SkillStatsCurrent",
    "SkillStatsNext",
    "SkillRequirements",
    "SkillRequirementsNotMet",
    "PetSkillNameCurrent",
    "PetSkillNameNext",
    "PetSkillStatsCurrent",
    "PetSkillStatsNext",
};

} // namespace

const char* GetGameTextClassName(GameTextClass style)
{
    const int32_t index = static_cast<int32_t>(style);
    if (index < 0 || index >= kGameTextClassCount)
        return "";
    return kGameTextClassNames[index];
}

GameTextLine::GameTextLine(GameTextClass style, const std::wstring& text, bool flag)
    : style(style), text(text), flag(flag)
{}

void AddTextLines(const std::vector<std::wstring>& texts, GameTextClass style,
                  std::vector<GameTextLine>& lines)
{
    lines.reserve(lines.size() + texts.size());
    for (const std::wstring& text : texts)
        lines.emplace_back(style, text, false);
}

} // namespace GAME
