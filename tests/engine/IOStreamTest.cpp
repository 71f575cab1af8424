#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"

#include "core/UniqueId.h"

#include <gtest/gtest.h>

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
}

TEST(IOStream, DescribeShowsTheStreamAsText)
{
    std::string text;
    EXPECT_TRUE(IOStreamRead::Describe(Written(), text));
    EXPECT_EQ(text, "uniqueId id = 00000001 00000002 00000003 ffffffff\n"
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
    std::vector<uint8_t> cut = Written();
    cut.resize(cut.size() - 2);
    EXPECT_FALSE(IOStreamRead::Describe(cut, text));
}

} // namespace
} // namespace GAME
