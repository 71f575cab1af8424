#include "engine/LocalizationManager.h"

#include "engine/ObjectManager.h"
#include "tests/support/EngineTextFixture.h"

namespace GAME::Test {
namespace {

using LocalizationManagerTest = EngineTextFixture;

TEST_F(LocalizationManagerTest, LoadsTagsFromATextFile)
{
    database.WriteFile("Text/English.txt", "\xEF\xBB\xBF# comment\r\n"
                                           "tagHello = Hello %s, level %d\r\n"
                                           "\n"
                                           "no equals\n"
                                           "tagHello = Second text\n"
                                           "tagAccent = caf\xC3\xA9\n"
                                           "tagJoined = \" and more \"\n");
    Database& db = ObjectManager::Instance().GetDatabase();
    ASSERT_TRUE(texts.LoadFile(db, "text/english.txt"));
    EXPECT_FALSE(texts.HasTag("# comment"));
    EXPECT_EQ(texts.Format("tagHello", "Ann", 3), L"Hello Ann, level 3");
    EXPECT_EQ(texts.Format("tagAccent"), L"caf\u00E9");
    EXPECT_EQ(texts.Format("tagJoined"), L" and more ");
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {1, "Localization file 'text/english.txt' line 4: malformed entry skipped"},
                  {1, "Localization file 'text/english.txt' line 5: tag 'tagHello' repeated, "
                      "first kept"}}));

    EXPECT_FALSE(texts.LoadFile(db, "Text/Missing.txt"));
    EXPECT_EQ(log.Count(1, "Localization file 'Text/Missing.txt' could not be read"), 1u);
}

TEST_F(LocalizationManagerTest, FormatCopesWithArgumentsThatDoNotFitTheCodes)
{
    // Numbers meet text codes and texts number codes; the tag file test pins the usual ones.
    texts.AddText("tagCross", L"%d %f %s %s");
    EXPECT_EQ(texts.Format("tagCross", 2.9, 1, 5, 0.5), L"2 1.000000 5 0.5");
    texts.AddText("tagShort", L"a %d b %s c %");
    EXPECT_EQ(texts.Format("tagShort", 1), L"a 1 b %s c %");
    texts.AddText("tagUnknownCode", L"%q %d");
    EXPECT_EQ(texts.Format("tagUnknownCode", 6), L"%q 6");
}

TEST_F(LocalizationManagerTest, HugeWidthsAndPrecisionsAreClampedAndLoggedOncePerEntry)
{
    database.WriteFile("Text/English.txt", "tagPrecise = %.999999999f\n"
                                           "tagWide = [%999999999f]\n"
                                           "tagWideInt = [%2147483647d] %.0f%%\n"
                                           "tagPercent = %%999999999d\n"
                                           "tagReal = %+.0f%% [%-5.2f] %.17f\n");
    ASSERT_TRUE(texts.LoadFile(ObjectManager::Instance().GetDatabase(), "Text/English.txt"));
    const std::string clamped = "asks for a field wider than 32 or more than 17 digits, clamped";
    EXPECT_EQ(
        log.GetLines(),
        (std::vector<LogCapture::Line>{
            {1, "Localization file 'Text/English.txt' line 1: tag 'tagPrecise' " + clamped},
            {1, "Localization file 'Text/English.txt' line 2: tag 'tagWide' " + clamped},
            {1, "Localization file 'Text/English.txt' line 3: tag 'tagWideInt' " + clamped}}));

    EXPECT_EQ(texts.Format("tagPrecise", 1.5), L"1.50000000000000000");
    EXPECT_EQ(texts.Format("tagWide", 2.0), L"[" + std::wstring(24, L' ') + L"2.000000]");
    EXPECT_EQ(texts.Format("tagWideInt", 7, 50.0), L"[" + std::wstring(31, L' ') + L"7] 50%");
    EXPECT_EQ(texts.Format("tagPercent", 7), L"%999999999d");
    // What real texts use is formatted as written.
    EXPECT_EQ(texts.Format("tagReal", 5.0, 1.5, 0.5), L"+5% [1.50 ] 0.50000000000000000");
    // Formatting again logs nothing more; repeated flags count once.
    texts.AddText("tagFlags", L"[%--+05d]");
    EXPECT_EQ(texts.Format("tagFlags", 3), L"[+3   ]");
    EXPECT_EQ(log.GetLines().size(), 3u);
}

TEST_F(LocalizationManagerTest, ConvertsBetweenUtf8AndWideText)
{
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::wstring wide = L"A\u00E9\u20AC\U0001F600";
    EXPECT_EQ(LocalizationManager::ToWChar(utf8), wide);
    EXPECT_EQ(LocalizationManager::ToChar(wide), utf8);

    // A stray continuation, a truncated sequence, an encoded surrogate and an overlong '/'.
    EXPECT_EQ(LocalizationManager::ToWChar("a\x80z"), L"a\uFFFDz");
    EXPECT_EQ(LocalizationManager::ToWChar("a\xE2\x82"), L"a\uFFFD\uFFFD");
    EXPECT_EQ(LocalizationManager::ToWChar("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(LocalizationManager::ToWChar("\xC0\xAF"), L"\uFFFD\uFFFD");
    EXPECT_EQ(LocalizationManager::ToChar(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
} // namespace GAME::Test
