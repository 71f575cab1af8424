// A hostile item or one-shot record, as item_record_fuzz makes it: rolled again, saved to level
// state and restored into a fresh item of the same record, and replicated into another, with a
// potion's stack past its limit. Nothing may crash or hang.
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "fuzz/ItemInput.h"
#include "items/Item.h"
#include "items/OneShot_Potion.h"
#include "tests/support/BareCarrier.h"

#include <cstdint>

namespace {

using namespace GAME;

using Carrier = Test::BareCarrier;

// Level state and wire form into fresh objects of the same record.
void RoundTrip(Item& item)
{
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    item.SaveState(writer);
    if (Item* restored = ObjectManager::Instance().CreateObjectFromFile<Item>(kFuzzItem)) {
        BinaryReader reader(writer.GetData(), writer.GetSize());
        restored->RestoreState(reader);
    }
    Carrier carrier;
    NetPacketOutBuffer out(carrier);
    item.WriteReplicationData(out);
    out.Done();
    if (Item* copy = ObjectManager::Instance().CreateObjectFromFile<Item>(kFuzzItem)) {
        Carrier received;
        NetPacketInBuffer in(received, carrier.GetOutBuffer() + NetPacketHeader::kSize,
                             static_cast<int>(carrier.GetOutBufferSize() - NetPacketHeader::kSize));
        copy->ReadReplicationData(in);
        copy->ApplyReplicationData();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WithFuzzItem(data, size, [](Item& item) {
        item.InitializeItem();
        if (auto* potion = DynamicCast<OneShot_Potion>(&item)) {
            potion->AddToStack(0xFFFFFFFFu);
            potion->RemoveFromStack(3);
        }
        RoundTrip(item);
    });
    return 0;
}
