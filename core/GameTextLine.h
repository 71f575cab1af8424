#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The text styles of tooltips and descriptions. Each has a style name and an indent in the
// game settings record, under its own name and under its name followed by "Indent".
enum class GameTextClass : int32_t {
    Default = 0,
    ItemBanner,
    ItemNameCommon,
    ItemNameMagical,
    ItemNameRare,
    ItemNameEpic,
    ItemNameLegendary,
    ItemNameBroken,
    ItemNamePotion,
    ItemNameRelic,
    ItemNameQuest,
    ItemDescription,
    ItemBaseStats,
    ItemBonuses,
    ItemRequirements,
    ItemSetName,
    ItemSetDescription,
    ItemSetComponentNotAvailable,
    ItemSetComponentAvailable,
    ItemSetBonuses,
    ItemRelicName,
    ItemRelicNumber,
    ItemRelicDescription,
    ItemRelicBonus,
    ItemRelicCompleteTitle,
    ItemDirections,
    ItemSkillHeading,
    ItemSkillName,
    SkillName,
    SkillDescription,
    SkillLevelTitles,
    SkillStatsCurrent,
    SkillStatsNext,
    SkillRequirements,
    SkillRequirementsNotMet,
    PetSkillNameCurrent,
    PetSkillNameNext,
    PetSkillStatsCurrent,
    PetSkillStatsNext
};
constexpr int32_t kGameTextClassCount = 39;

// The class's record key, such as "ItemBanner"; "" for a value outside the 39 styles, which
// arrive as numbers from records and the host.
const char* GetGameTextClassName(GameTextClass style);

// One line of display text, already localised; it may hold the fonts' caret codes.
struct GameTextLine {
    GameTextLine(GameTextClass style, const std::wstring& text, bool flag);

    GameTextClass style;
    std::wstring text;
    bool flag; // carried to the host's layout, which gives it its meaning
};

// One line of the style per text, in list order.
void AddTextLines(const std::vector<std::wstring>& texts, GameTextClass style,
                  std::vector<GameTextLine>& lines);

} // namespace GAME
