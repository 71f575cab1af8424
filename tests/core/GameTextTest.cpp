#include "core/GameTextLine.h"
#include "core/GameTextString.h"
#include "core/GameTextStyleMap.h"

#include "engine/ObjectManager.h"
#include "engine/StyleManager.h"
#include "tests/support/EngineFixture.h"

#include <climits>
#include <tuple>

namespace GAME::Test {
namespace {

const char* const kSettings = "Records/Game/GameEngine.dbr";

// A style of a font 7 pixels a glyph: "Stats", 14 high.
class GameTextTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        StyleManager& styles = StyleManager::Instance();
        styles.Clear();
        styles.AddFont("Body", 7);
        styles.AddStyle("Stats", "Body", 14, 0);
    }
    void TearDown() override
    {
        StyleManager::Instance().Clear();
        EngineFixture::TearDown();
    }

    GameTextStyleMap LoadStyles(std::initializer_list<std::string> lines)
    {
        database.WriteRecord(kSettings, lines);
        ObjectManager::Instance().LoadTableFile(kSettings);
        GameTextStyleMap map;
        LoadGameTextStyles(ObjectManager::Instance().GetLoadTable(kSettings), map);
        return map;
    }

    std::list<GameTextString> Convert(const GameTextStyleMap& map,
                                      const std::vector<GameTextLine>& lines)
    {
        std::list<GameTextString> out;
        GameTextLineToString(map, lines, out);
        return out;
    }
};

// What each string measured: its style, left and right margins, width and height.
using Measured = std::tuple<std::string, int32_t, int32_t, int32_t, int32_t>;
std::vector<Measured> Measures(const std::list<GameTextString>& strings)
{
    std::vector<Measured> measured;
    for (const GameTextString& s : strings)
        measured.emplace_back(s.styleName, s.leftMargin, s.rightMargin, s.width, s.height);
    return measured;
}

std::pair<std::string, float> StyleOf(const GameTextStyleMap& map, int32_t textClass)
{
    const auto style = static_cast<GameTextClass>(textClass);
    return {map.GetStyleName(style), map.GetStyleIndent(style)};
}

TEST_F(GameTextTest, ClassNamesNeverReadPastTheTable)
{
    EXPECT_STREQ(GetGameTextClassName(GameTextClass::PetSkillStatsNext), "PetSkillStatsNext");
    EXPECT_STREQ(GetGameTextClassName(static_cast<GameTextClass>(39)), "");
    EXPECT_STREQ(GetGameTextClassName(static_cast<GameTextClass>(-1)), "");
}

TEST_F(GameTextTest, CaretCodesTakeNoWidthAndLongTextIsMeasuredWhole)
{
    GameTextStyleMap map = LoadStyles({"ItemDescription = Stats"});
    std::list<GameTextString> out =
        Convert(map, {{GameTextClass::ItemDescription, L"^rDam^wage", false},
                      {GameTextClass::ItemDescription, std::wstring(1100, L'a'), false}});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out.front().width, 42 + 12);
    EXPECT_EQ(out.back().width, 7700 + 12);
}

TEST_F(GameTextTest, ExtremeIndentsSaturateAndStylesKeepTheTableBoundsAndFirstEntries)
{
    GameTextStyleMap map = LoadStyles({"ItemBaseStats = Stats", "ItemBaseStatsIndent = 2147483647",
                                       "ItemBonuses = Stats", "ItemBonusesIndent = -2147483648"});
    // A class past the table is neither styled nor measured.
    std::list<GameTextString> out = Convert(map, {{GameTextClass::ItemBaseStats, L"x", false},
                                                  {GameTextClass::ItemBonuses, L"x", false},
                                                  {static_cast<GameTextClass>(77), L"x", false}});
    EXPECT_EQ(Measures(out),
              (std::vector<Measured>{{"Stats", INT_MAX, 6, INT_MAX, 14},
                                     {"Stats", INT_MIN + 6, 6, INT_MIN + 6 + 7 + 6, 14},
                                     {"", 6, 6, 0, 0}}));
    EXPECT_EQ(StyleOf(map, 39), std::pair(std::string(), 0.0f));
    EXPECT_FALSE(map.Insert(GameTextClass::ItemBaseStats, "Title", 1));
    EXPECT_EQ(map.GetStyleName(GameTextClass::ItemBaseStats), "Stats");
}

} // namespace
} // namespace GAME::Test
