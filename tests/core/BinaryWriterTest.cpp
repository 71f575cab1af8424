#include "core/BinaryWriter.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace GAME {
namespace {

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

} // namespace
} // namespace GAME
