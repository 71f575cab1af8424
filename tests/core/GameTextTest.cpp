#include "core/GameTextLine.h"
#include "core/GameTextString.h"
#include "core/GameTextStyleMap.h"

#include "engine/ObjectManager.h"
#include "engine/StyleManager.h"
#include "tests/support/EngineFixture.h"

#include <climits>

namespace GAME::Test {
namespace {

const char* const kSettings = "Records/Game/GameEngine.dbr";

// Styles of a font 7 pixels a glyph: "Stats" 14 high, "Title" 20 high with 1 pixel spacing.
class GameTextTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        StyleManager& styles = StyleManager::Instance();
        styles.Clear();
        styles.AddFont("Body", 7);
        styles.AddStyle("Stats", "Body", 14, 0);
        styles.AddStyle("Title", "Body", 20, 1);
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

TEST_F(GameTextTest, ClassesAreNamedAfterTheirRecordKeysAndLinesAppend)
{
    EXPECT_STREQ(GetGameTextClassName(GameTextClass::ItemBaseStats), "ItemBaseStats");
    EXPECT_STREQ(GetGameTextClassName(GameTextClass::PetSkillStatsNext), "PetSkillStatsNext");
    EXPECT_STREQ(GetGameTextClassName(static_cast<GameTextClass>(39)), "");
    EXPECT_STREQ(GetGameTextClassName(static_cast<GameTextClass>(-1)), "");

    std::vector<GameTextLine> lines{{GameTextClass::ItemBanner, L"Banner", true}};
    AddTextLines({L"one", L"two"}, GameTextClass::ItemBonuses, lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].style, GameTextClass::ItemBonuses);
    EXPECT_EQ(lines[2].text, L"two");
}

TEST_F(GameTextTest, StylesLoadEveryClassAndKeepTheFirstEntry)
{
    GameTextStyleMap map = LoadStyles({"ItemBaseStats = Stats", "ItemBaseStatsIndent = 10",
                                       "PetSkillStatsNextIndent = 4", "ItemBannerIndent = 3"});
    EXPECT_EQ(map.GetCount(), 39u);
    EXPECT_EQ(map.GetStyleName(GameTextClass::ItemBaseStats), "Stats");
    EXPECT_EQ(map.GetStyleIndent(GameTextClass::ItemBaseStats), 10.0f);
    EXPECT_EQ(map.GetStyleIndent(GameTextClass::PetSkillStatsNext), 4.0f);
    // No "ItemBanner" key: the entry exists with an empty name.
    EXPECT_EQ(map.GetStyleName(GameTextClass::ItemBanner), "");
    EXPECT_EQ(map.GetStyleIndent(GameTextClass::ItemBanner), 3.0f);
    EXPECT_EQ(map.GetStyleName(static_cast<GameTextClass>(39)), "");
    EXPECT_EQ(map.GetStyleIndent(static_cast<GameTextClass>(-5)), 0.0f);

    EXPECT_FALSE(map.Insert(GameTextClass::ItemBaseStats, "Title", 1));
    EXPECT_EQ(map.GetStyleName(GameTextClass::ItemBaseStats), "Stats");
    EXPECT_TRUE(log.GetLines().empty());
}

TEST_F(GameTextTest, IndentedStyleMeasuresTextPlusMargins)
{
    GameTextStyleMap map =
        LoadStyles({"ItemBaseStats = Stats", "ItemBaseStatsIndent = 10", "SkillName = Title"});
    std::list<GameTextString> out = Convert(map, {{GameTextClass::ItemBaseStats, L"Damage", true},
                                                  {GameTextClass::ItemBaseStats, L"", false},
                                                  {GameTextClass::SkillName, L"Fire", false}});
    ASSERT_EQ(out.size(), 3u);
    const GameTextString& stats = out.front();
    EXPECT_EQ(stats.styleName, "Stats");
    EXPECT_EQ(stats.leftMargin, 16);
    EXPECT_EQ(stats.rightMargin, 6);
    EXPECT_EQ(stats.width, 42 + 22);
    EXPECT_EQ(stats.height, 14);

    const GameTextString& empty = *std::next(out.begin());
    EXPECT_EQ(empty.width, 22);
    EXPECT_EQ(empty.height, 14);

    // Spacing after every glyph: 4 x (7 + 1), no indent.
    EXPECT_EQ(out.back().width, 32 + 12);
    EXPECT_EQ(out.back().height, 20);
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
    GameTextLineToString(map, {}, out);
    ASSERT_EQ(out.size(), 1u);

    GameTextLineToString(map,
                         {{GameTextClass::ItemBanner, L"Banner", false},
                          {GameTextClass::ItemNameRare, L"Rare", false},
                          {static_cast<GameTextClass>(77), L"Stray", false}},
                         out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out.front().text, L"kept");
    auto banner = std::next(out.begin());
    EXPECT_EQ(banner->styleName, "");
    EXPECT_EQ(banner->leftMargin, 11);
    EXPECT_EQ(banner->width, 0);
    EXPECT_EQ(banner->height, 0);
    EXPECT_EQ(std::next(banner)->styleName, "Missing");
    EXPECT_EQ(std::next(banner)->width, 0);
    EXPECT_EQ(out.back().styleName, "");
    EXPECT_EQ(out.back().leftMargin, 6);
    EXPECT_EQ(out.back().height, 0);
}

TEST_F(GameTextTest, ExtremeIndentsSaturate)
{
    GameTextStyleMap map = LoadStyles({"ItemBaseStats = Stats", "ItemBaseStatsIndent = 2147483647",
                                       "ItemBonuses = Stats", "ItemBonusesIndent = -2147483648"});
    std::list<GameTextString> out = Convert(map, {{GameTextClass::ItemBaseStats, L"x", false},
                                                  {GameTextClass::ItemBonuses, L"x", false}});
    EXPECT_EQ(out.front().leftMargin, INT_MAX);
    EXPECT_EQ(out.front().width, INT_MAX);
    EXPECT_EQ(out.back().leftMargin, INT_MIN + 6);
    EXPECT_EQ(out.back().width, INT_MIN + 6 + 7 + 6);
}

} // namespace
} // namespace GAME::Test
