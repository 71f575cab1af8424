// word_flood: a client's word flooded at its server, for sessions run by hand.
//   word_flood --target PORT --kind spawn|moveto|walk --rate N [--port PORT] [--after MS]
// Rides in front of one real client (start the client with --connect at the port it prints):
// every datagram goes through both ways as it came, so the client's handshake, world and player
// are genuine. From MS ms (2000 by default) after the client sent its hero, it adds N messages a
// second of its own on the client's link, each an unsequenced datagram of the link's protocol
// under the client's peer and session: spawn-players (30) of the hero's record under fresh ids of
// the client's host, or moves (65) or walks (66) of the hero from region 99 to where he was made.
// Prints "relay on 127.0.0.1:PORT", carries on until SIGINT or SIGTERM, then prints how many it
// added.
#include "engine/ConnectionManager.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
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

// The link's datagrams (ENet 1.3's protocol): a peer word, the sent time when its top bit says
// so, then commands, each of a fixed size by its number and some followed by a message.
constexpr uint16_t kSentTime = 0x8000;
constexpr uint16_t kCompressed = 0x4000;
constexpr uint16_t kNoPeer = 0x0FFF;
constexpr size_t kCommandBytes[] = {0, 8, 48, 44, 8, 4, 6, 8, 24, 8, 12, 16, 24};
constexpr uint8_t kSendReliable = 6;
constexpr uint8_t kSendUnreliable = 7;
constexpr uint8_t kSendUnsequenced = 9;
constexpr uint8_t kUnsequencedFlag = 0x40;

uint16_t Word16(const uint8_t* at)
{
    return uint16_t((at[0] << 8) | at[1]);
}

struct Flood {
    Options options;
    std::vector<uint8_t> spawn;
    uint32_t hero = 0;
    GAME::WorldCoords at;
    std::chrono::steady_clock::time_point from;
    uint64_t added = 0;
    // The client's peer word as the server knows it, session bits included.
    uint16_t peer = kNoPeer;
    uint16_t group = 0;

    // A datagram the client sends: its peer word, and its hero's spawn, which starts the clock.
    void Heard(const uint8_t* data, size_t length)
    {
        if (length < 2)
            return;
        const uint16_t word = Word16(data);
        if ((word & kCompressed) != 0)
            return;
        if ((word & kNoPeer) != kNoPeer)
            peer = word & uint16_t(~(kSentTime | kCompressed));
        size_t at = (word & kSentTime) != 0 ? 4 : 2;
        while (at + 4 <= length) {
            const uint8_t command = data[at] & 0x0F;
            const size_t fixed = command < std::size(kCommandBytes) ? kCommandBytes[command] : 0;
            if (fixed == 0 || at + fixed > length)
                return;
            size_t carried = 0;
            if (command == kSendReliable)
                carried = Word16(data + at + 4);
            else if ((command >= kSendUnreliable && command <= kSendUnsequenced) || command == 12)
                carried = Word16(data + at + 6);
            if (at + fixed + carried > length)
                return;
            if (command == kSendReliable || command == kSendUnreliable ||
                command == kSendUnsequenced)
                Message(data + at + fixed, carried);
            at += fixed + carried;
        }
    }

    void Message(const uint8_t* data, size_t length)
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
        this->at = spawned->coords;
        spawn.assign(data, data + length);
        from = std::chrono::steady_clock::now() + std::chrono::milliseconds(options.afterMs);
        std::printf("hero %u heard\n", hero);
        std::fflush(stdout);
    }

    // One message in a datagram of its own, unsequenced, so that it takes no place in the
    // client's own sequence.
    std::vector<uint8_t> Datagram(const std::vector<uint8_t>& message)
    {
        ++group;
        std::vector<uint8_t> out = {uint8_t(peer >> 8),
                                    uint8_t(peer),
                                    uint8_t(kSendUnsequenced | kUnsequencedFlag),
                                    0,
                                    0,
                                    0,
                                    uint8_t(group >> 8),
                                    uint8_t(group),
                                    uint8_t(message.size() >> 8),
                                    uint8_t(message.size())};
        out.insert(out.end(), message.begin(), message.end());
        return out;
    }

    void Add(int server)
    {
        const auto now = std::chrono::steady_clock::now();
        if (hero == 0 || peer == kNoPeer || now < from)
            return;
        const auto ran = std::chrono::duration_cast<std::chrono::microseconds>(now - from).count();
        for (; added < uint64_t(ran) * options.rate / 1000000 + 1; ++added) {
            std::vector<uint8_t> bytes;
            if (options.kind == "spawn")
                bytes = WithId(spawn, hero, (hero & 0xF0000000u) | (0x800000u + uint32_t(added)));
            else if (options.kind == "moveto")
                bytes = MoveFrom99<GAME::MoveToPacket>(hero, this->at);
            else
                bytes = MoveFrom99<GAME::WalkPacket>(hero, this->at);
            const std::vector<uint8_t> datagram = Datagram(bytes);
            if (send(server, datagram.data(), datagram.size(), 0) < 0)
                return;
        }
    }
};

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}
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
    const int front = socket(AF_INET, SOCK_DGRAM, 0);
    const int back = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in here = Loopback(flood.options.port);
    const sockaddr_in there = Loopback(flood.options.target);
    socklen_t size = sizeof here;
    if (front < 0 || back < 0 ||
        bind(front, reinterpret_cast<sockaddr*>(&here), sizeof here) != 0 ||
        getsockname(front, reinterpret_cast<sockaddr*>(&here), &size) != 0 ||
        connect(back, reinterpret_cast<const sockaddr*>(&there), sizeof there) != 0) {
        std::fprintf(stderr, "word_flood: no socket\n");
        return 1;
    }
    std::printf("relay on 127.0.0.1:%u\n", unsigned(ntohs(here.sin_port)));
    std::fflush(stdout);
    sockaddr_in client{};
    bool heard = false;
    std::vector<uint8_t> buffer(65536);
    while (!stopped) {
        pollfd sockets[2] = {{front, POLLIN, 0}, {back, POLLIN, 0}};
        poll(sockets, 2, 1);
        if ((sockets[0].revents & POLLIN) != 0) {
            socklen_t length = sizeof client;
            const ssize_t got = recvfrom(front, buffer.data(), buffer.size(), 0,
                                         reinterpret_cast<sockaddr*>(&client), &length);
            if (got > 0) {
                heard = true;
                flood.Heard(buffer.data(), size_t(got));
                send(back, buffer.data(), size_t(got), 0);
            }
        }
        if ((sockets[1].revents & POLLIN) != 0) {
            const ssize_t got = recv(back, buffer.data(), buffer.size(), 0);
            if (got > 0 && heard)
                sendto(front, buffer.data(), size_t(got), 0,
                       reinterpret_cast<const sockaddr*>(&client), sizeof client);
        }
        flood.Add(back);
    }
    std::printf("added %llu %s messages\n", static_cast<unsigned long long>(flood.added),
                flood.options.kind.c_str());
    close(front);
    close(back);
    return 0;
}
