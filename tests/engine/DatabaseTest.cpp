#include "engine/Database.h"
#include "engine/FileSystem.h"
#include "engine/LoadTable.h"
#include "engine/RecordKeyIndex.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GAME_TEST_HEAP_HOOKS 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GAME_TEST_HEAP_HOOKS 1
#endif
#ifdef GAME_TEST_HEAP_HOOKS
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
// g++ ships the runtime without its headers: the two calls the tests make, as the runtime has them.
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* pointer);
}
#endif
#endif

namespace GAME::Test {
namespace {

#ifdef GAME_TEST_HEAP_HOOKS
// While watched, the bytes the heap holds beyond those at the start and the most it held, as
// the sanitizer's allocator hooks count them; the tests run on one thread.
bool watching = false;
int64_t held = 0;
int64_t peak = 0;
const int heapHooks = __sanitizer_install_malloc_and_free_hooks(
    [](const volatile void*, size_t size) {
        if (watching)
            peak = std::max(peak, held += static_cast<int64_t>(size));
    },
    [](const volatile void* pointer) {
        if (watching)
            held -= static_cast<int64_t>(__sanitizer_get_allocated_size(pointer));
    });
#endif

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db.SetRoot(files.GetRoot())); }

    TempDatabase files;
    Database db;
};

TEST_F(DatabaseTest, FindsRecordsWhateverTheCaseAndSlashes)
{
    files.WriteRecord("Records/Game/X.dbr", {"value = 5"});
    ASSERT_TRUE(db.LoadTableFile("records\\game\\x.DBR"));
    EXPECT_EQ(db.GetLoadTable("\\RECORDS/GAME/X.dbr").GetInt("value"), 5);
    EXPECT_EQ(db.ResolvePath("records/game/x.dbr"), files.GetRoot() + "/Records/Game/X.dbr");
    // Leading separators of either kind are dropped; every spelling answers the one table.
    const LoadTable* table = db.FindLoadTable("//Records\\Game/X.dbr");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(db.FindLoadTable("Records/Game/Y.dbr"), nullptr);
    EXPECT_EQ(db.FindLoadTable("\\/"), nullptr);

    EXPECT_FALSE(db.LoadTableFile("Records/Missing.dbr"));
    EXPECT_FALSE(db.GetLoadTable("Records/Missing.dbr").HasKey("value"));
    // Written after a miss of another path: a fresh scan finds it.
    files.WriteRecord("Records/Late.dbr", {"value = 6"});
    ASSERT_TRUE(db.LoadTableFile("Records/Late.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Late.dbr").GetInt("value"), 6);
}

TEST_F(DatabaseTest, EachRecordIsReadOnceUntilTheRootIsSetAgain)
{
    files.WriteRecord("Records/Once.dbr", {"value = 1"});
    ASSERT_TRUE(db.LoadTableFile("Records/Once.dbr"));
    files.WriteRecord("Records/Once.dbr", {"value = 2", "other = 3"});
    ASSERT_TRUE(db.LoadTableFile("Records/Once.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Once.dbr").GetInt("value"), 1);

    ASSERT_TRUE(db.SetRoot(files.GetRoot()));
    EXPECT_EQ(db.GetLoadTable("Records/Once.dbr").GetKeyCount(), 0u);
    ASSERT_TRUE(db.LoadTableFile("Records/Once.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Once.dbr").GetInt("value"), 2);

    EXPECT_FALSE(db.SetRoot(files.GetRoot() + "/no-such-folder"));
    EXPECT_FALSE(db.HasRoot());
    EXPECT_FALSE(db.LoadTableFile("Records/Once.dbr"));
}

TEST_F(DatabaseTest, FilesHeldInMemoryComeFirstAndReplacingOneDropsItsTable)
{
    files.WriteRecord("Records/Both.dbr", {"value = 1"});
    db.PutFile("records\\BOTH.dbr", "value = 2\n");
    db.PutFile("Records/Only.dbr", "value = 3\n");
    EXPECT_EQ(db.GetSortedRecordPaths(),
              (std::vector<std::string>{"records\\both.dbr", "records\\only.dbr"}));
    ASSERT_TRUE(db.LoadTableFile("Records/Both.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Both.dbr").GetInt("value"), 2);
    EXPECT_FALSE(db.LoadTableFile("Records/Later.dbr"));

    const uint32_t generation = db.GetGeneration();
    db.PutFile("Records/Both.dbr", "value = 4\n");
    db.PutFile("Records/Later.dbr", "value = 5\n");
    EXPECT_NE(db.GetGeneration(), generation);
    EXPECT_EQ(db.GetLoadTable("Records/Both.dbr").GetKeyCount(), 0u);
    ASSERT_TRUE(db.LoadTableFile("Records/Both.dbr") && db.LoadTableFile("Records/Later.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Both.dbr").GetInt("value"), 4);
    EXPECT_EQ(db.GetLoadTable("Records/Later.dbr").GetInt("value"), 5);

    // Removed, the folder's file shows again; a new root forgets what memory held.
    db.RemoveFile("Records/Both.dbr");
    ASSERT_TRUE(db.LoadTableFile("Records/Both.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Both.dbr").GetInt("value"), 1);
    ASSERT_TRUE(db.SetRoot(files.GetRoot()));
    EXPECT_FALSE(db.LoadTableFile("Records/Only.dbr"));

    // A path longer than most folds alike.
    const std::string deep = "Records/" + std::string(300, 'D') + ".dbr";
    db.PutFile(deep, "value = 7\n");
    ASSERT_TRUE(db.LoadTableFile("records\\" + std::string(300, 'd') + ".DBR"));
    EXPECT_EQ(db.GetLoadTable(deep).GetInt("value"), 7);
    db.RemoveFile("/" + deep);
    EXPECT_FALSE(db.LoadTableFile(deep));
}

TEST_F(DatabaseTest, WhatWasCachedSinceTheMarkIsForgottenAndTheRestKept)
{
    db.PutFile("Records/Kept.dbr", "value = 1\n");
    db.PutFile("Records/Brief.dbr", "value = 2\n");
    ASSERT_TRUE(db.LoadTableFile("Records/Kept.dbr"));
    db.MarkCached();
    const LoadTable* kept = db.FindLoadTable("RECORDS/kept.dbr");
    ASSERT_TRUE(db.LoadTableFile("Records/Brief.dbr"));
    EXPECT_FALSE(db.LoadTableFile("Records/Missing.dbr"));
    files.WriteRecord("Records/Missing.dbr", {"value = 3"});
    EXPECT_FALSE(db.LoadTableFile("Records/Missing.dbr"));
    db.ForgetSinceMark();

    EXPECT_EQ(db.FindLoadTable("Records/Kept.dbr"), kept);
    EXPECT_EQ(db.GetLoadTable("RECORDS/kept.dbr").GetInt("value"), 1);
    EXPECT_EQ(db.GetLoadTable("Records/Brief.dbr").GetKeyCount(), 0u);
    // The failure went too: the record written since is found.
    ASSERT_TRUE(db.LoadTableFile("Records/Missing.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Missing.dbr").GetInt("value"), 3);
}

// A chain of `levels` nested folders `name/name/...` under `parent`, built and removed with
// short paths only (each step moves the chain one level down into a fresh folder), so that it
// may reach deeper than any path the system opens.
class FolderChain {
public:
    FolderChain(const std::string& parent, const std::string& name, int levels)
        : top(parent + "/" + name), spare(parent + "/spare"), name(name)
    {
        std::filesystem::create_directory(top);
        for (int level = 1; level < levels; ++level) {
            std::filesystem::create_directory(spare);
            std::filesystem::rename(top, spare + "/" + name);
            std::filesystem::rename(spare, top);
        }
    }
    ~FolderChain()
    {
        std::error_code ignored;
        while (std::filesystem::exists(top + "/" + name, ignored)) {
            std::filesystem::rename(top + "/" + name, spare, ignored);
            std::filesystem::remove_all(top, ignored);
            std::filesystem::rename(spare, top, ignored);
        }
        std::filesystem::remove_all(top, ignored);
    }
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

private:
    std::string top;
    std::string spare;
    std::string name;
};

// Lowers the limit of open files to a few above those open now, for the test's duration.
class FewFileHandles {
public:
    explicit FewFileHandles(rlim_t spare)
    {
        getrlimit(RLIMIT_NOFILE, &saved);
        const auto open = std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator());
        rlimit lowered = saved;
        lowered.rlim_cur = static_cast<rlim_t>(open) + spare;
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~FewFileHandles() { setrlimit(RLIMIT_NOFILE, &saved); }
    FewFileHandles(const FewFileHandles&) = delete;
    FewFileHandles& operator=(const FewFileHandles&) = delete;

private:
    rlimit saved{};
};

TEST_F(DatabaseTest, ADeepFolderTreeIsScannedWithOneHandleAtATime)
{
    std::string deep = "Records";
    for (int level = 0; level < 200; ++level)
        deep += "/d";
    files.WriteRecord(deep + "/Bottom.dbr", {"value = 7"});
    files.WriteRecord("Text/English.txt", {"tag = text"});
    LogCapture log;
    {
        FewFileHandles few(24);
        ASSERT_TRUE(db.LoadTableFile(deep + "/bottom.dbr"));
        EXPECT_NE(db.ResolvePath("text/english.txt"), "");
    }
    EXPECT_EQ(db.GetLoadTable(deep + "/Bottom.dbr").GetInt("value"), 7);
    EXPECT_TRUE(log.GetLines().empty());
}

TEST_F(DatabaseTest, AFolderBeyondReachIsLoggedAndTheRestIsFound)
{
    files.WriteRecord("Records/Top.dbr", {"value = 1"});
    // 1200 levels of "level/" are longer than any path the system opens.
    FolderChain chain(files.GetRoot(), "level", 1200);
    LogCapture log;
    ASSERT_TRUE(db.LoadTableFile("Records/Top.dbr"));
    EXPECT_TRUE(log.GetLines().empty());
    // Only the list of every record scans the tree.
    EXPECT_EQ(db.GetSortedRecordPaths(), std::vector<std::string>{"records\\top.dbr"});
    ASSERT_EQ(log.GetLines().size(), 1u);
    const std::string& line = log.GetLines()[0].text;
    EXPECT_EQ(log.GetLines()[0].level, 1);
    EXPECT_EQ(line.rfind("Database folder '" + files.GetRoot() +
                             "': cannot read 1 of its folders (the first: 'level/level/",
                         0),
              0u);
    EXPECT_NE(line.find("'); their files are missing"), std::string::npos);
}

TEST(LoadTable, ListsAndAbsentKeys)
{
    const LoadTable table = Record("ints = 1;2;3\n"
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

    EXPECT_EQ(table.GetIntAt("ints", 3, -1), -1);
    EXPECT_EQ(table.GetFloatAt("floats", 2, 9.0f), 9.0f);

    EXPECT_FALSE(table.HasKey("absent"));
    EXPECT_EQ(table.GetInt("absent", 7), 7);
    table.GetIntList("absent", ints);
    table.GetStringList("absent", names);
    EXPECT_TRUE(ints.empty() && names.empty());
}

TEST(LoadTable, NumbersConvertSaturateOrFallBack)
{
    const LoadTable table =
        Record("real = 12.7\nnegReal = -12.7\nplus = +5\nbigReal = 123456789.9\n"
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
        bad.Parse("kept = 1\nno equals sign\n = 3\nkept = 2\nafter = 4\nlife = 300;NaN;-inf\n",
                  "Records/Bad.dbr"));
    EXPECT_EQ(bad.GetInt("kept"), 1);
    EXPECT_EQ(bad.GetInt("after"), 4);
    EXPECT_EQ(bad.GetFloatAt("life", 1, 5.0f), 5.0f);
    const std::string infinite = "Record 'Records/Bad.dbr' line 6: key 'life' value ";
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {1, "Record 'Records/Bad.dbr' line 2: malformed entry skipped"},
                  {1, "Record 'Records/Bad.dbr' line 3: malformed entry skipped"},
                  {1, "Record 'Records/Bad.dbr' line 4: key 'kept' repeated, first kept"},
                  {1, infinite + "'NaN' is not a finite number, read as missing"},
                  {1, infinite + "'-inf' is not a finite number, read as missing"}}));
}

TEST_F(DatabaseTest, ARecordIsFoundByItsOwnPathAndARootWithoutItIsTreatedAsNone)
{
    files.WriteRecord("Records/Game/Here.dbr", {"value = 1"});
    files.WriteRecord("Records/Linked/Inside.dbr", {"value = 2"});
    std::filesystem::create_directory_symlink(files.GetRoot() + "/Records/Linked",
                                              files.GetRoot() + "/Records/Link");
    // A wide tree beside the path is never read: a folder there that cannot be read is no
    // matter.
    FolderChain chain(files.GetRoot(), "level", 1200);
    LogCapture log;
    ASSERT_NE(db.FindLoadTable("RECORDS\\game/HERE.DBR"), nullptr);
    EXPECT_EQ(db.FindLoadTable("Records/Game"), nullptr);
    EXPECT_EQ(db.FindLoadTable("Records/Link/Inside.dbr"), nullptr);
    EXPECT_EQ(db.FindLoadTable("Records/../Records/Game/Here.dbr"), nullptr);
    EXPECT_EQ(db.FindLoadTable("Nothing/Here.dbr"), nullptr);
    EXPECT_TRUE(log.GetLines().empty());
    // The sorted list, scanned once, knows a record written after it once that record is asked.
    const size_t listed = db.GetSortedRecordPaths().size();
    files.WriteRecord("Records/Game/Later.dbr", {"value = 3"});
    ASSERT_NE(db.FindLoadTable("Records/Game/Later.dbr"), nullptr);
    EXPECT_EQ(db.GetSortedRecordPaths().size(), listed + 1);
}

TEST(LoadTable, PastTheBoundOfFaultsATextIsRefusedInOneLineAndTheTableKeptAsItWas)
{
    LogCapture log;
    // At the bound each fault is told, and the first of a repeated key still wins.
    std::string atBound = "hp = 1\n";
    for (size_t i = 0; i < LoadTable::kMostFaults; ++i)
        atBound += "hp = " + std::to_string(i + 2) + "\n";
    LoadTable repeats;
    EXPECT_FALSE(repeats.Parse(atBound, "Records/Repeats.dbr"));
    EXPECT_FALSE(repeats.IsRefused());
    EXPECT_EQ(repeats.GetInt("hp"), 1);
    EXPECT_EQ(log.GetLines().size(), LoadTable::kMostFaults);
    EXPECT_EQ(log.GetLines().back().text,
              "Record 'Records/Repeats.dbr' line 101: key 'hp' repeated, first kept");

    // Past it the text is no record: one line, and the table is as it was before the text.
    log.Clear();
    LoadTable flood;
    ASSERT_TRUE(flood.Parse("before = 7\n", "Records/Flood.dbr"));
    std::string lines = "name = x\n";
    for (int i = 0; i < 100000; ++i)
        lines += "no key here\n";
    EXPECT_FALSE(flood.Parse(lines, "Records/Flood.dbr"));
    EXPECT_TRUE(flood.IsRefused());
    EXPECT_EQ(flood.GetKeyCount(), 1u);
    EXPECT_EQ(flood.GetInt("before"), 7);
    EXPECT_FALSE(flood.HasKey("name"));
    const LogCapture::Line refusal{
        1, "Record 'Records/Flood.dbr': more than 100 faults (lines without a key, repeated keys, "
           "values not finite), the first at line 2; refused"};
    EXPECT_EQ(log.GetLines(), std::vector<LogCapture::Line>{refusal});

    // The database holds such a text as no record at all.
    Database held;
    held.PutFile("Records/Flood.dbr", lines);
    EXPECT_EQ(held.FindLoadTable("Records/Flood.dbr"), nullptr);
}

// The bound counts each value that is not finite, and once it is passed the rest of the line is
// not read: a long line of them costs about its own length, not the many times its values would.
TEST(LoadTable, ALongLineOfFaultsIsRefusedWithinAboutItsOwnSize)
{
    std::string flood = "life = ";
    for (int i = 0; i < 1 << 20; ++i)
        flood += "nan;";
    LogCapture log;
    LoadTable table;
#ifdef GAME_TEST_HEAP_HOOKS
    ASSERT_NE(heapHooks, 0);
    held = peak = 0;
    watching = true;
#endif
    EXPECT_FALSE(table.Parse(flood, "Records/Nan.dbr"));
#ifdef GAME_TEST_HEAP_HOOKS
    watching = false;
    EXPECT_LT(peak, static_cast<int64_t>(2 * flood.size()));
#endif
    EXPECT_TRUE(table.IsRefused());
    const LogCapture::Line refusal{
        1, "Record 'Records/Nan.dbr': more than 100 faults (lines without a key, repeated keys, "
           "values not finite), the first at line 1; refused"};
    EXPECT_EQ(log.GetLines(), std::vector<LogCapture::Line>{refusal});
}

// More keys than a record reserves for, so the index grows while it is read; a copy outlives
// its original, and a second text adds only the keys the first lacked.
TEST(LoadTable, ManyKeysSurviveGrowthCopiesAndASecondText)
{
    std::string text;
    for (int key = 0; key < 700; ++key)
        text += "key" + std::to_string(key) + " = " + std::to_string(key) + ";tail;\n";
    auto original = std::make_unique<LoadTable>();
    ASSERT_TRUE(original->Parse(text, "Records/Many.dbr"));
    EXPECT_FALSE(original->Parse("key5 = 9\nextra = 3\n", "Records/Many.dbr"));
    const LoadTable copy = *original;
    original.reset();
    ASSERT_EQ(copy.GetKeyCount(), 701u);
    for (int key = 0; key < 700; ++key) {
        const std::string name = "key" + std::to_string(key);
        ASSERT_EQ(copy.GetValueCount(name.c_str()), 2u) << name;
        EXPECT_EQ(copy.GetInt(name.c_str()), key) << name;
        EXPECT_EQ(copy.GetStringAt(name.c_str(), 1), "tail") << name;
    }
    EXPECT_EQ(copy.GetInt("extra"), 3);
    std::vector<std::string> keys;
    copy.ForEachKey([&](std::string_view key) {
        EXPECT_EQ(key.data()[key.size()], '\0');
        keys.emplace_back(key);
    });
    EXPECT_EQ(keys.front(), "key0");
    EXPECT_EQ(keys[699], "key699");
    EXPECT_EQ(keys.back(), "extra");
}

TEST(RecordKeyIndex, ALoaderMayFindWhatARecordHoldsAKeyItAsksOfAnEmptyOne)
{
    RecordKeyIndex& index = RecordKeyIndex::Instance();
    // The inner key is asked only once the gate is there, so the gate alone names the loader.
    const size_t gated = index.Learn([](const LoadTable& record) {
        return record.HasKey("indexGate") && record.GetInt("indexInner") != 0;
    });
    const size_t either = index.Learn([](const LoadTable& record) {
        return record.GetInt("indexFirst") + record.GetInt("indexSecond") != 0;
    });
    const size_t always = index.Learn(
        [](const LoadTable& record) { return record.GetString("indexDefault", "made") == "made"; });
    const auto found = [&](const std::string& text, size_t loader) {
        return RecordKeyIndex::MayFind(index.Find(Record(text)), loader);
    };
    EXPECT_TRUE(found("indexGate = 1\n", gated));
    EXPECT_FALSE(found("indexInner = 1\n", gated));
    EXPECT_TRUE(found("other = 1\nindexSecond = 2\n", either));
    EXPECT_FALSE(found("other = 1\n", either));
    EXPECT_TRUE(found("other = 1\n", always));

    // A record of more keys than there are loaders is not walked: every loader runs.
    std::string many;
    for (size_t key = 0; key <= RecordKeyIndex::kMaxLoaders; ++key)
        many += "key" + std::to_string(key) + " = 1\n";
    EXPECT_TRUE(found(many, gated) && found(many, either));
}

TEST(FileSystem, MatchesPatternsOfStarsAndQuestionMarks)
{
    EXPECT_TRUE(FileSystem::MatchesPattern("hero.chr", "*.chr"));
    EXPECT_FALSE(FileSystem::MatchesPattern("hero.chr.bak", "*.chr"));
    EXPECT_TRUE(FileSystem::MatchesPattern("abc", "a?c"));
    EXPECT_FALSE(FileSystem::MatchesPattern("ac", "a?c"));
    EXPECT_TRUE(FileSystem::MatchesPattern("", "*"));
    EXPECT_FALSE(FileSystem::MatchesPattern("", "?"));
    EXPECT_TRUE(FileSystem::MatchesPattern("Hero.CHR", "*.chr")); // player files ignore case

    // Back-tracking over many stars must stay linear-ish: an exponential match would not end.
    const std::string as(20000, 'a');
    EXPECT_FALSE(FileSystem::MatchesPattern(as.c_str(), "*a*a*a*a*b"));
    EXPECT_TRUE(FileSystem::MatchesPattern((as + "b").c_str(), "*a*a*a*a*b"));
}

TEST(FileSystem, ReadsWholeRegularFilesOnlyAndWithinTheLimit)
{
    using Result = FileSystem::ReadResult;
    TempDatabase folder;
    folder.WriteFile("five.bin", "12345");
    const std::string five = folder.GetRoot() + "/five.bin";
    std::vector<uint8_t> bytes;
    EXPECT_EQ(FileSystem::ReadWholeFile(five, 5, bytes), Result::Done);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{'1', '2', '3', '4', '5'}));
    std::string text = "old";
    EXPECT_EQ(FileSystem::ReadWholeFile(five, 4, text), Result::TooLarge);
    EXPECT_EQ(text, "");

    // A pipe with no writer (and so any file that is not regular) is refused before reading.
    const std::string pipe = folder.GetRoot() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(FileSystem::ReadWholeFile(pipe, 1 << 20, bytes), Result::NotAFile);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(FileSystem::ReadWholeFile(five + "/inner", 1 << 20, bytes), Result::Missing);

    EXPECT_EQ(FileSystem::Explain(Result::TooLarge, 64), "is larger than 64 bytes");
    EXPECT_EQ(FileSystem::Explain(Result::NotAFile, 64), "is not a regular file");
}

TEST(FileSystem, ListsMatchingFilesSorted)
{
    TempDatabase folder;
    for (const char* name : {"b.chr", "a.chr", "c.txt", "A.chr"})
        folder.WriteFile(name, "x");
    folder.WriteFile("sub.chr/inner.chr", "x");

    FileSystem& files = FileSystem::Instance();
    const std::string previous = files.GetUserFolder();
    files.SetUserFolder(folder.GetRoot());
    EXPECT_EQ(files.GetMatchingFiles("*.chr"),
              (std::vector<std::string>{"A.chr", "a.chr", "b.chr"}));
    files.SetUserFolder(folder.GetRoot() + "/missing");
    EXPECT_TRUE(files.GetMatchingFiles("*").empty());
    files.SetUserFolder(previous);
}

} // namespace
} // namespace GAME::Test
