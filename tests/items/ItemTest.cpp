#include "items/Item.h"

#include "characters/Character.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "items/ItemReplicaInfo.h"
#include "tests/support/BareCarrier.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Must.h"
#include "tests/support/PacketBody.h"
#include "tests/support/Records.h"
#include "tests/support/Replica.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class ProbeItem : public Item {
    GAME_DECLARE_CLASS(ProbeItem)

public:
    using Item::GetCharacter;
    using Item::initialized;
};

GAME_IMPLEMENT_CLASS(ProbeItem, Item);

class ItemTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        ObjectManager& objects = ObjectManager::Instance();
        character = static_cast<Character*>(objects.CreateObject("Character"));
        item = new ProbeItem;
        ASSERT_NE(character, nullptr);
        ASSERT_TRUE(objects.RegisterObject(item));
    }

    Character* character = nullptr;
    ProbeItem* item = nullptr;
};

TEST_F(ItemTest, TheWearerIsKnownUntilTheItemIsDetachedOrTheWearerIsGone)
{
    item->AttachItem(*character, "R Hand");
    EXPECT_EQ(item->GetCharacter(), character);
    item->DetachItem(*character);
    EXPECT_EQ(item->GetCharacter(), nullptr);

    item->AttachItem(*character, "Head");
    ObjectManager::Instance().DestroyObjectEx(character, "test", 1);
    EXPECT_EQ(item->GetCharacter(), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(item->GetAttachParent(), nullptr);
}

ItemReplicaInfo Named(const std::string& baseName, uint32_t id)
{
    ItemReplicaInfo info = Replica(baseName, 42, 2);
    info.id = id;
    info.prefixName = "Records/Prefix.dbr";
    return info;
}

TEST_F(ItemTest, CreateItemMakesTheRecordsObjectUnderItsIdWithTheRecordApplied)
{
    database.WriteRecord("Records/Items/Probe.dbr", {"Class = ProbeItem"});
    const ItemReplicaInfo info = Named("records/items/probe.dbr", 0x7777);
    auto* made = Must(DynamicCast<ProbeItem>(Item::CreateItem(info)));
    EXPECT_EQ(made->GetObjectId(), 0x7777u);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(0x7777), made);
    EXPECT_TRUE(made->initialized);
    ItemReplicaInfo held;
    made->GetItemReplicaInfo(held);
    EXPECT_TRUE(held == info);

    // Another under the same id, a missing record and a record of something else: nothing.
    EXPECT_EQ(Item::CreateItem(info), nullptr);
    EXPECT_EQ(Item::CreateItem(Named("Records/Items/None.dbr", 0)), nullptr);
    database.WriteRecord("Records/Sound.dbr", {"Class = SoundPak"});
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    EXPECT_EQ(Item::CreateItem(Named("Records/Sound.dbr", 0)), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);
}

TEST_F(ItemTest, TheItemKeepsItsOwnIdAndBaseNameWhateverRecordItIsGiven)
{
    item->SetObjectName("Records/Items/Own.dbr");
    ItemReplicaInfo held;
    item->SetItemReplicaInfo(Named("Records/Items/Other.dbr", 12345));
    item->GetItemReplicaInfo(held);
    EXPECT_EQ(held.id, item->GetObjectId());
    EXPECT_EQ(held.baseName, "Records/Items/Own.dbr");
    EXPECT_EQ(held.seed, 42u);
}

// Opens the protected parts the rules live in.
class RuleItem : public Item {
    GAME_DECLARE_CLASS(RuleItem)

public:
    using Item::classification;
    using Item::MeetsRequirements;
};

GAME_IMPLEMENT_CLASS(RuleItem, Item);

class ItemRecordTest : public CombatGameFixture {
protected:
    RuleItem* Make(std::vector<std::string> lines)
    {
        lines.insert(lines.begin(), "Class = RuleItem");
        // Records are read once per path: each make writes a new one.
        recordName = "Records/Thing" + std::to_string(++made) + ".dbr";
        database.WriteRecord(recordName, lines);
        return ObjectManager::Instance().CreateObjectFromFile<RuleItem>(recordName);
    }

    std::string recordName;
    int made = 0;
};

TEST_F(ItemRecordTest, CostIsTheFirstEntryScaledAndRounded)
{
    struct Row {
        const char* cost;
        const char* scale;
        uint32_t expected;
    };
    // A negative price is a damaged record and costs nothing.
    const Row rows[] = {
        {"100", "50", 150u}, {"", "50", 0u}, {"3", "-50", 2u}, {"7;99", "0", 7u}, {"-5", "0", 0u}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.cost) + " at " + row.scale);
        RuleItem* item = Make({std::string("itemCost = ") + row.cost,
                               std::string("itemCostScalePercent = ") + row.scale});
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetItemCost(false), row.expected);
        EXPECT_EQ(item->GetItemCost(true), row.expected);
    }
}

TEST_F(ItemRecordTest, ClassificationOnlyRisesAndUnknownTextCountsAsCommon)
{
    RuleItem* item = Must(Make({"itemClassification = Rare"}));
    EXPECT_EQ(item->GetItemClassification(), ItemClassification_Rare);
    item->classification = ItemClassification_Relic;
    item->Load(Record("itemClassification = Common"));
    EXPECT_EQ(item->GetItemClassification(), ItemClassification_Relic);
    EXPECT_EQ(Make({"itemClassification = Shiny"})->GetItemClassification(),
              ItemClassification_Common);
}

TEST_F(ItemRecordTest, RequirementsAreMetThroughTheReductionAndAvailabilityByTheRecord)
{
    RuleItem* plain = Must(Make({}));
    EXPECT_TRUE(plain->MeetsRequirements(8.0f, 10.0f, 25.0f));
    EXPECT_FALSE(plain->MeetsRequirements(7.0f, 10.0f, 25.0f));
    EXPECT_TRUE(plain->MeetsRequirements(0.0f, 0.0f, 0.0f));

    RuleItem* item = Must(Make({"strengthRequirement = 20", "dexterityRequirement = 5"}));
    EXPECT_TRUE(item->IsItemAvailable(nullptr, 20, 5, 0));
    // Short of strength the level alone decides, and no level is asked.
    EXPECT_TRUE(item->IsItemAvailable(nullptr, 19, 5, 0));
    RuleItem* leveled = Make({"strengthRequirement = 20", "levelRequirement = 3"});
    EXPECT_FALSE(leveled->IsItemAvailable(nullptr, 19, 0, 0));
}

TEST_F(ItemRecordTest, LevelStateRebuildsTheSameRecordElsewhere)
{
    Make({});
    ItemReplicaInfo info = Replica(recordName, 77, 3);
    info.prefixName = "Records/Prefix.dbr";
    Item* original = Must(Item::CreateItem(info));
    ItemReplicaInfo written;
    original->GetItemReplicaInfo(written);

    BinaryWriter writer = BinaryWriter::ToMemory(64);
    original->SaveState(writer);
    ObjectManager& objects = ObjectManager::Instance();
    auto* restored = objects.CreateObjectFromFile<RuleItem>(recordName);
    BinaryReader reader(writer.GetData(), writer.GetSize());
    EXPECT_TRUE(restored->RestoreState(reader));
    ItemReplicaInfo fromState;
    restored->GetItemReplicaInfo(fromState);
    EXPECT_TRUE(fromState == written);
}

TEST_F(ItemRecordTest, AnUnreadableLevelStateKeepsTheDefaultsWithOneLine)
{
    RuleItem* item = Make({});
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    item->Actor::SaveState(writer);
    writer.WriteUInt32(1);
    writer.WriteUInt32(0xFFFFFFFFu); // a prefix name longer than any save
    BinaryReader reader(writer.GetData(), writer.GetSize());
    EXPECT_FALSE(item->RestoreState(reader));
    ItemReplicaInfo kept;
    item->GetItemReplicaInfo(kept);
    EXPECT_TRUE(kept.prefixName.empty());
    EXPECT_EQ(kept.seed, 0u);
    EXPECT_EQ(log.CountContaining("level state unreadable"), 1u);
}

// A rare item lying on the ground for an hour of game time: each sparkle plays out and goes
// before the next one starts.
class ItemSparkleTest : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        database.WriteRecord("Records/Fx/Sparkle.dbr", {"Class = EffectEntity"});
        database.WriteRecord("Records/Gem.dbr", {"Class = RuleItem", "itemClassification = Rare"});
        database.WriteRecord(kSettings, {"rareItemSparkle = Records/Fx/Sparkle.dbr"});
        CombatWorldFixture::SetUp();
    }
};

TEST_F(ItemSparkleTest, AnItemOnTheGroundHoldsAtMostOneLiveSparkle)
{
    World& world = *gEngine->GetWorld();
    auto* gem = Must(ObjectManager::Instance().CreateObjectFromFile<RuleItem>("Records/Gem.dbr"));
    ASSERT_TRUE(world.AddEntity(gem, WorldCoords(WorldVec3(1, Vec3())), false));
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    size_t most = 0;
    int sparkles = 0;
    for (int frame = 0; frame < 3600 * 10; ++frame) {
        const size_t before = world.GetEntityCount();
        gEngine->RunFrame(100);
        sparkles += world.GetEntityCount() > before ? 1 : 0;
        most = std::max(most, ObjectManager::Instance().GetObjectCount() - objects);
    }
    // One every three to five seconds.
    EXPECT_GT(sparkles, 3600 / 5);
    EXPECT_EQ(most, 1u);
    EXPECT_LE(world.GetEntityCount(), 2u);
}

using Bytes = std::vector<uint8_t>;

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
    BareCarrier carrier;
    NetPacketOutBuffer out(carrier);
    info.WriteReplicationData(out);
    out.Done();
    return BodyOf(carrier);
}

bool ReadWire(const Bytes& bytes, size_t count, ItemReplicaInfo& info)
{
    BareCarrier carrier;
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
    changed.relicName = "R";
    EXPECT_FALSE(changed == sample);
    // A zero byte inside a name read from bytes does not cut the name short.
    changed = sample;
    changed.prefixName = std::string("P\0x", 3);
    EXPECT_FALSE(changed == sample);
}

// The base name travels apart from both binary forms.
TEST(ItemReplicaInfoTest, BothBinaryFormsAreTheSampleBytesAndReadBackButTheBaseName)
{
    ItemReplicaInfo fresh;
    fresh.baseName = "records/items/ring.dbr";
    const Bytes bytes = LevelState(fresh);
    EXPECT_EQ(bytes.size(), ItemReplicaInfo::kDefaultLevelStateBytes);
    EXPECT_EQ(bytes, Bytes(28, 0));

    const ItemReplicaInfo sample = Sample();
    ASSERT_EQ(LevelState(sample), kSampleBytes);
    ASSERT_EQ(Wire(sample), kSampleBytes);
    BinaryReader reader(kSampleBytes.data(), kSampleBytes.size());
    ItemReplicaInfo level, wire;
    ASSERT_TRUE(level.ReadLevelState(reader));
    EXPECT_EQ(reader.GetRemaining(), 0u);
    ASSERT_TRUE(ReadWire(kSampleBytes, kSampleBytes.size(), wire));
    for (ItemReplicaInfo* read : {&level, &wire}) {
        EXPECT_EQ(read->id, sample.id);
        EXPECT_EQ(read->baseName, "");
        read->baseName = sample.baseName;
        EXPECT_TRUE(*read == sample);
    }
    EXPECT_EQ(Wire(wire), kSampleBytes);
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
