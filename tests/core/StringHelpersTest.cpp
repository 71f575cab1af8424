#include "core/StringHelpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace GAME {
namespace {

std::wstring Repeat(const std::wstring& piece, int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

TEST(StringHelpers, FileNamesIgnoreCaseAndSlashDirection)
{
    EXPECT_TRUE(FileNameEqualsCString("a/b", "A\\B"));
    EXPECT_FALSE(FileNameEqualsCString("a/b", "a/bc"));
    EXPECT_FALSE(FileNameEqualsCString(nullptr, "a"));
    EXPECT_FALSE(FileNameEqualsCString("a", nullptr));
    EXPECT_TRUE(FileNameEquals("Records/Game/X.dbr", "records\\game\\x.DBR"));

    EXPECT_EQ(NormalizeFileName("Records/Game/X.dbr"), "records\\game\\x.dbr");
    EXPECT_EQ(GetFileNameFromPath("x/y\\z.tex", true), "z");
    EXPECT_EQ(GetFileNameFromPath("x/y\\z.tex", false), "z.tex");
    EXPECT_EQ(GetFileNameFromPath("a.d/file", true), "file");
    EXPECT_EQ(RemoveSlashes("a/b\\c/"), "abc");

    std::string path = "A/b\\C";
    ConvertToBackslashes(path);
    EXPECT_EQ(path, "A\\b\\C");
    ConvertToForwardSlashes(path);
    EXPECT_EQ(path, "A/b/C");

    std::string destination = "x";
    ToLowerCopy("AbC/D", destination);
    EXPECT_EQ(destination, "xabc/d");
}

TEST(StringHelpers, StripLineBreaksRemovesOneOfEachPerRound)
{
    std::wstring text = L"one^ntwo^Nthree\nfour^bfive\n";
    StripLineBreaks(text);
    EXPECT_EQ(text, L"onetwothreefour^bfive");

    // One of each kind per round: 80 breaks go in 40 rounds.
    text = Repeat(L"^n\n", 40);
    StripLineBreaks(text);
    EXPECT_EQ(text, L"");

    // Fifty rounds, then pathological text is left as it is.
    text = Repeat(L"a^n", 60);
    StripLineBreaks(text);
    EXPECT_EQ(text, Repeat(L"a", 50) + Repeat(L"a^n", 10));
    text = Repeat(L"b\n", 60);
    StripLineBreaks(text);
    EXPECT_EQ(text, Repeat(L"b", 50) + Repeat(L"b\n", 10));
}

TEST(StringHelpers, TrimSpacesAndBracesDropsOnlySpacesAtTheEnds)
{
    std::wstring text = L"  {x}  ";
    TrimSpacesAndBraces(text);
    EXPECT_EQ(text, L"{x}");

    // Spaces among the leading and trailing braces go too; the interior stays.
    text = L" { a b } ";
    TrimSpacesAndBraces(text);
    EXPECT_EQ(text, L"{a b}");

    text = Repeat(L" ", 60) + L"x" + Repeat(L" ", 60);
    TrimSpacesAndBraces(text);
    EXPECT_EQ(text, Repeat(L" ", 10) + L"x" + Repeat(L" ", 10));
}

TEST(StringHelpers, ListsAndIntegers)
{
    EXPECT_TRUE(StringListsIntersect({"a", "b"}, {"c", "b"}));
    EXPECT_FALSE(StringListsIntersect({"a"}, {"A"}));

    std::wstring joined = L"x";
    AppendAllStrings({L"a", L"", L"bc"}, joined);
    EXPECT_EQ(joined, L"xabc");

    EXPECT_EQ(IntToString(-42), "-42");
    EXPECT_EQ(IntToString(INT_MIN), "-2147483648");

    EXPECT_EQ(ClampIndexToCount(5, 3), 2);
    EXPECT_EQ(ClampIndexToCount(0, 0), -1);
}

TEST(StringHelpers, FloatToStringUsesSixSignificantDigits)
{
    EXPECT_EQ(FloatToString(1.0f), "1.");
    EXPECT_EQ(FloatToString(0.5f), "0.5");
    EXPECT_EQ(FloatToString(0.0f), "0.");
    EXPECT_EQ(FloatToString(100000.0f), "100000.");
    // Exponent 6 exceeds the five the digits allow after the first; 1234567 rounds to 1.23457.
    EXPECT_EQ(FloatToString(1234567.0f), "1.23457e+006");
    // 0.05f is 0.0500000007..., which rounds to 5.00000 and has exponent -2.
    EXPECT_EQ(FloatToString(0.05f), "5.e-002");
    EXPECT_EQ(FloatToStringPrecision(-314150.0f, 7), "-314150.");
    EXPECT_EQ(FloatToStringPrecision(-314150.0f, 5), "-3.1415e+005");
}

} // namespace
} // namespace GAME
