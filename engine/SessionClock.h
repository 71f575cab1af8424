#pragma once

#include <chrono>
#include <cstdint>

namespace GAME {

// The time a machine of a network session has run, and every bound its door, its play and its
// end keep (SessionClock.cpp says why each is what it is). Read once a service: what passed since
// the last reading counts, to the nanosecond. A gap in which this thread did not run (it neither
// worked nor kept its frame's pace) for longer than kMaxLagMs is a stop (the machine suspended or
// starved): only the work in it, at least one frame's pace, counts.
class SessionClock {
public:
    using Wall = std::chrono::steady_clock;

    // The link's: a peer heard from within it is there, whatever it is doing.
    static constexpr uint32_t kSilenceMs = 15000;
    // Time not run between two readings longer than this is a stop.
    static constexpr uint32_t kMaxLagMs = 250;
    // The door's: a handshake still heard from, from its first datagram to its welcome heard; a
    // welcomed client still heard from, from its welcome to its player.
    static constexpr uint32_t kHandshakeMs = 60000;
    static constexpr uint32_t kJoinMs = 120000;
    // A welcomed client that has sent nothing this long gives its place to a client that comes
    // while the server is full and gathering.
    static constexpr uint32_t kIdlePlaceMs = 5000;
    // A client's: its wait for a welcome, trying again within it, and a refusal as full tried
    // again after kRetryMs; its wait for the world once welcomed.
    static constexpr uint32_t kConnectMs = 60000;
    static constexpr uint32_t kRetryMs = 1000;
    static constexpr uint32_t kWorldMs = kJoinMs;
    // The server's: its wait for the expected clients, and after its end for those still heard
    // from, however far behind its news a slow lossy link leaves them.
    static constexpr uint32_t kWaitForClientsMs = 30000;
    static constexpr uint32_t kEndWaitMs = kJoinMs;
    // A client's flood: what it may send in one second of the server's reading.
    static constexpr uint32_t kFloodWindowMs = 1000;

    // Starts again at 0, the next reading the first.
    void Reset();
    // What counts for a stop: one frame's pace.
    void SetPaceMs(uint32_t milliseconds) { paceMs = milliseconds; }
    void Read() { Read(Wall::now(), ThreadWork()); }
    // `worked`: this thread's processor time so far; a reading without it worked nothing since.
    void Read(Wall::time_point now) { Read(now, worked); }
    void Read(Wall::time_point now, std::chrono::nanoseconds workedNow);
    uint64_t Ms() const { return uint64_t(ran.count() / 1000000); }
    // The wall time the last reading did not count; 0 when it was no stop.
    uint64_t LastStopMs() const { return lastStopMs; }
    static std::chrono::nanoseconds ThreadWork();

private:
    std::chrono::nanoseconds ran{0};
    std::chrono::nanoseconds worked{0};
    Wall::time_point last{};
    bool started = false;
    uint32_t paceMs = 20;
    uint64_t lastStopMs = 0;
};

} // namespace GAME
