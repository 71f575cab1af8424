#include "tests/support/UdpRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <queue>
#include <random>
#include <vector>

namespace GAME::Test {

namespace {
using Clock = std::chrono::steady_clock;

// How long the thread sleeps at most, so that Stop is heard soon.
constexpr int kPollMs = 5;
constexpr size_t kMaxDatagram = 65536;

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int OpenSocket(uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -1;
    const sockaddr_in address = Loopback(port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::fcntl(fd, F_SETFL, O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

uint64_t KeyOf(const sockaddr_in& address)
{
    return (uint64_t(address.sin_addr.s_addr) << 16) | address.sin_port;
}

struct Datagram {
    Clock::time_point due;
    uint64_t order = 0;
    int fd = -1;
    sockaddr_in to{};
    std::vector<uint8_t> bytes;

    // The queue's top is the earliest; among equals, the first scheduled.
    bool operator<(const Datagram& other) const
    {
        return due != other.due ? due > other.due : order > other.order;
    }
};

struct Client {
    sockaddr_in address{};
    int fd = -1;
};

// One way's bottleneck: when the link is free again, and when each datagram in its queue will
// have left it, in order.
struct Bottleneck {
    Clock::time_point free{};
    std::deque<std::pair<Clock::time_point, size_t>> queued;
    size_t bytes = 0;
};
} // namespace

struct UdpRelay::State {
    explicit State(UdpRelay& relay)
        : relay(relay), random(relay.options.seed), target(Loopback(relay.options.targetPort))
    {}
    ~State()
    {
        for (auto& [key, client] : clients)
            ::close(client.fd);
    }

    uint32_t Roll(uint32_t low, uint32_t high)
    {
        return std::uniform_int_distribution<uint32_t>(low, std::max(low, high))(random);
    }

    // What goes through the listening socket goes to a client.
    bool IsCut(int fd) const
    {
        return fd == relay.listenSocket ? relay.cutToClients : relay.cutToServer;
    }

    void Schedule(int fd, const sockaddr_in& to, const uint8_t* bytes, size_t count)
    {
        if (IsCut(fd) || Roll(0, 99) < relay.options.lossPercent) {
            ++relay.lost;
            return;
        }
        const int copies = Roll(0, 99) < relay.options.duplicatePercent ? 2 : 1;
        relay.duplicated += uint64_t(copies - 1);
        for (int copy = 0; copy < copies; ++copy) {
            Clock::time_point sent = Clock::now();
            if (!Carry(fd == relay.listenSocket ? down : up, count, sent)) {
                ++relay.queueDropped;
                continue;
            }
            const auto delay =
                std::chrono::milliseconds(Roll(relay.options.minDelayMs, relay.options.maxDelayMs));
            queue.push({sent + delay, ++order, fd, to, std::vector<uint8_t>(bytes, bytes + count)});
        }
    }

    // Queues `count` bytes on the way's link; false when its queue has no room. `at` becomes
    // when the link has carried them.
    bool Carry(Bottleneck& way, size_t count, Clock::time_point& at)
    {
        const uint32_t rate = relay.options.rateBytesPerSecond;
        if (rate == 0)
            return true;
        while (!way.queued.empty() && way.queued.front().first <= at) {
            way.bytes -= way.queued.front().second;
            way.queued.pop_front();
        }
        if (relay.options.queueBytes != 0 && way.bytes + count > relay.options.queueBytes)
            return false;
        way.free =
            std::max(way.free, at) + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(double(count) / rate));
        way.queued.emplace_back(way.free, count);
        way.bytes += count;
        at = way.free;
        return true;
    }

    Client* ClientOf(const sockaddr_in& from)
    {
        const auto found = clients.find(KeyOf(from));
        if (found != clients.end())
            return &found->second;
        if (clients.size() >= size_t(kMaxClients))
            return nullptr;
        const int fd = OpenSocket(0);
        if (fd < 0)
            return nullptr;
        ++relay.clients;
        return &(clients[KeyOf(from)] = Client{from, fd});
    }

    // From the clients, each towards the server through its own socket.
    void ReadClients()
    {
        for (;;) {
            sockaddr_in from{};
            socklen_t length = sizeof from;
            const ssize_t count = ::recvfrom(relay.listenSocket, buffer.data(), buffer.size(), 0,
                                             reinterpret_cast<sockaddr*>(&from), &length);
            if (count < 0)
                return;
            if (Client* client = ClientOf(from))
                Schedule(client->fd, target, buffer.data(), size_t(count));
        }
    }

    // From the server, back to the client whose socket heard it.
    void ReadServer(const Client& client)
    {
        for (;;) {
            const ssize_t count = ::recv(client.fd, buffer.data(), buffer.size(), 0);
            if (count < 0)
                return;
            Schedule(relay.listenSocket, client.address, buffer.data(), size_t(count));
        }
    }

    void SendDue()
    {
        const Clock::time_point now = Clock::now();
        while (!queue.empty() && queue.top().due <= now) {
            const Datagram& datagram = queue.top();
            // A cut loses what was still on its way too.
            if (IsCut(datagram.fd))
                ++relay.lost;
            else if (::sendto(datagram.fd, datagram.bytes.data(), datagram.bytes.size(), 0,
                              reinterpret_cast<const sockaddr*>(&datagram.to),
                              sizeof datagram.to) >= 0) {
                ++relay.forwarded;
                if (datagram.fd != relay.listenSocket)
                    relay.bytesToServer += datagram.bytes.size();
            }
            queue.pop();
        }
    }

    int WaitMs() const
    {
        if (queue.empty())
            return kPollMs;
        const auto until =
            std::chrono::duration_cast<std::chrono::milliseconds>(queue.top().due - Clock::now());
        return int(std::clamp<int64_t>(until.count(), 0, kPollMs));
    }

    UdpRelay& relay;
    std::mt19937 random;
    sockaddr_in target;
    std::map<uint64_t, Client> clients;
    std::priority_queue<Datagram> queue;
    uint64_t order = 0;
    // Towards the server, and towards the clients.
    Bottleneck up;
    Bottleneck down;
    std::vector<uint8_t> buffer = std::vector<uint8_t>(kMaxDatagram);
};

UdpRelay::UdpRelay(const Options& options) : options(options)
{
    listenSocket = OpenSocket(options.listenPort);
    if (listenSocket < 0)
        return;
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    ::getsockname(listenSocket, reinterpret_cast<sockaddr*>(&bound), &length);
    port = ntohs(bound.sin_port);
    worker = std::thread([this] { Run(); });
}

UdpRelay::~UdpRelay()
{
    Stop();
}

void UdpRelay::Stop()
{
    stopping = true;
    if (worker.joinable())
        worker.join();
    if (listenSocket >= 0)
        ::close(listenSocket);
    listenSocket = -1;
}

UdpRelay::Counts UdpRelay::GetCounts() const
{
    return {forwarded, lost, duplicated, clients, queueDropped, bytesToServer};
}

void UdpRelay::Run()
{
    State state(*this);
    std::vector<pollfd> polled;
    std::vector<const Client*> owners;
    while (!stopping) {
        polled.assign(1, pollfd{listenSocket, POLLIN, 0});
        owners.assign(1, nullptr);
        for (const auto& [key, client] : state.clients) {
            polled.push_back({client.fd, POLLIN, 0});
            owners.push_back(&client);
        }
        if (::poll(polled.data(), polled.size(), state.WaitMs()) > 0) {
            // Read the servers' sockets before a new client may be added to the map.
            for (size_t i = 1; i < polled.size(); ++i)
                if ((polled[i].revents & POLLIN) != 0)
                    state.ReadServer(*owners[i]);
            if ((polled[0].revents & POLLIN) != 0)
                state.ReadClients();
        }
        state.SendDue();
    }
}

} // namespace GAME::Test
