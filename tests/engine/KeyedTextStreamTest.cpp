#include "engine/Crc32.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/Name.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME {
namespace {

TEST(Crc32, CheckValueOfTheCommonVariant)
{
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32("", 0), 0u);
}

// Writes every kind the designs use, with text a naive printer would break.
std::vector<uint8_t> Sample()
{
    IOStreamWrite out;
    std::string title = "say \"hi\"\\ then\nleave\t\x01";
    std::wstring wide = L"caf\u00e9";
    Name name = Name::Create("quests\\villagewatch.qst");
    int32_t count = -7;
    uint32_t crc = 0xCBF43926u;
    bool flag = true;
    float scale = 0.25f;
    out.BeginBlock();
    out.StreamString("this->rewardItemTag[1]", title);
    out.StreamWideString("text", wide);
    out.StreamName("questName", name);
    out.BeginBlock();
    out.StreamInt("max", count);
    out.StreamUInt("crcFile", crc);
    out.StreamBool("negate", flag);
    out.StreamFloat("scale", scale);
    out.EndBlock();
    out.EndBlock();
    return out.GetBytes();
}

TEST(KeyedTextStream, PrintedTextReadsBackToTheSameBytes)
{
    const std::vector<uint8_t> bytes = Sample();
    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(bytes, text));
    EXPECT_NE(text.find(R"(string this->rewardItemTag[1] = "say \"hi\"\\ then\x0aleave\x09\x01")"),
              std::string::npos)
        << text;
    std::vector<uint8_t> parsed;
    ASSERT_TRUE(IOStreamRead::ParseText(text, parsed)) << text;
    EXPECT_EQ(parsed, bytes);
}

TEST(KeyedTextStream, RefusesWhatThePrinterNeverWrites)
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

TEST(KeyedTextStream, NamesReadBackWordForWord)
{
    IOStreamRead in(Sample());
    std::string title;
    std::wstring wide;
    Name name;
    in.BeginBlock();
    in.StreamString("this->rewardItemTag[1]", title);
    in.StreamWideString("text", wide);
    ASSERT_TRUE(in.StreamName("questName", name));
    EXPECT_EQ(name, Name::Create("quests\\villagewatch.qst"));
}

} // namespace
} // namespace GAME
