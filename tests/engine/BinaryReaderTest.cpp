#include "engine/BinaryReader.h"

#include "core/BinaryWriter.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

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
            EXPECT_EQ(half, 0xBEEF);
            EXPECT_EQ(word, 123456789u);
            EXPECT_TRUE(flag);
            EXPECT_EQ(text, "Records/Item/Sword.dbr");
            EXPECT_EQ(last, 42u);
            EXPECT_EQ(reader.GetRemaining(), 0u);
            EXPECT_FALSE(reader.HasFailed());
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
