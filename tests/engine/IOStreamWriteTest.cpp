#include "engine/IOStreamWrite.h"

#include "engine/IOStreamRead.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace GAME {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test so leftover temporary files show up as extra entries.
class SaveToFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "savetofile.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

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

    fs::path folder;
};

TEST_F(SaveToFileTest, ReplacesTheOldFileWithEveryByteAndLeavesNothingBeside)
{
    const fs::path target = folder / "hero.chr";
    std::ofstream(target) << "old save";
    const IOStreamWrite writer = Stream(77);
    ASSERT_TRUE(writer.SaveToFile(target.string()));

    const std::string saved = Contents(target);
    EXPECT_EQ(saved, std::string(writer.GetBytes().begin(), writer.GetBytes().end()));
    EXPECT_EQ(Entries(), 1u);
    IOStreamRead reader = IOStreamRead::FromFile(target.string());
    uint32_t gold = 0;
    EXPECT_TRUE(reader.BeginBlock());
    EXPECT_TRUE(reader.StreamUInt("gold", gold));
    EXPECT_EQ(gold, 77u);
}

TEST_F(SaveToFileTest, AFailedSaveLeavesTheOldFileByteForByteAndNoTemporary)
{
    const fs::path target = folder / "hero.chr";
    const std::string old("old\0save\xff", 9);
    std::ofstream(target, std::ios::binary) << old;

    IOStreamWrite open; // a block never closed
    open.BeginBlock();
    EXPECT_FALSE(open.SaveToFile(target.string()));
    IOStreamWrite failedStream;
    failedStream.EndBlock();
    EXPECT_FALSE(failedStream.SaveToFile(target.string()));
    EXPECT_FALSE(Stream(1).SaveToFile((folder / "missing" / "hero.chr").string()));
    EXPECT_EQ(Contents(target), old);
    EXPECT_EQ(Entries(), 1u);

    // Everything is written but the swap itself is refused: the temporary file goes away.
    const fs::path occupied = folder / "occupied.chr";
    fs::create_directory(occupied);
    std::ofstream(occupied / "inside") << "x";
    EXPECT_FALSE(Stream(2).SaveToFile(occupied.string()));
    EXPECT_TRUE(fs::is_directory(occupied));
    EXPECT_EQ(Entries(), 2u);
}

} // namespace
} // namespace GAME
