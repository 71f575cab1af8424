#include "core/EnumConverter.h"
#include "core/Saturate.h"
#include "core/StringHelpers.h"
#include "core/Thread.h"
#include "core/UniqueId.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <limits>

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
    EXPECT_FALSE(FileNameEqualsCString("a", nullptr));

    EXPECT_EQ(NormalizeFileName("Records/Game/X.dbr"), "records\\game\\x.dbr");
    EXPECT_EQ(GetFileNameFromPath("x/y\\z.tex", true), "z");
    EXPECT_EQ(GetFileNameFromPath("x/y\\z.tex", false), "z.tex");
    EXPECT_EQ(GetFileNameFromPath("a.d/file", true), "file");
    EXPECT_EQ(RemoveSlashes("a/b\\c/"), "abc");

    std::string destination = "x";
    ToLowerCopy("AbC/D", destination);
    EXPECT_EQ(destination, "xabc/d");
}

// Each strip or trim takes one of each kind per round, for fifty rounds, then leaves
// pathological text as it is.
TEST(StringHelpers, StripLineBreaksAndTrimSpacesAndBracesStopAfterFiftyRounds)
{
    const std::pair<std::wstring, std::wstring> strips[] = {
        {L"one^ntwo^Nthree\nfour^bfive\n", L"onetwothreefour^bfive"},
        {Repeat(L"^n\n", 40), L""}, // 80 breaks go in 40 rounds
        {Repeat(L"a^n", 60), Repeat(L"a", 50) + Repeat(L"a^n", 10)},
        {Repeat(L"b\n", 60), Repeat(L"b", 50) + Repeat(L"b\n", 10)}};
    for (auto [text, expected] : strips) {
        StripLineBreaks(text);
        EXPECT_EQ(text, expected);
    }
    // Spaces among the leading and trailing braces go too; the interior stays.
    const std::pair<std::wstring, std::wstring> trims[] = {
        {L"  {x}  ", L"{x}"},
        {L" { a b } ", L"{a b}"},
        {Repeat(L" ", 60) + L"x" + Repeat(L" ", 60), Repeat(L" ", 10) + L"x" + Repeat(L" ", 10)}};
    for (auto [text, expected] : trims) {
        TrimSpacesAndBraces(text);
        EXPECT_EQ(text, expected);
    }
}

TEST(StringHelpers, ListsAndIntegers)
{
    EXPECT_TRUE(StringListsIntersect({"a", "b"}, {"c", "b"}));
    EXPECT_FALSE(StringListsIntersect({"a"}, {"A"}));

    EXPECT_EQ(IntToString(INT_MIN), "-2147483648");
    EXPECT_EQ(ClampIndexToCount(5, 3), 2);
    EXPECT_EQ(ClampIndexToCount(0, 0), -1);
}

// A cut inside a character goes back to its start; a run of stray continuation bytes is cut
// through after three.
TEST(StringHelpers, Utf8CutAtSplitsNoCharacter)
{
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8CutAt(text, 2), 1u);
    EXPECT_EQ(Utf8CutAt(text, 3), 3u);
    EXPECT_EQ(Utf8CutAt(text, 6), 3u);
    EXPECT_EQ(Utf8CutAt(text, 99), 7u);
    EXPECT_EQ(Utf8CutAt("a\x80\x80\x80\x80\x80", 5), 2u);
}

TEST(EnumConverter, UnknownNamesGiveMinusOneOrTheDefault)
{
    using Type = PlayerCharacterClassType;
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("Sorceress"), PlayerCharacterClass_Sorceress);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("warrior"), -1);
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Type>(7)), "None");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Type>(-1)), "None");

    // An unknown path style falls back to the default, not -1.
    using Style = CharacterPathGenerationStyle;
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("Sheep"), CharacterPathGeneration_Sheep);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("sheep"), CharacterPathGeneration_Default);
}

TEST(Saturate, TruncatesTowardZeroAndHoldsAtTheLimits)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int32_t> ints[] = {
        {12.9, 12},
        {-12.9, -12},
        {3e9, INT32_MAX},
        {-std::numeric_limits<double>::infinity(), INT32_MIN},
        {nan, 0}};
    for (const auto& [value, expected] : ints)
        EXPECT_EQ(SaturateToInt(value), expected) << value;
    EXPECT_EQ(SaturateToUInt(4294967295.5), UINT32_MAX);
    EXPECT_EQ(SaturateToUInt(-1.0), 0u);
    EXPECT_EQ(SaturateToUInt(nan), 0u);
    EXPECT_EQ(SaturateToUInt(7.99f), 7u);
}

TEST(UniqueId, PartsOutOfRangeAreIgnoredAndOrderIsByUnsignedWord)
{
    const UniqueId expected(0xDEADBEEFu, 0u, 0xFFFFFFFFu, 0x80000000u);
    UniqueId id = expected;
    EXPECT_EQ(id.GetPart(-1), 0u);
    EXPECT_EQ(id.GetPart(4), 0u);
    id.SetPart(-1, 7);
    id.SetPart(4, 7);
    EXPECT_EQ(id, expected);

    EXPECT_TRUE(UniqueId(1, 9, 9, 9) < UniqueId(2, 0, 0, 0));
    EXPECT_FALSE(UniqueId(1, 2, 3, 4) < UniqueId(1, 2, 3, 4));
    EXPECT_TRUE(UniqueId(0x7FFFFFFFu, 0, 0, 0) < UniqueId(0x80000000u, 0, 0, 0));
}

class CountingThread : public Thread {
public:
    void Run() override
    {
        SetThreadName("counting thread with a long name");
        for (int i = 0; i < 1000; ++i)
            ++count;
    }
    std::atomic<int> count{0};
};

TEST(Thread, RunsItsBodyAndIsWaitedFor)
{
    CountingThread thread;
    EXPECT_FALSE(thread.WaitForExit()); // never started
    thread.Start();
    thread.SetPriority(0);
    EXPECT_TRUE(thread.WaitForExit());
    EXPECT_EQ(thread.count, 1000);
    EXPECT_FALSE(thread.WaitForExit()); // already waited for

    thread.Start();
    thread.SetPriority(2); // may be refused without privileges; must not disturb the run
    EXPECT_TRUE(thread.WaitForExit());
    EXPECT_EQ(thread.count, 2000);
}

} // namespace
} // namespace GAME
