#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace GAME::Test {

// A bad network between UDP clients and one server on loopback. It listens on a port of its
// own; each client address it hears from gets a socket of its own towards the server, so the
// server sees one peer per client. Every datagram, either way, may be lost, is held for a delay
// drawn uniformly from the range (so datagrams overtake each other) and may be sent twice. The
// draws come from the seed. Each way may also be a bottleneck: a link of a rate in front of a
// queue of so many bytes, where a datagram that would overflow the queue is dropped; the delay
// runs from when the link has carried it. It runs on a thread of its own from construction until
// `Stop` or destruction.
class UdpRelay {
public:
    struct Options {
        uint16_t targetPort = 0; // the server's, on 127.0.0.1
        uint16_t listenPort = 0; // 0 takes one the system picks
        uint32_t minDelayMs = 0;
        uint32_t maxDelayMs = 0;
        uint32_t lossPercent = 0;
        uint32_t duplicatePercent = 0;
        uint32_t seed = 1;
        // Each way; 0 carries at once.
        uint32_t rateBytesPerSecond = 0;
        // Each way, what waits for the link and what it is carrying; 0 bounds nothing.
        uint32_t queueBytes = 0;
    };
    struct Counts {
        uint64_t forwarded = 0;
        uint64_t lost = 0;
        uint64_t duplicated = 0;
        uint64_t clients = 0;
        uint64_t queueDropped = 0;
        // What the server was sent, in bytes.
        uint64_t bytesToServer = 0;
    };
    // Clients past this many are not carried.
    static constexpr int kMaxClients = 1024;

    explicit UdpRelay(const Options& options);
    ~UdpRelay();
    UdpRelay(const UdpRelay&) = delete;
    UdpRelay& operator=(const UdpRelay&) = delete;

    // False when the port could not be bound; nothing runs then.
    bool IsRunning() const { return worker.joinable(); }
    uint16_t GetPort() const { return port; }
    // While cut, everything either way is lost, as if every client had vanished, what was held
    // for its delay too; or only what goes one way.
    void SetCut(bool value) { SetCut(value, value); }
    void SetCut(bool toServer, bool toClients)
    {
        cutToServer = toServer;
        cutToClients = toClients;
    }
    Counts GetCounts() const;
    void Stop();

private:
    struct State;
    void Run();

    Options options;
    int listenSocket = -1;
    uint16_t port = 0;
    std::atomic<bool> stopping{false};
    std::atomic<bool> cutToServer{false};
    std::atomic<bool> cutToClients{false};
    std::atomic<uint64_t> forwarded{0};
    std::atomic<uint64_t> lost{0};
    std::atomic<uint64_t> duplicated{0};
    std::atomic<uint64_t> clients{0};
    std::atomic<uint64_t> queueDropped{0};
    std::atomic<uint64_t> bytesToServer{0};
    std::thread worker;
};

} // namespace GAME::Test
