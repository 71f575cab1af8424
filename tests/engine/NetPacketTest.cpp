#include "engine/NetPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/Name.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/SmartObjectId.h"
#include "engine/WorldCoords.h"

#include "tests/support/LogCapture.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

using GAME::Test::CutMessage;
using GAME::Test::EncodePacket;

// One field of every kind, in this order on the wire.
class AllKindsPacket : public NetPacket {
public:
    static constexpr uint32_t kType = 250;

    AllKindsPacket() : NetPacket(kType) {}

    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        out.AddUInt(word);
        out.AddUInt(signedWord);
        out.AddUInt(real);
        out.Add(flag);
        out.Add(id);
        out.Add(position);
        out.Add(coords);
        out.Add(text);
        out.AddFileName(fileName);
        out.AddRaw(rawText);
        out.Add(wide);
        out.AddUIntVector(words);
        out.AddWorldCoordsVector(coordsList);
        out.AddRaw(name);
        return out.Done();
    }

    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        in.RemoveUInt(word);
        in.RemoveUInt(signedWord);
        in.RemoveUInt(real);
        in.Remove(flag);
        in.Remove(id);
        in.Remove(position);
        in.Remove(coords);
        in.Remove(text);
        in.Remove(fileName);
        in.RemoveRaw(rawText);
        in.Remove(wide);
        in.RemoveUIntVector(words);
        in.RemoveWorldCoordsVector(coordsList);
        in.RemoveRaw(name);
    }

    std::string GetPacketDescription(bool) const override { return std::string(); }

    uint32_t word = 0;
    int32_t signedWord = 0;
    float real = 0.0f;
    bool flag = false;
    SmartObjectId id;
    WorldVec3 position;
    WorldCoords coords;
    std::string text;
    std::string fileName;
    std::string rawText;
    std::wstring wide;
    std::vector<uint32_t> words;
    std::vector<WorldCoords> coordsList;
    Name name;
};

const bool registered = ConnectionManager::RegisterPacketClass<AllKindsPacket>();

const WorldCoords kTurned(9, Coords({0, 0, -1}, {0, 1, 0}, {1, 0, 0}, {2, 3, 4}));

AllKindsPacket Sample()
{
    AllKindsPacket p;
    p.word = 0x11223344;
    p.signedWord = -2;
    p.real = -0.0f;
    p.flag = true;
    p.id = 0x0A0B0C0D;
    p.position = WorldVec3(7, Vec3(1.0f, -2.0f, 0.5f));
    p.coords = kTurned;
    p.text = "ab";
    p.fileName = "Records/x.dbr";
    p.wide = L"h\U0001F600";
    p.words = {1, 0xFFFFFFFF};
    p.coordsList = {kTurned};
    p.name = Name::FromWords(1, 2, 3, 0xA1B2C3D4);
    return p;
}

// Little-endian words and single bytes, to spell out expected messages.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& W(std::initializer_list<uint32_t> words)
    {
        for (uint32_t w : words) {
            for (int shift = 0; shift < 32; shift += 8)
                b.push_back(static_cast<uint8_t>(w >> shift));
        }
        return *this;
    }
    Bytes& B(std::initializer_list<uint8_t> bytes)
    {
        b.insert(b.end(), bytes);
        return *this;
    }
};

constexpr uint32_t kOne = 0x3F800000, kMinusOne = 0xBF800000, kTwo = 0x40000000;

Bytes& TurnedCoords(Bytes& e)
{
    // region, then origin, right, up, forward
    return e.W({9, kTwo, 0x40400000, 0x40800000, 0, 0, kMinusOne, 0, kOne, 0, kOne, 0, 0});
}

std::vector<uint8_t> SamplePayload()
{
    Bytes e;
    e.W({0x11223344, 0xFFFFFFFE, 0x80000000}).B({1}).W({0x0A0B0C0D});
    e.W({7, kOne, 0xC0000000, 0x3F000000});
    TurnedCoords(e);
    e.W({2}).B({'a', 'b'});
    e.W({13}).B({'R', 'e', 'c', 'o', 'r', 'd', 's', '/', 'x', '.', 'd', 'b', 'r'});
    e.W({0});
    e.W({3}).B({'h', 0, 0x3D, 0xD8, 0x00, 0xDE}); // U+1F600 as a surrogate pair
    e.W({2, 1, 0xFFFFFFFF});
    TurnedCoords(e.W({1}));
    e.W({1, 2, 3, 0xA1B2C3D4});
    return e.b;
}

TEST(NetPacketOutBuffer, EveryFieldKindHasItsExactBytes)
{
    ASSERT_TRUE(registered);
    AllKindsPacket p = Sample();
    const std::vector<uint8_t> payload = SamplePayload();
    std::vector<uint8_t> expected = Bytes().W({AllKindsPacket::kType, uint32_t(payload.size())}).b;
    expected.insert(expected.end(), payload.begin(), payload.end());
    EXPECT_EQ(EncodePacket(p), expected);

    // Empty: word .. id (17 bytes), a zero position and coords, then ten zero counts.
    AllKindsPacket empty;
    const std::vector<uint8_t> bytes = EncodePacket(empty);
    EXPECT_EQ(
        std::vector<uint8_t>(bytes.begin() + NetPacketHeader::kSize + 17 + 16 + 52, bytes.end()),
        std::vector<uint8_t>(40, 0));

    // The bytes are pinned, so a decoded packet that encodes alike has read every field back.
    std::unique_ptr<NetPacket> decoded = ConnectionManager::DecodePacket(expected);
    ASSERT_NE(dynamic_cast<AllKindsPacket*>(decoded.get()), nullptr);
    EXPECT_EQ(EncodePacket(*decoded), expected);
}

// No read runs past a cut (the sanitizer watches), and the last field, never complete, keeps its
// value. A byte left over leaves the packet incomplete too, though every field is read.
TEST(NetPacketInBuffer, TruncationAtEveryByteAndBytesLeftOverFailCleanly)
{
    std::vector<uint8_t> payload = SamplePayload();
    for (size_t cut = 0; cut < payload.size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::vector<uint8_t> part(payload.begin(), payload.begin() + cut);
        AllKindsPacket p;
        p.CopyInbound(part.data(), static_cast<int>(cut));
        EXPECT_FALSE(p.IsInboundComplete());
        EXPECT_TRUE(p.name.IsEmpty());
    }
    payload.push_back(0);
    AllKindsPacket longer;
    longer.CopyInbound(payload.data(), static_cast<int>(payload.size()));
    EXPECT_FALSE(longer.IsInboundComplete());
    EXPECT_EQ(longer.name, Sample().name);
}

// Runs `read` on a reader over `bytes` and returns what it answered.
template <typename Read> bool ReadFrom(const std::vector<uint8_t>& bytes, Read read)
{
    AllKindsPacket p;
    NetPacketInBuffer in(p, bytes.data(), static_cast<int>(bytes.size()));
    return read(in);
}

TEST(NetPacketInBuffer, FailureIsStickyAndLeavesTargetsAlone)
{
    const std::vector<uint8_t> bytes = Bytes().B({2}).W({77}).b;
    bool flag = false;
    uint32_t word = 1;
    // A bool is 0 or 1; anything else means the reader is lost.
    EXPECT_TRUE(ReadFrom(bytes, [&](auto& in) {
        return !in.Remove(flag) && !in.RemoveUInt(word) && in.HasFailed();
    }));
    EXPECT_EQ(word, 1u);

    AllKindsPacket negative;
    negative.CopyInbound(bytes.data(), -1);
    EXPECT_FALSE(negative.IsInboundComplete());
}

TEST(NetPacketInBuffer, CountLargerThanTheBytesLeftFailsBeforeAllocating)
{
    std::vector<uint32_t> words;
    EXPECT_FALSE(ReadFrom(Bytes().W({0x3FFFFFFF, 1}).b,
                          [&](auto& in) { return in.RemoveUIntVector(words); }));
    EXPECT_EQ(words.capacity(), 0u);

    std::vector<uint8_t> twoCoordsLessOne = Bytes().W({2}).b;
    twoCoordsLessOne.resize(4 + 2 * NetPacketInBuffer::kWorldCoordsBytes - 1);
    std::vector<WorldCoords> list;
    EXPECT_FALSE(
        ReadFrom(twoCoordsLessOne, [&](auto& in) { return in.RemoveWorldCoordsVector(list); }));
    EXPECT_EQ(list.capacity(), 0u);

    std::string text = "kept";
    EXPECT_FALSE(ReadFrom(Bytes().W({0xFFFFFFFF}).B({'a', 'b'}).b,
                          [&](auto& in) { return in.Remove(text); }));
    EXPECT_EQ(text, "kept");
    std::wstring wide = L"kept";
    EXPECT_FALSE(
        ReadFrom(Bytes().W({3}).B({1, 0, 2, 0, 3}).b, [&](auto& in) { return in.Remove(wide); }));
    EXPECT_EQ(wide, L"kept");

    // Lists of records read field by field check their count the same way.
    std::vector<uint8_t> records = Bytes().W({2, 0, 0, 0, 0, 0}).b;
    uint32_t count = 0;
    EXPECT_TRUE(ReadFrom(records, [&](auto& in) { return in.RemoveCount(count, 10); }));
    EXPECT_EQ(count, 2u);
    records.pop_back();
    EXPECT_FALSE(ReadFrom(records, [&](auto& in) { return in.RemoveCount(count, 10); }));
}

TEST(ConnectionManager, RefusesMessagesThatDoNotDecode)
{
    AllKindsPacket p = Sample();
    const std::vector<uint8_t> good = EncodePacket(p);
    const uint32_t fields = static_cast<uint32_t>(good.size()) - NetPacketHeader::kSize;

    GAME::Test::LogCapture log;
    EXPECT_EQ(ConnectionManager::DecodePacket(std::vector<uint8_t>(good.begin(), good.begin() + 7)),
              nullptr);
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_EQ(ConnectionManager::DecodePacket(longer), nullptr);
    std::vector<uint8_t> unknown = good;
    unknown[0] = 251;
    EXPECT_EQ(ConnectionManager::DecodePacket(unknown), nullptr);
    // Header and size agree, but the fields stop early.
    EXPECT_EQ(ConnectionManager::DecodePacket(CutMessage(good, good.size() - 1)), nullptr);

    const std::vector<GAME::Test::LogCapture::Line> expected = {
        {2, "ConnectionManager: message of 7 bytes has no header"},
        {2, "ConnectionManager: packet 250 claims " + std::to_string(fields) +
                " bytes of fields, message has " + std::to_string(fields + 1)},
        {2, "ConnectionManager: unknown packet type 251"},
        {2, "ConnectionManager: packet 250 does not read back"},
    };
    EXPECT_EQ(log.GetLines(), expected);
}

TEST(ConnectionManager, FirstRegistrationOfATypeStays)
{
    GAME::Test::LogCapture log;
    EXPECT_FALSE(ConnectionManager::RegisterPacketType(
        AllKindsPacket::kType, []() -> std::unique_ptr<NetPacket> { return nullptr; }));
    EXPECT_EQ(log.Count(1, "ConnectionManager: packet type 250 registered twice"), 1u);
}

} // namespace
} // namespace GAME
