// What a client may make or take away on every machine. Each creation names the id the new
// object takes everywhere, so the id must be one the client's own allocator hands out (its host
// in the top four bits) and free here: an id of another machine would, sooner or later, mean
// another object there. What the new object belongs to must be the client's as well: an item
// goes to one of its own characters or to the ground, a portal opens in its own player's name,
// and only a portal of its own player closes. Beyond that a client may hold only so much at
// once (ClientHoldings), counted from what is in the world now, so that honest play never
// meets the bound and a flood of honest-looking creations costs the server a bounded amount.
#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "multiplayer/ClientHoldings.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/NetworkSession.h"

namespace GAME {

namespace {
constexpr const char* kNotItsOwn = "speaks for what is not its own";
constexpr const char* kIdInUse = "makes an object under an id in use";

// Why a new object may not take `id` for `host`; null when it may.
const char* NewIdRefusal(int host, uint32_t id)
{
    if (!ClientHoldings::Made(host, id))
        return kNotItsOwn;
    return ObjectManager::Instance().GetObject(id) != nullptr ? kIdInUse : nullptr;
}

const char* ItemRefusal(int host, const CreateItemPacket& packet)
{
    if (packet.characterId != 0 && !ClientHoldings::Made(host, packet.characterId))
        return kNotItsOwn;
    if (const char* why = NewIdRefusal(host, packet.item.id))
        return why;
    return ClientHoldings::Of(host).items < ClientHoldings::kMaxItems
               ? nullptr
               : "holds all the items it may";
}

const char* EntityRefusal(int host, const CreateEntityPacket& packet)
{
    if (const char* why = NewIdRefusal(host, packet.objectId))
        return why;
    return ClientHoldings::Of(host).entities < ClientHoldings::kMaxEntities
               ? nullptr
               : "holds all the entities it may";
}

const char* PortalRefusal(int host, const CreateItemTeleportPacket& packet)
{
    if (!ClientHoldings::Made(host, packet.ownerId) ||
        ObjectManager::Instance().GetObject<Player>(packet.ownerId) == nullptr)
        return kNotItsOwn;
    if (const char* why = NewIdRefusal(host, packet.objectId))
        return why;
    if (GameEngine::Get().GetTeleportInfo(packet.objectId) != nullptr)
        return kIdInUse;
    return ClientHoldings::Of(host).portals < ClientHoldings::kMaxPortals
               ? nullptr
               : "holds all the portals it may";
}

// The portal goes by its id or by its owner's (a player that dies closes his own); every
// portal the id matches must be of the client's own player.
const char* PortalCloseRefusal(int host, const DestroyItemTeleportPacket& packet)
{
    if (!ClientHoldings::Made(host, packet.objectId))
        return kNotItsOwn;
    for (const auto& info : GameEngine::Get().GetTeleportInfoList())
        if ((info.teleportId == packet.objectId || info.ownerId == packet.objectId) &&
            !ClientHoldings::Made(host, info.ownerId))
            return kNotItsOwn;
    return nullptr;
}
} // namespace

const char* NetworkSession::CreationRefusal(int fromHost, const NetPacket& packet)
{
    if (const auto* item = dynamic_cast<const CreateItemPacket*>(&packet))
        return ItemRefusal(fromHost, *item);
    if (const auto* entity = dynamic_cast<const CreateEntityPacket*>(&packet))
        return EntityRefusal(fromHost, *entity);
    if (const auto* portal = dynamic_cast<const CreateItemTeleportPacket*>(&packet))
        return PortalRefusal(fromHost, *portal);
    if (const auto* closing = dynamic_cast<const DestroyItemTeleportPacket*>(&packet))
        return PortalCloseRefusal(fromHost, *closing);
    return nullptr;
}

} // namespace GAME
