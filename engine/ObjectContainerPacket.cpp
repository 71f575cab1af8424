#include "engine/ObjectContainerPacket.h"

#include "engine/Entity.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"

namespace GAME {

namespace {
constexpr int kIdBytes = 4;
}

ObjectContainerPacket::~ObjectContainerPacket() = default;

uint32_t ObjectContainerPacket::PrepareOutBuffer()
{
    NetPacketOutBuffer out(*this);
    out.Add(objectId);
    if (Entity* entity = ObjectManager::Instance().GetObject<Entity>(objectId.GetId()))
        entity->WriteReplicationData(out);
    return out.Done();
}

void ObjectContainerPacket::CopyInbound(const uint8_t* data, int length)
{
    objectRecord.clear();
    const bool whole = data != nullptr && length >= kIdBytes;
    {
        NetPacketInBuffer in(*this, data, whole ? kIdBytes : length);
        in.Remove(objectId);
    }
    if (whole)
        objectRecord.assign(data + kIdBytes, data + length);
}

bool ObjectContainerPacket::ReadObjectRecord(Entity& entity)
{
    NetPacketInBuffer in(*this, objectRecord.data(), static_cast<int>(objectRecord.size()));
    entity.ReadReplicationData(in);
    return !in.HasFailed() && in.GetRemaining() == 0;
}

} // namespace GAME
