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

using namespace std::string_literals;

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

TEST_F(GameTextTest, StylesLoadEveryClassAndKeepTheFirstEntry)
{
    GameTextStyleMap map = LoadStyles({"ItemBaseStats = Stats", "ItemBaseStatsIndent = 10",
                                       "PetSkillStatsNextIndent = 4", "ItemBannerIndent = 3"});
    EXPECT_EQ(map.GetCount(), 39u);
    EXPECT_EQ(StyleOf(map, int32_t(GameTextClass::ItemBaseStats)), std::pair("Stats"s, 10.0f));
    EXPECT_EQ(map.GetStyleIndent(GameTextClass::PetSkillStatsNext), 4.0f);
    // No "ItemBanner" key: the entry exists with an empty name.
    EXPECT_EQ(StyleOf(map, int32_t(GameTextClass::ItemBanner)), std::pair(""s, 3.0f));
    EXPECT_EQ(StyleOf(map, 39), std::pair(""s, 0.0f));

    EXPECT_FALSE(map.Insert(GameTextClass::ItemBaseStats, "Title", 1));
    EXPECT_EQ(map.GetStyleName(GameTextClass::ItemBaseStats), "Stats");
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

TEST_F(GameTextTest, UnstyledLinesAreNotMeasured)
{
    GameTextStyleMap map = LoadStyles({"ItemBannerIndent = 5", "ItemNameRare = Missing"});
    std::list<GameTextString> out{{"Stats", L"kept", false, 0}};
    GameTextLineToString(map,
                         {{GameTextClass::ItemBanner, L"Banner", false},
                          {GameTextClass::ItemNameRare, L"Rare", false},
                          {static_cast<GameTextClass>(77), L"Stray", false}},
                         out);
    ASSERT_EQ(out.size(), 4u);
    out.pop_front();
    EXPECT_EQ(Measures(out), (std::vector<Measured>{
                                 {"", 11, 6, 0, 0}, {"Missing", 6, 6, 0, 0}, {"", 6, 6, 0, 0}}));
}

TEST_F(GameTextTest, ExtremeIndentsSaturate)
{
    GameTextStyleMap map = LoadStyles({"ItemBaseStats = Stats", "ItemBaseStatsIndent = 2147483647",
                                       "ItemBonuses = Stats", "ItemBonusesIndent = -2147483648"});
    std::list<GameTextString> out = Convert(map, {{GameTextClass::ItemBaseStats, L"x", false},
                                                  {GameTextClass::ItemBonuses, L"x", false}});
    EXPECT_EQ(Measures(out),
              (std::vector<Measured>{{"Stats", INT_MAX, 6, INT_MAX, 14},
                                     {"Stats", INT_MIN + 6, 6, INT_MIN + 6 + 7 + 6, 14}}));
}

} // namespace
} // namespace GAME::Test
