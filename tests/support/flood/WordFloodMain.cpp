// word_flood: a client's word flooded at its server, for sessions run by hand.
//   word_flood --target PORT --kind spawn|moveto|walk --rate N [--port PORT] [--after MS]
// Rides in front of one real client (start the client with --connect at the port it prints):
// every message goes through both ways as it came, so the client's handshake, world and player
// are genuine. From MS ms (2000 by default) after the client sent its hero, it adds N messages a
// second of its own on the client's link: spawn-players (30) of the hero's record under fresh ids
// of the client's host, or moves (65) or walks (66) of the hero from region 99 to where he was
// made. Prints "relay on 127.0.0.1:PORT", carries on until SIGINT or SIGTERM or either side
// goes, then prints how many it added.
#include "engine/ConnectionManager.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"

#include <enet/enet.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {
volatile std::sig_atomic_t stopped = 0;

void OnSignal(int)
{
    stopped = 1;
}

struct Options {
    uint16_t target = 0;
    uint16_t port = 0;
    std::string kind;
    uint32_t rate = 0;
    uint32_t afterMs = 2000;
};

bool Parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        char* end = nullptr;
        const unsigned long value = std::strtoul(argv[i + 1], &end, 10);
        const bool number = end != argv[i + 1] && *end == '\0';
        if (name == "--kind")
            options.kind = argv[i + 1];
        else if (!number || value > 0xffffffffUL)
            return false;
        else if (name == "--target" && value <= 0xffff)
            options.target = uint16_t(value);
        else if (name == "--port" && value <= 0xffff)
            options.port = uint16_t(value);
        else if (name == "--rate")
            options.rate = uint32_t(value);
        else if (name == "--after")
            options.afterMs = uint32_t(value);
        else
            return false;
    }
    return argc % 2 == 1 && options.target != 0 && options.rate != 0 &&
           (options.kind == "spawn" || options.kind == "moveto" || options.kind == "walk");
}

std::vector<uint8_t> Encode(GAME::NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    return std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size);
}

// The hero's spawn under another id: the id is the first place its four bytes stand.
std::vector<uint8_t> WithId(std::vector<uint8_t> bytes, uint32_t from, uint32_t to)
{
    uint8_t was[4];
    uint8_t now[4];
    for (int i = 0; i < 4; ++i) {
        was[i] = uint8_t(from >> (8 * i));
        now[i] = uint8_t(to >> (8 * i));
    }
    const auto at = std::search(bytes.begin(), bytes.end(), was, was + 4);
    if (at != bytes.end())
        std::copy(now, now + 4, at);
    return bytes;
}

template <class Move> std::vector<uint8_t> MoveFrom99(uint32_t hero, const GAME::WorldCoords& at)
{
    Move move;
    move.ownerId = GAME::SmartObjectId(hero);
    move.startLocation = GAME::WorldVec3(99, GAME::Vec3(1, 0, 1));
    move.worldLocation = at.GetPosition();
    return Encode(move);
}

void Send(ENetPeer* peer, const uint8_t* data, size_t length)
{
    ENetPacket* packet =
        peer != nullptr ? enet_packet_create(data, length, ENET_PACKET_FLAG_RELIABLE) : nullptr;
    if (packet != nullptr && enet_peer_send(peer, 0, packet) != 0)
        enet_packet_destroy(packet);
}

struct Flood {
    Options options;
    std::vector<uint8_t> spawn;
    uint32_t hero = 0;
    GAME::WorldCoords at;
    std::chrono::steady_clock::time_point from;
    uint64_t added = 0;

    // What the client sends: its hero's spawn starts the clock.
    void Heard(const uint8_t* data, size_t length)
    {
        if (hero != 0 || length < 4 || data[0] != GAME::SpawnPlayerPacket::kType || data[1] != 0 ||
            data[2] != 0 || data[3] != 0)
            return;
        const char* why = nullptr;
        std::unique_ptr<GAME::NetPacket> packet =
            GAME::ConnectionManager::DecodePacket(data, length, why);
        const auto* spawned = dynamic_cast<const GAME::SpawnPlayerPacket*>(packet.get());
        if (spawned == nullptr)
            return;
        hero = spawned->objectId.GetId();
        at = spawned->coords;
        spawn.assign(data, data + length);
        from = std::chrono::steady_clock::now() + std::chrono::milliseconds(options.afterMs);
        std::printf("hero %u heard\n", hero);
        std::fflush(stdout);
    }

    void Add(ENetPeer* server)
    {
        const auto now = std::chrono::steady_clock::now();
        if (hero == 0 || server == nullptr || now < from)
            return;
        const auto ran = std::chrono::duration_cast<std::chrono::microseconds>(now - from).count();
        for (; added < uint64_t(ran) * options.rate / 1000000 + 1; ++added) {
            std::vector<uint8_t> bytes;
            if (options.kind == "spawn")
                bytes = WithId(spawn, hero, (hero & 0xF0000000u) | (0x800000u + uint32_t(added)));
            else if (options.kind == "moveto")
                bytes = MoveFrom99<GAME::MoveToPacket>(hero, at);
            else
                bytes = MoveFrom99<GAME::WalkPacket>(hero, at);
            Send(server, bytes.data(), bytes.size());
        }
    }
};
} // namespace

int main(int argc, char** argv)
{
    Flood flood;
    if (!Parse(argc, argv, flood.options)) {
        std::fprintf(stderr, "usage: word_flood --target PORT --kind spawn|moveto|walk --rate N "
                             "[--port PORT] [--after MS]\n");
        return 2;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    if (enet_initialize() != 0)
        return 1;
    ENetAddress address{};
    enet_address_set_host(&address, "127.0.0.1");
    address.port = flood.options.port;
    ENetHost* front = enet_host_create(&address, 1, 1, 0, 0);
    ENetHost* back = enet_host_create(nullptr, 1, 1, 0, 0);
    if (front == nullptr || back == nullptr) {
        std::fprintf(stderr, "word_flood: no socket\n");
        return 1;
    }
    std::printf("relay on 127.0.0.1:%u\n", unsigned(front->address.port));
    std::fflush(stdout);
    ENetPeer* client = nullptr;
    ENetPeer* server = nullptr;
    bool linked = false;
    // What the client said before the server's link was up.
    std::vector<std::vector<uint8_t>> waiting;
    bool gone = false;
    while (!stopped && !gone) {
        ENetEvent event;
        while (!gone && enet_host_service(front, &event, 0) > 0) {
            if (event.type == ENET_EVENT_TYPE_CONNECT && client == nullptr) {
                client = event.peer;
                ENetAddress to{};
                enet_address_set_host(&to, "127.0.0.1");
                to.port = flood.options.target;
                server = enet_host_connect(back, &to, 1, event.data);
            } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                flood.Heard(event.packet->data, event.packet->dataLength);
                if (linked)
                    Send(server, event.packet->data, event.packet->dataLength);
                else
                    waiting.emplace_back(event.packet->data,
                                         event.packet->data + event.packet->dataLength);
                enet_packet_destroy(event.packet);
            } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                if (server != nullptr)
                    enet_peer_disconnect_later(server, event.data);
                gone = true;
            }
        }
        while (!gone && enet_host_service(back, &event, 0) > 0) {
            if (event.type == ENET_EVENT_TYPE_CONNECT) {
                linked = true;
                for (const std::vector<uint8_t>& bytes : waiting)
                    Send(server, bytes.data(), bytes.size());
                waiting.clear();
            } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                Send(client, event.packet->data, event.packet->dataLength);
                enet_packet_destroy(event.packet);
            } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                if (client != nullptr)
                    enet_peer_disconnect_later(client, event.data);
                gone = true;
            }
        }
        if (linked)
            flood.Add(server);
        enet_host_flush(front);
        enet_host_flush(back);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // What was said last goes out before the sockets close.
    for (int i = 0; i < 50; ++i) {
        ENetEvent event;
        enet_host_service(front, &event, 1);
        enet_host_service(back, &event, 1);
    }
    std::printf("added %llu %s messages\n", static_cast<unsigned long long>(flood.added),
                flood.options.kind.c_str());
    enet_host_destroy(front);
    enet_host_destroy(back);
    enet_deinitialize();
    return 0;
}
