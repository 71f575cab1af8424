#include "items/ItemReplicaInfo.h"

#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "tests/support/BareCarrier.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using Bytes = std::vector<uint8_t>;

using Carrier = BareCarrier;

ItemReplicaInfo Sample()
{
    ItemReplicaInfo info;
    info.id = 0x01020304;
    info.baseName = "records/items/sword.dbr";
    info.prefixName = "P";
    info.suffixName = "Su";
    info.relicBonus = "B";
    info.seed = 0xA1B2C3D4;
    info.var1 = 3;
    return info;
}

Bytes LevelState(const ItemReplicaInfo& info)
{
    BinaryWriter writer = BinaryWriter::ToMemory(8);
    info.WriteLevelState(writer);
    return Bytes(writer.GetData(), writer.GetData() + writer.GetSize());
}

Bytes Wire(const ItemReplicaInfo& info)
{
    Carrier carrier;
    NetPacketOutBuffer out(carrier);
    info.WriteReplicationData(out);
    out.Done();
    return Bytes(carrier.GetOutBuffer() + NetPacketHeader::kSize,
                 carrier.GetOutBuffer() + carrier.GetOutBufferSize());
}

bool ReadWire(const Bytes& bytes, size_t count, ItemReplicaInfo& info)
{
    Carrier carrier;
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(count));
    return info.ReadReplicationData(in);
}

// Both binary forms of the sample: id, names "P", "Su", "", "B", seed, var1.
const Bytes kSampleBytes = {0x04, 0x03, 0x02, 0x01, 1,    0,    0, 0, 'P', 2, 0,
                            0,    0,    'S',  'u',  0,    0,    0, 0, 1,   0, 0,
                            0,    'B',  0xD4, 0xC3, 0xB2, 0xA1, 3, 0, 0,   0};

TEST(ItemReplicaInfoTest, EqualityIgnoresIdCaseAndSlashesButNotTheRest)
{
    const ItemReplicaInfo sample = Sample();
    ItemReplicaInfo other = sample;
    other.id = 99;
    other.baseName = "RECORDS\\Items\\Sword.DBR";
    other.relicBonus = "b";
    EXPECT_TRUE(other == sample);

    ItemReplicaInfo changed = sample;
    changed.seed += 1;
    EXPECT_FALSE(changed == sample);
    changed = sample;
    changed.var1 = 0;
    EXPECT_FALSE(changed == sample);
    changed = sample;
    changed.relicName = "R";
    EXPECT_FALSE(changed == sample);
    // A zero byte inside a name read from bytes does not cut the name short.
    changed = sample;
    changed.prefixName = std::string("P\0x", 3);
    EXPECT_FALSE(changed == sample);
}

TEST(ItemReplicaInfoTest, ADefaultLevelStateIsTwentyEightBytesAndReadsBackButTheBaseName)
{
    ItemReplicaInfo fresh;
    fresh.baseName = "records/items/ring.dbr";
    const Bytes bytes = LevelState(fresh);
    EXPECT_EQ(bytes.size(), ItemReplicaInfo::kDefaultLevelStateBytes);
    EXPECT_EQ(bytes, Bytes(28, 0));

    const ItemReplicaInfo sample = Sample();
    ASSERT_EQ(LevelState(sample), kSampleBytes);
    BinaryReader reader(kSampleBytes.data(), kSampleBytes.size());
    ItemReplicaInfo read;
    ASSERT_TRUE(read.ReadLevelState(reader));
    EXPECT_EQ(reader.GetRemaining(), 0u);
    EXPECT_EQ(read.id, sample.id);
    EXPECT_EQ(read.baseName, "");
    read.baseName = sample.baseName;
    EXPECT_TRUE(read == sample);
}

TEST(ItemReplicaInfoTest, TheWireFormRoundTripsWithTheSameBytes)
{
    const ItemReplicaInfo sample = Sample();
    const Bytes bytes = Wire(sample);
    ASSERT_EQ(bytes, kSampleBytes);
    ItemReplicaInfo read;
    ASSERT_TRUE(ReadWire(bytes, bytes.size(), read));
    EXPECT_EQ(read.id, sample.id);
    EXPECT_EQ(read.baseName, "");
    read.baseName = sample.baseName;
    EXPECT_TRUE(read == sample);
    EXPECT_EQ(Wire(read), bytes);
}

// Every cut is refused in both forms; what the cut reached keeps its old value.
TEST(ItemReplicaInfoTest, TruncatedFormsAreRefusedAndLeaveTheUnreadFields)
{
    ItemReplicaInfo old;
    old.prefixName = old.suffixName = old.relicName = old.relicBonus = "old";
    old.seed = old.var1 = 7;
    for (size_t cut = 0; cut < kSampleBytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        ItemReplicaInfo level = old;
        BinaryReader reader(kSampleBytes.data(), cut);
        EXPECT_FALSE(level.ReadLevelState(reader));
        EXPECT_LE(reader.GetPosition(), cut);
        ItemReplicaInfo wire = old;
        EXPECT_FALSE(ReadWire(kSampleBytes, cut, wire));
        EXPECT_EQ(level.var1, 7u);
        EXPECT_EQ(wire.var1, 7u);
        EXPECT_EQ(LevelState(level), Wire(wire));
    }
    // The prefix runs out inside its bytes: it and everything after it stay as they were.
    ItemReplicaInfo cutName = old;
    BinaryReader reader(kSampleBytes.data(), 8);
    EXPECT_FALSE(cutName.ReadLevelState(reader));
    EXPECT_EQ(cutName.id, 0x01020304u);
    EXPECT_EQ(cutName.prefixName, "old");
    EXPECT_EQ(cutName.relicBonus, "old");
}

TEST(ItemReplicaInfoTest, ANameLongerThanTheReaderTakesIsRefused)
{
    Bytes bytes = kSampleBytes;
    bytes[4] = 0x01;
    bytes[5] = 0x00;
    bytes[6] = 0x10; // 0x100001: over the 1 MiB a name may hold
    ItemReplicaInfo level;
    level.prefixName = "kept";
    BinaryReader reader(bytes.data(), bytes.size());
    EXPECT_FALSE(level.ReadLevelState(reader));
    EXPECT_EQ(level.prefixName, "kept");
    EXPECT_EQ(level.seed, 0u);
    ItemReplicaInfo wire;
    wire.prefixName = "kept";
    EXPECT_FALSE(ReadWire(bytes, bytes.size(), wire));
    EXPECT_EQ(wire.prefixName, "kept");
}

TEST(ItemReplicaInfoTest, TheKeyedStreamKeepsEveryNameButNoId)
{
    ItemReplicaInfo sample = Sample();
    bool attached = true;
    IOStreamWrite writer;
    sample.StreamProperties(&writer);
    sample.StreamProperties(&writer, attached);
    ASSERT_FALSE(writer.HasFailed());

    IOStreamRead reader(writer.GetBytes());
    ItemReplicaInfo plain, withFlag;
    bool readAttached = false;
    plain.StreamProperties(&reader);
    withFlag.StreamProperties(&reader, readAttached);
    ASSERT_FALSE(reader.HasFailed());
    for (const ItemReplicaInfo* read : {&plain, &withFlag}) {
        EXPECT_EQ(read->id, 0u);
        EXPECT_EQ(read->baseName, sample.baseName);
        EXPECT_TRUE(*read == sample);
    }
    EXPECT_TRUE(readAttached);
    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(writer.GetBytes(), text));
    EXPECT_EQ(text.find("id"), std::string::npos) << text;
}

} // namespace
} // namespace GAME::Test
