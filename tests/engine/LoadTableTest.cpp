#include "engine/LoadTable.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

namespace GAME::Test {
namespace {

LoadTable Parse(const std::string& text)
{
    LoadTable table;
    table.Parse(text, "Records/Test.dbr");
    return table;
}

TEST(LoadTable, ListsAndAbsentKeys)
{
    const LoadTable table = Parse("ints = 1;2;3\n"
                                  "floats = 0.5; -1.25 ;x\n"
                                  "names = a; b c ;\n");
    std::vector<int32_t> ints{9};
    table.GetIntList("ints", ints);
    EXPECT_EQ(ints, (std::vector<int32_t>{1, 2, 3}));
    std::vector<float> floats;
    table.GetFloatList("floats", floats);
    EXPECT_EQ(floats, (std::vector<float>{0.5f, -1.25f, 0.0f}));
    std::vector<std::string> names;
    table.GetStringList("names", names);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b c"}));

    EXPECT_EQ(table.GetIntAt("ints", 2, -1), 3);
    EXPECT_EQ(table.GetIntAt("ints", 3, -1), -1);
    EXPECT_EQ(table.GetFloatAt("floats", 2, 9.0f), 9.0f);
    EXPECT_EQ(table.GetStringAt("names", 2, "none"), "none");

    EXPECT_FALSE(table.HasKey("absent"));
    EXPECT_EQ(table.GetString("absent", "dflt"), "dflt");
    EXPECT_EQ(table.GetInt("absent", 7), 7);
    EXPECT_EQ(table.GetFloat("absent", 2.5f), 2.5f);
    EXPECT_TRUE(table.GetBool("absent", true));
    table.GetIntList("absent", ints);
    table.GetFloatList("absent", floats);
    table.GetStringList("absent", names);
    EXPECT_TRUE(ints.empty() && floats.empty() && names.empty());
}

TEST(LoadTable, NumbersConvertSaturateOrFallBack)
{
    const LoadTable table = Parse("real = 12.7\nnegReal = -12.7\nplus = +5\nbigReal = 123456789.9\n"
                                  "huge = 99999999999999999999\nhugeNeg = -99999999999999999999\n"
                                  "wideInt = 3000000000\n"
                                  "bigFloat = 1e999\nbigNegFloat = -1e999\ntinyFloat = 1e-999\n"
                                  "nan = nan\ninf = inf\nword = abc\n"
                                  "one = 1\nzero = 0\nyes = true\nno = False\ntwo = 2\n");
    const std::pair<const char*, int32_t> ints[] = {
        {"real", 12},           {"negReal", -12},       {"plus", 5},
        {"bigReal", 123456789}, {"huge", INT32_MAX},    {"hugeNeg", INT32_MIN},
        {"wideInt", INT32_MAX}, {"bigFloat", INT32_MAX}};
    for (const auto& [key, value] : ints)
        EXPECT_EQ(table.GetInt(key), value) << key;
    EXPECT_EQ(table.GetFloat("bigFloat"), FLT_MAX);
    EXPECT_EQ(table.GetFloat("bigNegFloat"), -FLT_MAX);
    EXPECT_EQ(table.GetFloat("tinyFloat", 1.0f), 0.0f);
    for (const char* key : {"nan", "inf", "word"}) {
        EXPECT_EQ(table.GetInt(key, -3), -3) << key;
        EXPECT_EQ(table.GetFloat(key, -3.0f), -3.0f) << key;
        EXPECT_TRUE(table.GetBool(key, true)) << key;
    }
    for (const char* key : {"one", "yes", "two"})
        EXPECT_TRUE(table.GetBool(key)) << key;
    for (const char* key : {"zero", "no"})
        EXPECT_FALSE(table.GetBool(key, true)) << key;
}

TEST(LoadTable, LayoutCommentsAndMalformedLines)
{
    LogCapture log;
    LoadTable table;
    EXPECT_TRUE(table.Parse("\xEF\xBB\xBF"
                            "first = 1\r\n"
                            "# hidden = 2\r\n"
                            "\r\n"
                            "   \t\r\n"
                            "  spaced  =  a b  \r\n",
                            "Records/Good.dbr"));
    EXPECT_EQ(table.GetKeyCount(), 2u);
    EXPECT_EQ(table.GetInt("first"), 1);
    EXPECT_EQ(table.GetString("spaced"), "a b");
    EXPECT_TRUE(log.GetLines().empty());

    LoadTable bad;
    EXPECT_FALSE(
        bad.Parse("kept = 1\nno equals sign\n = 3\nkept = 2\nafter = 4\n", "Records/Bad.dbr"));
    EXPECT_EQ(bad.GetKeyCount(), 2u);
    EXPECT_EQ(bad.GetInt("kept"), 1);
    EXPECT_EQ(bad.GetInt("after"), 4);
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {1, "Record 'Records/Bad.dbr' line 2: malformed entry skipped"},
                  {1, "Record 'Records/Bad.dbr' line 3: malformed entry skipped"},
                  {1, "Record 'Records/Bad.dbr' line 4: key 'kept' repeated, first kept"}}));
}

} // namespace
} // namespace GAME::Test
