#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"

#include "core/BinaryWriter.h"
#include "core/UniqueId.h"
#include "engine/BinaryReader.h"
#include "engine/Crc32.h"
#include "engine/FileSystem.h"
#include "engine/Name.h"
#include "engine/TriggerToken.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace GAME {
namespace {

struct Values {
    UniqueId id;
    std::wstring name;
    bool flag = false;
    uint32_t gold = 0;
    std::string record;
    Name quest;
    float speed = 0.0f;
    int32_t level = 0;
    int32_t extra = 0;
    uint32_t repeated[2] = {0, 0};

    bool operator==(const Values&) const = default;
};

// One routine for both directions, as the game's own stream code is written. With `readAll`
// false a reader stops early inside the block and relies on EndBlock to skip the rest.
void Stream(IOStream& stream, Values& v, bool readAll = true)
{
    stream.StreamUniqueId("id", v.id);
    stream.StreamWideString("name", v.name);
    stream.BeginBlock();
    stream.StreamBool("flag", v.flag);
    if (readAll) {
        stream.StreamUInt("gold", v.gold);
        stream.BeginBlock();
        stream.StreamString("record", v.record);
        stream.StreamName("questName", v.quest);
        stream.EndBlock();
    }
    stream.EndBlock();
    stream.StreamFloat("speed", v.speed);
    stream.StreamInt("level", v.level);
    stream.StreamUInt("temp", v.repeated[0]);
    stream.StreamUInt("temp", v.repeated[1]);
}

Values Sample()
{
    Values v;
    v.id = UniqueId(1, 2, 3, 0xFFFFFFFF);
    v.name = L"H\u00e9ro \U0001F600";
    v.flag = true;
    v.gold = 4000000000u;
    v.record = "say \"hi\"\\ then\nleave\t\x01"; // text a naive printer would break
    v.quest = Name::Create("quests\\villagewatch.qst");
    v.speed = -1.5f;
    v.level = -7;
    v.repeated[0] = 10;
    v.repeated[1] = 20;
    return v;
}

std::vector<uint8_t> Written()
{
    IOStreamWrite writer;
    Values v = Sample();
    Stream(writer, v);
    EXPECT_FALSE(writer.HasFailed());
    return writer.GetBytes();
}

TEST(IOStream, EveryKindRoundTripsRepeatedKeysKeepTheirOrderAndBlocksSkip)
{
    IOStreamRead reader(Written());
    Values read;
    Stream(reader, read);
    EXPECT_FALSE(reader.HasFailed());
    EXPECT_EQ(read, Sample());

    IOStreamRead skipping(Written());
    Values partial;
    Stream(skipping, partial, false);
    EXPECT_FALSE(skipping.HasFailed());
    EXPECT_EQ(std::tuple(partial.gold, partial.level, partial.repeated[1]),
              std::tuple(0u, -7, 20u));
}

TEST(IOStream, TruncationAtEveryByteFailsAndLeavesTheRestUntouched)
{
    const std::vector<uint8_t> bytes = Written();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        IOStreamRead reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
        Values read;
        read.repeated[1] = 99;
        Stream(reader, read);
        EXPECT_TRUE(reader.HasFailed());
        EXPECT_EQ(read.repeated[1], 99u); // the last value is never complete
    }
}

TEST(IOStream, AKeyOrKindOutOfStepFailsTheStream)
{
    IOStreamRead reader(Written());
    UniqueId id;
    std::wstring name = L"kept";
    EXPECT_TRUE(reader.StreamUniqueId("id", id));
    EXPECT_FALSE(reader.StreamWideString("nome", name));
    EXPECT_EQ(name, L"kept");
    EXPECT_TRUE(reader.HasFailed());
    EXPECT_FALSE(reader.BeginBlock());

    IOStreamRead wrongKind(Written());
    int32_t asInt = 5;
    EXPECT_FALSE(wrongKind.StreamInt("id", asInt));
    EXPECT_EQ(asInt, 5);

    IOStreamWrite unbalanced;
    EXPECT_FALSE(unbalanced.EndBlock());
    EXPECT_TRUE(unbalanced.HasFailed());
    EXPECT_TRUE(IOStreamRead(std::vector<uint8_t>{'G', 'S', 'T', 'R', 9, 0, 0, 0}).HasFailed());
}

std::string Described(const std::vector<uint8_t>& bytes, bool& complete)
{
    std::ostringstream text;
    complete = IOStreamRead::Describe(bytes, text);
    return text.str();
}

TEST(IOStream, PrintedTextReadsBackToTheSameBytes)
{
    const std::vector<uint8_t> bytes = Written();
    bool complete = false;
    std::vector<uint8_t> parsed;
    ASSERT_TRUE(IOStreamRead::ParseText(Described(bytes, complete), parsed));
    EXPECT_TRUE(complete);
    EXPECT_EQ(parsed, bytes);

    Described(std::vector<uint8_t>(bytes.begin(), bytes.end() - 2), complete);
    EXPECT_FALSE(complete);
    EXPECT_FALSE(IOStreamRead::HasHeader({'G', 'S', 'T', 'R', 2, 0, 0, 0}));
}

TEST(IOStream, ParseTextRefusesWhatThePrinterNeverWrites)
{
    const char* const bad[] = {
        "{\n",                       // a block left open
        "}\n",                       // closing nothing
        "int max = 12x\n",           // trailing garbage
        "int max = 4294967296\n",    // out of range
        "string name = \"open\n",    // unterminated
        "string name = \"a\\q\"\n",  // unknown escape
        "string name = \"a\\x4\"\n", // short escape
        "name questName = 1 2 3\n",  // three words
        "colour tint = 1\n",         // unknown kind
        "bool negate = yes\n",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(IOStreamRead::ParseText(text, bytes));
    }
}

TEST(Crc32, CheckValueOfTheCommonVariant)
{
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32("", 0), 0u);
}

// Every kind once and one block, spelled out byte by byte: a change that moves a byte of the
// save format, even in writer and reader alike, would make every stored save unreadable.
TEST(IOStream, TheBytesOfASmallStreamArePinned)
{
    // clang-format off
    const std::vector<uint8_t> expected = {
        'G', 'S', 'T', 'R', 1, 0, 0, 0,                 // mark, format version 1
        1, 2, 0, 'i', 'd',                              // uniqueId "id"
            0x44, 0x33, 0x22, 0x11, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0,
        7, 2, 0, 'l', 'v', 0xFE, 0xFF, 0xFF, 0xFF,      // int "lv" = -2
        8, 35, 0, 0, 0,                                 // block of 35 bytes
            2, 1, 0, 'n', 2, 0, 0, 0, 'A', 0, 0xE9, 0,  // wideString "n" = L"A\u00e9"
            3, 1, 0, 'f', 1,                            // bool "f" = true
            4, 1, 0, 'g', 4, 3, 2, 1,                   // uint "g" = 0x01020304
            5, 1, 0, 'r', 2, 0, 0, 0, 'a', 'b',         // string "r" = "ab"
        9,                                              // end of the block
        6, 1, 0, 's', 0, 0, 0xC0, 0x3F,                 // float "s" = 1.5
    };
    // clang-format on
    struct Small {
        UniqueId id{0x11223344, 1, 2, 3};
        int32_t level = -2;
        std::wstring name = L"A\u00e9";
        bool flag = true;
        uint32_t gold = 0x01020304;
        std::string record = "ab";
        float speed = 1.5f;
        bool operator==(const Small&) const = default;
    };
    auto stream = [](IOStream& io, Small& v) {
        io.StreamUniqueId("id", v.id);
        io.StreamInt("lv", v.level);
        io.BeginBlock();
        io.StreamWideString("n", v.name);
        io.StreamBool("f", v.flag);
        io.StreamUInt("g", v.gold);
        io.StreamString("r", v.record);
        io.EndBlock();
        io.StreamFloat("s", v.speed);
    };
    IOStreamWrite writer;
    Small written;
    stream(writer, written);
    EXPECT_EQ(writer.GetBytes(), expected);

    IOStreamRead reader(expected);
    Small read{UniqueId(), 0, L"", false, 0, "", 0.0f};
    stream(reader, read);
    EXPECT_FALSE(reader.HasFailed());
    EXPECT_EQ(read, written);
}

// A stream of `depth` empty blocks, one inside the other, as a hostile file would hold them.
std::vector<uint8_t> NestedBlocks(size_t depth)
{
    std::vector<uint8_t> bytes = {'G', 'S', 'T', 'R', 1, 0, 0, 0};
    for (size_t level = 0; level < depth; ++level) {
        const uint32_t length = static_cast<uint32_t>((depth - 1 - level) * 6);
        bytes.push_back(IOStream::KindBeginBlock);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(length >> shift));
    }
    bytes.insert(bytes.end(), depth, IOStream::KindEndBlock);
    return bytes;
}

TEST(IOStream, BlocksNestAtMostTheDepthCap)
{
    const size_t cap = IOStream::kMaxBlockDepth;
    IOStreamWrite writer;
    for (size_t level = 0; level < cap; ++level)
        EXPECT_TRUE(writer.BeginBlock());
    EXPECT_FALSE(writer.BeginBlock());
    EXPECT_TRUE(writer.HasFailed());

    IOStreamRead deepest(NestedBlocks(cap));
    for (size_t level = 0; level < cap; ++level)
        EXPECT_TRUE(deepest.BeginBlock());
    for (size_t level = 0; level < cap; ++level)
        EXPECT_TRUE(deepest.EndBlock());
    EXPECT_FALSE(deepest.HasFailed());

    IOStreamRead tooDeep(NestedBlocks(cap + 1));
    for (size_t level = 0; level < cap; ++level)
        EXPECT_TRUE(tooDeep.BeginBlock());
    EXPECT_FALSE(tooDeep.BeginBlock());
    EXPECT_TRUE(tooDeep.HasFailed());

    // Thirty thousand nested blocks give the lines down to the cap, not gigabytes.
    bool complete = true;
    const std::string text = Described(NestedBlocks(30000), complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<std::ptrdiff_t>(cap));
    EXPECT_EQ(text.substr(text.size() - 2 * cap), std::string(2 * cap - 2, ' ') + "{\n");
    Described(NestedBlocks(cap), complete);
    EXPECT_TRUE(complete);
}

namespace fs = std::filesystem;

// A fresh folder per test so leftover temporary files show up as extra entries.
class SaveToFileTest : public ::testing::Test {
protected:
    size_t Entries() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
    static std::string Contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static IOStreamWrite Stream(uint32_t gold)
    {
        IOStreamWrite writer;
        writer.BeginBlock();
        writer.StreamUInt("gold", gold);
        writer.EndBlock();
        return writer;
    }

    GAME::Test::TempDatabase temp;
    const fs::path folder = temp.GetRoot();
};

TEST_F(SaveToFileTest, ReplacesTheOldFileWithEveryByteAndLeavesNothingBeside)
{
    const fs::path target = folder / "hero.chr";
    temp.WriteFile("hero.chr", "old save");
    const IOStreamWrite writer = Stream(77);
    ASSERT_TRUE(writer.SaveToFile(target.string()));

    const std::string saved = Contents(target);
    EXPECT_EQ(saved, std::string(writer.GetBytes().begin(), writer.GetBytes().end()));
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(SaveToFileTest, AFailedSaveLeavesTheOldFileByteForByteAndNoTemporary)
{
    const fs::path target = folder / "hero.chr";
    const std::string old("old\0save\xff", 9);
    temp.WriteFile("hero.chr", old);

    IOStreamWrite open; // a block never closed
    open.BeginBlock();
    EXPECT_FALSE(open.SaveToFile(target.string()));
    IOStreamWrite failedStream;
    failedStream.EndBlock();
    EXPECT_FALSE(failedStream.SaveToFile(target.string()));
    std::string why;
    EXPECT_FALSE(Stream(1).SaveToFile((folder / "missing" / "hero.chr").string(), &why));
    EXPECT_EQ(why, "its folder does not exist");
    EXPECT_EQ(Contents(target), old);
    EXPECT_EQ(Entries(), 1u);

    // Everything is written but the swap itself is refused: the temporary file goes away.
    const fs::path occupied = folder / "occupied.chr";
    temp.WriteFile("occupied.chr/inside", "x");
    EXPECT_FALSE(Stream(2).SaveToFile(occupied.string()));
    EXPECT_TRUE(fs::is_directory(occupied));
    EXPECT_EQ(Entries(), 2u);
}

// A save killed after making its file beside the target leaves it there, marked; the next save
// of that target removes it. Whatever else bears such a name stays, named in one line: a save
// still writing (it holds a lock), one another program holds by a record lock on any range,
// even a read lock, a file without the mark, one the run names, another user's, a second name of
// another file, a folder.
TEST_F(SaveToFileTest, TheNextSaveRemovesOnlyWhatAKilledOneLeft)
{
    const std::string mark = "hero.chr" + std::string(FileSystem::kSavingMark);
    const auto made = [this](const std::string& name, const std::string& bytes, bool marked) {
        temp.WriteFile(name, bytes);
        const std::string path = (folder / name).string();
        return !marked || setxattr(path.c_str(), FileSystem::kSavingAttribute, "", 0, 0) == 0;
    };
    if (!made(mark + "Own000", "killed", true))
        GTEST_SKIP() << "no extended attributes here";
    made(mark + "Live00", "writing", true);
    made(mark + "Plain0", "a user's", false);
    made(mark + "Input0", "read", true);
    temp.WriteFile("kept.txt", "someone's");
    fs::create_hard_link(folder / "kept.txt", folder / (mark + "Link00"));
    fs::create_directory(folder / (mark + "Dir000"));
    // Only root can give a file to another user.
    const bool root = geteuid() == 0;
    if (root) {
        made(mark + "Other0", "another's", true);
        ASSERT_EQ(chown((folder / (mark + "Other0")).c_str(), 65534, 65534), 0);
    }
    const int live = ::open((folder / (mark + "Live00")).c_str(), O_RDONLY);
    ASSERT_EQ(flock(live, LOCK_EX), 0);
    made(mark + "Range0", "ranged", true);
    made(mark + "Read00", "shared", true);
    const int ranged = ::open((folder / (mark + "Range0")).c_str(), O_RDWR);
    struct flock two {};
    two.l_type = F_WRLCK;
    two.l_start = 2;
    two.l_len = 2;
    ASSERT_EQ(fcntl(ranged, F_OFD_SETLK, &two), 0);
    const int shared = ::open((folder / (mark + "Read00")).c_str(), O_RDONLY);
    struct flock whole {};
    whole.l_type = F_RDLCK;
    ASSERT_EQ(fcntl(shared, F_SETLK, &whole), 0);
    FileSystem::Instance().SetRunFiles({(folder / (mark + "Input0")).string()});
    GAME::Test::LogCapture log;
    EXPECT_TRUE(Stream(4).SaveToFile((folder / "hero.chr").string()));
    FileSystem::Instance().SetRunFiles({});
    close(live);
    close(ranged);
    close(shared);
    EXPECT_FALSE(fs::exists(folder / (mark + "Own000")));
    EXPECT_EQ(Contents(folder / (mark + "Link00")), "someone's");
    EXPECT_EQ(Contents(folder / (mark + "Range0")), "ranged");
    EXPECT_TRUE(fs::is_directory(folder / (mark + "Dir000")));
    EXPECT_EQ(Entries(), root ? 10u : 9u);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "'" + (folder / "hero.chr").string() +
                                                "': kept beside it, named as an unfinished save: " +
                                                mark + "Dir000 (no regular file), " + mark +
                                                "Input0 (a file this run reads or writes), " +
                                                mark + "Link00 (a second name of a file), " + mark +
                                                "Live00 (a write under way holds it), " +
                                                (root ? mark + "Other0 (another user's), " : "") +
                                                mark + "Plain0 (no mark of an unfinished save), " +
                                                mark + "Range0 (a record lock holds it), " + mark +
                                                "Read00 (a record lock holds it)"),
              1u);
}

TEST(TriggerToken, StreamedUnderTokenName)
{
    IOStreamWrite writer;
    TriggerToken written("gate key");
    EXPECT_TRUE(written.StreamProperties(&writer));
    EXPECT_FALSE(written.StreamProperties(nullptr));

    IOStreamRead reader(writer.GetBytes());
    std::string name;
    EXPECT_TRUE(reader.StreamString("tokenName", name));
    EXPECT_EQ(name, "gate key");
}

// Cut the state at every byte: reading never runs past the end, and from the first short read
// on every read fails and leaves its target alone. The whole state reads back as written.
TEST(BinaryReader, ReadsBackWhatWasWrittenAndFailsCleanlyAtEveryCut)
{
    BinaryWriter writer = BinaryWriter::ToMemory(16);
    writer.WriteUInt16(0xBEEF);
    writer.WriteUInt32(123456789);
    writer.WriteBool(true);
    writer.WriteString("Records/Item/Sword.dbr");
    writer.WriteUInt32(42);
    const std::vector<uint8_t> bytes(writer.GetData(), writer.GetData() + writer.GetPosition());

    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
        BinaryReader reader(part.data(), part.size());
        uint16_t half = 1;
        uint32_t word = 1, last = 1;
        bool flag = false;
        std::string text = "untouched";
        const bool all = reader.ReadUInt16(half) && reader.ReadUInt32(word) &&
                         reader.ReadBool(flag) && reader.ReadString(text) &&
                         reader.ReadUInt32(last);
        if (cut == bytes.size()) {
            EXPECT_TRUE(all);
            EXPECT_EQ(
                std::tie(half, word, flag, text, last),
                std::tuple(uint16_t(0xBEEF), 123456789u, true, "Records/Item/Sword.dbr", 42u));
            EXPECT_EQ(reader.GetRemaining(), 0u);
            continue;
        }
        EXPECT_FALSE(all);
        EXPECT_TRUE(reader.HasFailed());
        EXPECT_EQ(last, 1u);
        EXPECT_TRUE(text == "untouched" || text == "Records/Item/Sword.dbr");
        EXPECT_FALSE(reader.ReadUInt32(word));
    }
}

TEST(BinaryReader, OverlongStringFailsAfterItsLengthWord)
{
    BinaryWriter writer = BinaryWriter::ToMemory(16);
    writer.WriteUInt32(BinaryReader::kMaxStringLength + 1);
    writer.WriteUInt32(7);
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    std::string text = "kept";
    EXPECT_FALSE(reader.ReadString(text));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(reader.GetPosition(), 4u);
    uint32_t next = 0;
    EXPECT_FALSE(reader.ReadUInt32(next)); // the state is out of step; nothing more is trusted

    const uint8_t exact[] = {0, 0, 0x10, 0}; // exactly 1 MiB claimed, but no bytes follow
    BinaryReader shortReader(exact, sizeof(exact));
    EXPECT_FALSE(shortReader.ReadString(text));
    EXPECT_EQ(text, "kept");

    BinaryReader none(nullptr, 100);
    EXPECT_FALSE(none.ReadUInt32(next));
}

} // namespace
} // namespace GAME
