#include "multiplayer/EntityPackets.h"
#include "multiplayer/TradePackets.h"

#include "tests/multiplayer/WireBytes.h"
#include "tests/multiplayer/WireFixtures.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace GAME {
namespace {

using Test::EncodePacket;
using Test::WireBytes;

ItemReplicaInfo Sword()
{
    ItemReplicaInfo item;
    item.id = 0x00000321;
    item.baseName = "Records/Items/Swords/Falchion.dbr";
    item.prefixName = "Records/Items/Prefix/Sharp.dbr";
    item.suffixName = "Records/Items/Suffix/OfTheBear.dbr";
    item.relicName = "Records/Items/Relics/Ember.dbr";
    item.relicBonus = "Records/Items/Relics/EmberBonus.dbr";
    item.seed = 0xCAFE;
    item.var1 = 7;
    return item;
}

TEST(TradeAddItemPacket, TheItemReadsBackWholeAndItsPositionBitForBit)
{
    TradeAddItemPacket packet;
    packet.sender = 0x10000001;
    packet.receiver = 0x20000001;
    packet.item = Sword();
    packet.position = Vec2(-0.0f, std::numeric_limits<float>::quiet_NaN());
    const std::vector<uint8_t> bytes = EncodePacket(packet);
    const ItemReplicaInfo& sent = packet.item;
    EXPECT_EQ(bytes, WireBytes()
                         .Word(0x10000001)
                         .Word(0x20000001)
                         .Float(-0.0f)
                         .Float(packet.position.y)
                         .Text(sent.baseName)
                         .Word(sent.id)
                         .Text(sent.prefixName)
                         .Text(sent.suffixName)
                         .Text(sent.relicName)
                         .Text(sent.relicBonus)
                         .Word(sent.seed)
                         .Word(sent.var1)
                         .Packet(41));
}

class ItemPackets : public GAME::Test::EngineFixture {};

TEST_F(ItemPackets, ATradeItemWhoseNameLengthLiesIsRefused)
{
    const std::vector<uint8_t> bytes =
        WireBytes().Word(1).Word(2).Float(0.0f).Float(0.0f).Word(0x7FFFFFF0).Packet(41);
    EXPECT_EQ(ConnectionManager::DecodePacket(bytes), nullptr);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "ConnectionManager: packet 41 does not read back"), 1u);
}

TEST(CreateItemPacket, AnItemWithoutAffixesOrRelicCarriesEmptyNamesInTheirPlaces)
{
    CreateItemPacket packet;
    packet.characterId = 0x10000001;
    packet.coords = GAME::Test::kCoords;
    packet.item.id = 0x55;
    packet.item.baseName = "Records/Items/Potions/Health.dbr";
    packet.item.seed = 99;
    packet.item.var1 = 2;
    const std::vector<uint8_t> bytes = EncodePacket(packet);
    EXPECT_EQ(bytes, WireBytes()
                         .Word(0x10000001)
                         .Place(GAME::Test::kCoords)
                         .Word(0x55)
                         .Text("Records/Items/Potions/Health.dbr")
                         .Text("")
                         .Text("")
                         .Text("")
                         .Text("")
                         .Word(99)
                         .Word(2)
                         .Packet(32));
}

} // namespace
} // namespace GAME
