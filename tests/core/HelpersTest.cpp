#include "core/BinaryWriter.h"
#include "core/DialogManager.h"
#include "core/EnumConverter.h"
#include "core/LentPointer.h"
#include "core/OwnedList.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "core/StringHelpers.h"
#include "core/Thread.h"
#include "core/UniqueId.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

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

using Party = DialogManager::InterestedParty;

std::pair<int, bool> Answer(const DialogManager::YesNoResponse& response)
{
    return {response.party, response.answer};
}

TEST(DialogManager, DialogsAreShownInTheOrderQueued)
{
    DialogManager dialogs;
    // Peeking at an empty queue gives a blank dialog rather than a stray read.
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"");
    dialogs.RemoveTopDialog();

    dialogs.AddDialog(DialogManager::DialogQuestion, true, DialogManager::PartyBanPlayer, L"A",
                      false, true);
    dialogs.AddDialog(DialogManager::DialogNotice, false, DialogManager::PartyNotice, L"B", true,
                      false);
    ASSERT_EQ(dialogs.GetNumDialog(), 2u);
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"A");
    dialogs.RemoveTopDialog();
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"B");
}

TEST(DialogManager, ResponsesAreTakenOldestFirstPerParty)
{
    const auto party = [](int number) { return static_cast<Party>(number); };
    DialogManager dialogs;
    dialogs.AddResponse({party(5), true});
    dialogs.AddResponse({party(4), false});
    dialogs.AddResponse({party(5), false});

    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(5))), std::pair(5, true));
    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(3))), std::pair(0, false)) << "none";

    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(4))), std::pair(4, false));
    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(5))), std::pair(5, false));
    EXPECT_EQ(dialogs.GetNumResponsesFor(party(5)), 0u);
}

std::vector<uint8_t> Bytes(const BinaryWriter& writer)
{
    return std::vector<uint8_t>(writer.GetData(), writer.GetData() + writer.GetPosition());
}

TEST(BinaryWriter, LayoutIsLittleEndianWithLengthPrefixedStrings)
{
    BinaryWriter writer = BinaryWriter::ToMemory(4);
    writer.WriteUInt16(0x1234);
    writer.WriteUInt32(0xA1B2C3D4);
    writer.WriteBool(true);
    writer.WriteBool(false);
    writer.WriteString("");
    writer.WriteString("ab");
    const uint8_t raw[] = {9, 8};
    writer.WriteBytes(raw, 2);
    EXPECT_EQ(Bytes(writer),
              (std::vector<uint8_t>{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 1, 0, 0, 0,   0,   0, 0,
                                    0,    0,    0,    0,    0,    2,    0, 0, 0, 'a', 'b', 9, 8}));
    EXPECT_FALSE(writer.HasFailed());
}

TEST(BinaryWriter, GrowsByTenTimesTheOverflowingWrite)
{
    BinaryWriter writer = BinaryWriter::ToMemory(8);
    const uint8_t six[6] = {};
    writer.WriteBytes(six, 6);
    EXPECT_EQ(writer.GetCapacity(), 8u);
    writer.WriteUInt32(1);
    EXPECT_EQ(writer.GetCapacity(), 48u);
    writer.WriteUInt16(2);
    EXPECT_EQ(writer.GetCapacity(), 48u);

    BinaryWriter empty = BinaryWriter::ToMemory(0);
    empty.WriteBool(true);
    EXPECT_EQ(empty.GetCapacity(), 40u);
    EXPECT_EQ(Bytes(empty), (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST(BinaryWriter, FailedGrowthKeepsTheBytesAndDropsLaterWrites)
{
    BinaryWriter writer = BinaryWriter::ToMemory(4);
    writer.WriteUInt32(7);
    GAME::Test::LogCapture log;
    auto previous = BinaryWriter::SetReallocate([](void*, size_t) -> void* { return nullptr; });
    writer.WriteString(std::string(300, 'x')); // the length word fits nowhere: 4 + 10 * 4 bytes
    BinaryWriter::SetReallocate(previous);

    EXPECT_TRUE(writer.HasFailed());
    EXPECT_EQ(log.Count(1, "Memory allocation of 0kb failed"), 1u);
    writer.WriteUInt32(9); // dropped even though the allocator works again
    EXPECT_EQ(Bytes(writer), (std::vector<uint8_t>{7, 0, 0, 0}));
    EXPECT_EQ(writer.GetCapacity(), 4u);
}

TEST(BinaryWriter, WritesToAFile)
{
    FILE* file = tmpfile();
    ASSERT_NE(file, nullptr);
    {
        BinaryWriter writer(file);
        writer.WriteUInt32(0x01020304);
        writer.WriteString("hi");
    }
    rewind(file);
    uint8_t read[10] = {};
    EXPECT_EQ(fread(read, 1, sizeof(read), file), 10u);
    EXPECT_EQ(std::vector<uint8_t>(read, read + 10),
              (std::vector<uint8_t>{4, 3, 2, 1, 2, 0, 0, 0, 'h', 'i'}));
    fclose(file);
}

// A counter whose clone can be made to fail, as a kind that cannot copy itself would.
struct Counter {
    explicit Counter(int start, bool clones = true) : value(start), clonable(clones) {}
    std::unique_ptr<Counter> Clone() const
    {
        return clonable ? std::make_unique<Counter>(value) : nullptr;
    }
    int value;
    bool clonable;
};

OwnedList<Counter> ListOf(std::vector<int> values)
{
    OwnedList<Counter> list;
    for (int value : values)
        list.Add(std::make_unique<Counter>(value));
    return list;
}

std::vector<int> Values(const OwnedList<Counter>& list)
{
    std::vector<int> values;
    for (const auto& item : list)
        values.push_back(item->value);
    return values;
}

TEST(OwnedList, CopiesHoldClonesSoNeitherSideSeesTheOthersChanges)
{
    auto original = std::make_unique<OwnedList<Counter>>(ListOf({1, 2, 3}));
    OwnedList<Counter> copy(*original);
    OwnedList<Counter> assigned = ListOf({9});
    assigned = *original;
    const OwnedList<Counter>& itself = assigned;
    assigned = itself;

    copy[0]->value = 10;
    EXPECT_EQ(Values(*original), (std::vector<int>{1, 2, 3}));
    original.reset();
    EXPECT_EQ(Values(copy), (std::vector<int>{10, 2, 3}));
    EXPECT_EQ(Values(assigned), (std::vector<int>{1, 2, 3})) << "assigning replaces the contents";
}

TEST(OwnedList, NullItemsAndFailedClonesLeaveNoHole)
{
    OwnedList<Counter> list;
    list.Add(nullptr);
    list.Add(std::make_unique<Counter>(1));
    list.Add(std::make_unique<Counter>(2, false));
    list.Add(std::make_unique<Counter>(3));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(Values(OwnedList<Counter>(list)), (std::vector<int>{1, 3}));

    list.RemoveIf([](const std::unique_ptr<Counter>& item) { return item->value != 2; });
    EXPECT_EQ(Values(list), std::vector<int>{2});
}

TEST(LentPointer, HeldUntilTheLoanEndsAndCopiesStartWithoutIt)
{
    RandomUniform random, other;
    LentPointer<RandomUniform> lent, assigned;
    lent.Lend(&random);
    EXPECT_EQ(lent.Get(), &random);
    LentPointer<RandomUniform> copy(lent);
    LentPointer<RandomUniform> moved(std::move(copy));
    assigned.Lend(&other);
    assigned = lent; // ends the target's own loan too
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_EQ(moved.Get(), nullptr);
    EXPECT_EQ(assigned.Get(), nullptr);
    EXPECT_EQ(lent.Get(), &random) << "the original keeps its loan";
    lent.EndLoan();
    EXPECT_EQ(lent.Get(), nullptr);
}

} // namespace
} // namespace GAME
