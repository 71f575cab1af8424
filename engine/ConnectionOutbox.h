#pragma once

#include <enet/enet.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace GAME {

// What waits for one peer's link beyond what ENet holds for it, in order. ENet walks the whole
// of a peer's unsent queue at every send while the peer's window is full, so that a slow or lossy
// peer's backlog would cost its server each frame in proportion to its length: ENet is handed
// only as much as kLinkCommands, the rest waits here, where a later state replaces an earlier
// one instead of joining it. A message kept here holds a reference to its packet, which every
// peer it goes to shares.
class ConnectionOutbox {
public:
    static constexpr size_t kLinkCommands = 512;

    ~ConnectionOutbox() { Clear(); }
    size_t Bytes() const { return bytes; }
    // Queues the packet for the peer; true when it replaced a state still waiting.
    bool Post(ENetPacket* packet, uint32_t type, bool state)
    {
        ++packet->referenceCount;
        bytes += packet->dataLength;
        bool replaced = false;
        if (state) {
            auto [at, fresh] = states.try_emplace(type, first + letters.size());
            replaced = !fresh && at->second >= first && letters[at->second - first] != nullptr;
            if (replaced)
                Drop(letters[at->second - first]);
            at->second = first + letters.size();
        }
        letters.push_back(packet);
        return replaced;
    }
    // Hands the peer the oldest while its link holds fewer than kLinkCommands unsent (all of
    // them when `all`); how many it took.
    size_t Hand(ENetPeer& peer, bool all = false)
    {
        size_t handed = 0;
        while (!letters.empty() && (all || holds < kLinkCommands)) {
            ENetPacket* packet = letters.front();
            letters.pop_front();
            ++first;
            if (packet == nullptr)
                continue;
            holds += Commands(peer, *packet);
            handed += enet_peer_send(&peer, 0, packet) == 0 ? 1 : 0;
            Drop(packet);
        }
        return handed;
    }
    // What the peer's link holds unsent, counted afresh (up to kLinkCommands): ENet sends
    // between two counts, so what is counted in between only grows.
    void Recount(ENetPeer& peer)
    {
        holds = 0;
        for (ENetListIterator at = enet_list_begin(&peer.outgoingCommands);
             at != enet_list_end(&peer.outgoingCommands) && holds < kLinkCommands;
             at = enet_list_next(at))
            ++holds;
    }
    void Clear()
    {
        for (ENetPacket*& packet : letters)
            if (packet != nullptr)
                Drop(packet);
        letters.clear();
        states.clear();
        holds = 0;
    }

private:
    // The commands a packet takes: its fragments.
    static size_t Commands(const ENetPeer& peer, const ENetPacket& packet)
    {
        const size_t fragment = peer.mtu > 64 ? peer.mtu - 64 : 1;
        return packet.dataLength / fragment + 1;
    }
    void Drop(ENetPacket*& packet)
    {
        bytes -= packet->dataLength;
        if (--packet->referenceCount == 0)
            enet_packet_destroy(packet);
        packet = nullptr;
    }

    std::deque<ENetPacket*> letters;
    // Where each state type's latest stands, counted from the first letter ever posted.
    std::unordered_map<uint32_t, uint64_t> states;
    uint64_t first = 0;
    size_t bytes = 0;
    size_t holds = 0;
};

} // namespace GAME
