#include "engine/GraphicsFont.h"
#include "engine/StyleManager.h"

#include <gtest/gtest.h>

#include <cmath>

namespace GAME::Test {
namespace {

constexpr GraphicsFont::Color kWhite{1.0f, 1.0f, 1.0f, 1.0f};

// Caret codes take no width, end the current run and colour what follows; an unknown code is
// still consumed, and a caret that ends the text is an ordinary glyph.
TEST(GraphicsFont, CaretCodesTakeNoWidthAndColourWhatFollows)
{
    uint32_t pending = 0xFFFFFFFFu;
    EXPECT_EQ(GraphicsFont::ProcessCharacter(L'^', L'z', pending), 6u);
    EXPECT_EQ(pending, 0xFFFFFFFFu);
    EXPECT_EQ(GraphicsFont::ProcessCharacter(L'^', L'\0', pending), 1u);
    EXPECT_EQ(GraphicsFont::ProcessCharacter(L'\n', L'x', pending), 4u); // ends the run, no glyph

    GraphicsFont font(7);
    EXPECT_EQ(font.DrawString(L"ab^rcd^n", 0.0f, 0.0f, kWhite, 0x520, false, 14, 0), 28);
    const std::vector<TextRenderer::Run>& runs = font.GetRenderer()->GetRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].glyphs, L"ab");
    EXPECT_EQ(runs[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(runs[0].flags, 0x520u);
    EXPECT_EQ(runs[1].glyphs, L"cd");
    EXPECT_EQ(runs[1].x, 14.0f);
    EXPECT_EQ(runs[1].color, 0xFFFF0000u);
    EXPECT_FALSE(font.GetRenderer()->IsInBatch());

    GraphicsFont headless(7, false);
    EXPECT_EQ(headless.DrawString(L"abc", 0.0f, 0.0f, kWhite, 0x520, false, 14, 0), 0);

    // Each channel is clamped on its own; NaN packs as zero.
    EXPECT_EQ(GraphicsFont::PackColor(kWhite), 0xFFFFFFFFu);
    EXPECT_EQ(GraphicsFont::PackColor({0.5f, 2.0f, -1.0f, std::nanf("")}), 0x0080FF00u);
}

TEST(GraphicsFont, LongTextsAreDrawnInRunsOf511Glyphs)
{
    GraphicsFont font(3);
    EXPECT_EQ(font.DrawString(std::wstring(1200, L'x'), 0.0f, 0.0f, kWhite, 0, false, 10, 1), 4800);
    const std::vector<TextRenderer::Run>& runs = font.GetRenderer()->GetRuns();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].glyphs.size(), 511u);
    EXPECT_EQ(runs[1].glyphs.size(), 511u);
    EXPECT_EQ(runs[1].x, 2044.0f);
    EXPECT_EQ(runs[2].glyphs.size(), 178u);
    EXPECT_EQ(runs[2].x, 4088.0f);

    // A full run at the very end is not followed by an empty one.
    EXPECT_EQ(font.DrawString(std::wstring(511, L'x'), 0.0f, 0.0f, kWhite, 0, false, 10, 0), 1533);
    EXPECT_EQ(font.GetRenderer()->GetRuns().size(), 1u);
}

TEST(StyleManager, StylesAreFoundByExactNameAndKeepTheirFirstEntry)
{
    StyleManager styles;
    GraphicsFont* font = styles.AddFont("Body", 6);
    EXPECT_EQ(styles.AddFont("Body", 9), font);

    EXPECT_TRUE(styles.AddStyle("Normal", "Body", 12, 1));
    EXPECT_FALSE(styles.AddStyle("Normal", "Body", 20, 0));
    EXPECT_FALSE(styles.AddStyle("", "Body", 12, 0));
    EXPECT_FALSE(styles.AddStyle("Other", "Missing", 12, 0));
    ASSERT_NE(styles.GetStyle("Normal"), nullptr);
    EXPECT_EQ(styles.GetStyle("Normal")->size, 12);
    EXPECT_EQ(styles.GetStyle("normal"), nullptr);
    EXPECT_EQ(styles.GetStyle("Other"), nullptr);
}

} // namespace
} // namespace GAME::Test
