// One clock, one patience. Every deadline of a network session is judged on the time the machine
// that judges it has run, never on the wall: a machine stopped or starved has seen nothing of its
// peers meanwhile, and what they sent is still waiting in its socket. So a deadline is judged
// after the machine has read what arrived, and a stop counts as one frame. A stop is told from a
// long frame by the processor time the thread had: a frame of its own work, however long, is
// time run. A peer is let go for silence, never for being slow, and silence has one bound
// everywhere, the link's kSilenceMs (15 s): at the door, in play and after the end, on either
// side.
//
// The bounds, each on the running time of the machine that keeps it:
// - The link: a peer of which not one datagram was heard for 15 s is lost, whatever it carried
//   (a peer whose own messages are cut but who still answers is heard). ENet's own timeout, for
//   a message unacknowledged, lies 5 s past it, and what ENet timed while this machine did not
//   run is forgiven, so that it never judges first. A client judges its server on the wall,
//   before it reads, so that one stopped longer than the bound (its server let it go meanwhile)
//   knows at once that it was let go.
// - The door (the server, engine/ConnectionAdmission.cpp): a handshake still heard from may take
//   up to kHandshakeMs (60 s) from its first datagram until its client has acknowledged its
//   welcome, and a welcomed client still heard from up to kJoinMs (120 s) to bring its player,
//   time to load and take in a world at the reader's limit; a refused peer's slot waits the
//   handshake's time for its goodbye to be answered. A welcomed client that has said nothing for
//   kIdlePlaceMs (5 s) gives its place to a client that comes while the server is full and still
//   gathering, so that peers without a player never keep a player out; a client says at once
//   on its welcome that it is on its way, so a load, however long, keeps its place.
// - A client's door: it waits kConnectMs (60 s) for its welcome, starting its handshake again
//   whenever an attempt fails (no answer, or let go on the way), and tries again kRetryMs (1 s)
//   after a refusal as full; refused as under way, or by any other word, it ends. Welcomed, it
//   waits for the whole world at most kWorldMs (120 s), and no longer than 15 s without a word
//   of it.
// - The server's play: it waits kWaitForClientsMs (30 s) for its expected clients, and longer
//   while a client welcomed is still joining within the door's bounds, up to kWaitForClientsMs
//   and kJoinMs together (host/NetworkPlay.h); a client answers its server while it loads the
//   level after its welcome (World::SetLoadTending). A session that runs past its cap of game
//   time (host/NetworkPlay.h) is cut off, before its end only.
// - The end: the server waits for every client still within the link's bound, until each has
//   left or fallen silent for 15 s, and at most kEndWaitMs (the join's 120 s), so that a client
//   a slow lossy link has left far behind the server's news still hears the end; a client that
//   comes back within it hears the end. Then it says goodbye, waiting for the answers at most a
//   second of the wall, the one wait not on this clock: the machine has nothing left to read.
// - A flood: what a client sends in kFloodWindowMs (one second) of the server's reading. What
//   waited while the server did not run (a stop, not a long frame of its own work) is the
//   client's for the time it waited: the window of a stop allows a second's worth more for each
//   second (begun) stopped, what it already counted still counted.
#include "engine/SessionClock.h"

#include <algorithm>
#include <ctime>

namespace GAME {

std::chrono::nanoseconds SessionClock::ThreadWork()
{
    timespec now{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0)
        return {};
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

void SessionClock::Reset()
{
    ran = std::chrono::nanoseconds(0);
    started = false;
    lastStopMs = 0;
}

void SessionClock::Read(Wall::time_point now, std::chrono::nanoseconds workedNow)
{
    lastStopMs = 0;
    const auto work = std::max(workedNow - worked, std::chrono::nanoseconds(0));
    worked = workedNow;
    if (!started) {
        started = true;
        last = now;
        return;
    }
    const std::chrono::nanoseconds passed = now > last ? now - last : Wall::duration(0);
    last = now;
    if (passed <= std::chrono::milliseconds(kMaxLagMs)) {
        ran += passed;
        return;
    }
    const auto counted = std::min(
        std::max<std::chrono::nanoseconds>(work, std::chrono::milliseconds(paceMs)), passed);
    if (passed - counted <= std::chrono::milliseconds(kMaxLagMs)) {
        ran += passed;
        return;
    }
    ran += counted;
    lastStopMs =
        uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(passed - counted).count());
}

} // namespace GAME
