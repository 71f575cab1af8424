#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"

#include "core/UniqueId.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace GAME {
namespace {

struct Values {
    UniqueId id;
    std::wstring name;
    bool flag = false;
    uint32_t gold = 0;
    std::string record;
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
    v.record = "Records/Item/Sword.dbr";
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
    EXPECT_TRUE(reader.IsReading());
    Values read;
    Stream(reader, read);
    EXPECT_FALSE(reader.HasFailed());
    EXPECT_EQ(read, Sample());

    IOStreamRead skipping(Written());
    Values partial;
    Stream(skipping, partial, false);
    EXPECT_FALSE(skipping.HasFailed());
    EXPECT_EQ(partial.gold, 0u);
    EXPECT_EQ(partial.level, -7);
    EXPECT_EQ(partial.repeated[1], 20u);
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
    bool flag = false;
    EXPECT_FALSE(reader.BeginBlock());
    EXPECT_FALSE(reader.StreamBool("flag", flag));

    IOStreamRead wrongKind(Written());
    int32_t asInt = 5;
    EXPECT_FALSE(wrongKind.StreamInt("id", asInt));
    EXPECT_EQ(asInt, 5);

    IOStreamWrite unbalanced;
    EXPECT_FALSE(unbalanced.EndBlock());
    EXPECT_TRUE(unbalanced.HasFailed());
    EXPECT_TRUE(IOStreamRead(std::vector<uint8_t>{'G', 'S', 'T', 'R', 9, 0, 0, 0}).HasFailed());
    EXPECT_TRUE(IOStreamRead::FromFile("/dev/zero").HasFailed()); // FileSystem refuses the rest
}

std::string Described(const std::vector<uint8_t>& bytes, bool& complete)
{
    std::ostringstream text;
    complete = IOStreamRead::Describe(bytes, text);
    return text.str();
}

TEST(IOStream, DescribeShowsTheStreamAsText)
{
    bool complete = false;
    EXPECT_EQ(Described(Written(), complete),
              "uniqueId id = 00000001 00000002 00000003 ffffffff\n"
              "wideString name = L\"H\xC3\xA9ro \xF0\x9F\x98\x80\"\n"
              "{\n"
              "  bool flag = true\n"
              "  uint gold = 4000000000\n"
              "  {\n"
              "    string record = \"Records/Item/Sword.dbr\"\n"
              "  }\n"
              "}\n"
              "float speed = -1.5\n"
              "int level = -7\n"
              "uint temp = 10\n"
              "uint temp = 20\n");
    EXPECT_TRUE(complete);
    std::vector<uint8_t> cut = Written();
    cut.resize(cut.size() - 2);
    Described(cut, complete);
    EXPECT_FALSE(complete);
    EXPECT_TRUE(IOStreamRead::HasHeader(Written()));
    EXPECT_FALSE(IOStreamRead::HasHeader({'G', 'S', 'T', 'R', 2, 0, 0, 0}));
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

} // namespace
} // namespace GAME
