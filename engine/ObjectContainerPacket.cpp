#include "engine/ObjectContainerPacket.h"

#include "engine/Entity.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"

namespace GAME {

ObjectContainerPacket::~ObjectContainerPacket() = default;

uint32_t ObjectContainerPacket::PrepareOutBuffer()
{
    Entity* entity = ObjectManager::Instance().GetObject<Entity>(objectId.GetId());
    recordName = entity != nullptr ? entity->GetObjectName() : std::string();
    coords = entity != nullptr ? entity->GetCoords() : WorldCoords();
    NetPacketOutBuffer out(*this);
    out.AddFileName(recordName);
    out.Add(objectId);
    out.Add(coords);
    if (entity != nullptr)
        entity->WriteReplicationData(out);
    return out.Done();
}

void ObjectContainerPacket::CopyInbound(const uint8_t* data, int length)
{
    objectRecord.clear();
    int used = length;
    {
        NetPacketInBuffer in(*this, data, length);
        const bool read = in.Remove(recordName) && in.Remove(objectId) && in.Remove(coords);
        used = read ? length - in.GetRemaining() : length;
        // The record that follows is the entity's to read; the engine part alone must be whole.
        in.SkipRest();
    }
    if (used < length)
        objectRecord.assign(data + used, data + length);
}

bool ObjectContainerPacket::ReadObjectRecord(Entity& entity)
{
    NetPacketInBuffer in(*this, objectRecord.data(), static_cast<int>(objectRecord.size()));
    entity.ReadReplicationData(in);
    return !in.HasFailed() && in.GetRemaining() == 0;
}

} // namespace GAME
