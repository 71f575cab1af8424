#pragma once

#include "engine/SessionClock.h"

#include <cstdint>
#include <string>

namespace GAME {

class NetworkSession;

// What a client keeps its server to, judged after every frame: the whole world within kWorldMs
// of its play's start, never silent for kWorldSilenceMs on the way, no more of its spawns than a
// level may make, no more than kMaxMemoryMb of this machine, and no end before the world. A
// frame reads for at most kReadBudgetMs, so that however fast the server sends, all of this and
// a signal are judged at least every 100 ms (a frame's own work is a few ms beside it).
class ClientWatch {
public:
    static constexpr int kWorldMs = SessionClock::kWorldMs;
    static constexpr int kWorldSilenceMs = SessionClock::kSilenceMs;
    // A level at the limit takes about 560 MB of a Release build.
    static constexpr int64_t kMaxMemoryMb = 4096;
    static constexpr uint32_t kReadBudgetMs = 50;

    // Play began at `nowMs` of the session's clock.
    void Begin(int64_t nowMs);
    // Why the client leaves its server now, once said always the same; "" while it need not.
    // `heard` counts the messages the server sent.
    const std::string& Judge(const NetworkSession& session, uint64_t heard, int64_t nowMs);
    // The server ended the session before this machine had its whole world.
    void EndedEarly();
    const std::string& GetFault() const { return fault; }

private:
    void Fault(std::string why);

    std::string fault;
    int64_t startMs = 0;
    int64_t heardMs = 0;
    uint64_t messagesHeard = 0;
};

} // namespace GAME
