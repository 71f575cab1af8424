#pragma once

#include "engine/RefusalLog.h"
#include "engine/SessionClock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The server's door: who of the peers in its ENet slots gets a host index, who is refused, and
// who is let go for silence or for not finishing what it came for in time. It sees no socket:
// the transport tells it what happened to a slot, how long the slot has been silent and when (in
// milliseconds of the server's running time, engine/SessionClock.h), and does what each decision
// says. The words a goodbye carries, and their text, are read here too.
class ConnectionAdmission {
public:
    static constexpr int kMaxClients = 15;
    static constexpr size_t kSlots = 256;
    // The hello in a client's connect request: "HELO".
    static constexpr uint32_t kHello = 0x4F4C4548u;
    static constexpr uint32_t kHandshakeMs = SessionClock::kHandshakeMs;
    static constexpr uint32_t kJoinMs = SessionClock::kJoinMs;
    static constexpr uint32_t kSilenceMs = SessionClock::kSilenceMs;
    static constexpr uint32_t kIdlePlaceMs = SessionClock::kIdlePlaceMs;
    static constexpr uint32_t kCountLogMs = 1000;

    // Why a machine was let go, told to the client in the goodbye's data word: the low byte is
    // the reason, the two bytes above it its numbers (a full server's clients and limit, the join
    // deadline's seconds). NoAnswer is the client's own finding that its server fell silent.
    enum class Farewell : uint32_t {
        None,
        Goodbye,
        Dropped,
        Full,
        UnderWay,
        SessionEnded,
        NoAnswer,
        NoPlayer,
        TooSlow,
    };
    // A farewell as a client keeps it.
    struct Parting {
        Farewell why = Farewell::None;
        uint32_t first = 0;
        uint32_t second = 0;
    };
    static uint32_t Word(Farewell why, uint32_t first = 0, uint32_t second = 0);
    // A goodbye's word as its client reads it. A word of 0 names no reason, whether the peer
    // said it or ENet's own timeout did: `timedOut` (a link long silent) tells them apart. A
    // word whose numbers no server sends (a full count past its limit, a limit past 15, a join
    // deadline of 0 or past kJoinMs) or that only a client says (no answer) is a plain goodbye.
    static Parting Read(uint32_t word, bool timedOut, uint32_t silentSeconds);
    // In one short line; "" for None.
    static std::string Text(const Parting& parting);

    enum class Act : uint8_t {
        Keep,
        Admit,  // `host` is the peer's; tell the listener it joined
        Refuse, // tell the peer `word` (0: let it go at once); it holds no index
        Forget, // let the slot go quietly: a handshake unfinished, or a goodbye never answered
        Lose,   // `host`, silent or never having heard its welcome, is let go quietly and lost
        LetGo,  // `host`, welcomed but with no player, is told `word` and has left
    };
    struct Decision {
        Act act = Act::Keep;
        int host = 0;
        uint32_t word = 0;
        // An admission's: the host, in its slot, that gave its place (told `word`, and left)
        // before the admitted one took one; 0 for none.
        int gave = 0;
        size_t gaveSlot = 0;
    };
    struct Counts {
        uint64_t noHello = 0;
        uint64_t full = 0;
        uint64_t underWay = 0;
        // Let go without finishing the handshake: ENet's, or the welcome never acknowledged.
        uint64_t unfinished = 0;
        // Welcomed and let go without a player: at the join deadline, or giving its place.
        uint64_t noPlayer = 0;
        // Every peer turned away before it was a client; the welcomed with no player apart.
        uint64_t Refused() const { return noHello + full + underWay + unfinished; }
    };

    ConnectionAdmission();

    // Every slot free and the counts at 0; the limit, the deadlines and `under way` stay.
    void Reset();
    // How many clients may hold a host index at once (1 to 15).
    void SetClientLimit(int clients);
    int GetClientLimit() const { return clientLimit; }
    // Once under way, a client that comes is refused at the door.
    void SetUnderWay(bool value) { underWay = value; }
    void SetDeadlines(uint32_t handshakeMs, uint32_t joinMs);
    // The silence any slot is allowed: the link's.
    void SetSilence(uint32_t milliseconds) { silenceMs = milliseconds; }

    // ENet finished the handshake of the peer in `slot`, whose connect request said `word`.
    Decision Connected(size_t slot, uint32_t word, uint64_t nowMs);
    // Once after each service, what arrived read, for every slot: whether ENet holds it, how long
    // it has been silent and, for a client's, whether the client has acknowledged its welcome.
    Decision Tend(size_t slot, bool held, bool welcomeHeard, uint32_t silentMs, uint64_t nowMs);
    // After the slots are tended: the oldest of the peers held without an index, let go so that
    // a few slots stay free for whoever comes next.
    std::vector<size_t> Crowd();
    // ENet let the slot of a peer without an index go (its goodbye answered).
    void Freed(size_t slot);
    // The host's client brought its player: its place is its own until its link ends.
    void Playing(int host);
    // The host's client sent a message: its place is no longer idle.
    void Spoke(int host);
    bool HasPlayed(int host) const;
    // Whether a client holds an index without having brought its player yet (welcomed, or still
    // acknowledging its welcome): it is on its way, within the door's deadlines.
    bool IsAnyJoining() const;
    // The host's link ended (left, lost, dropped); its slot may still take a goodbye.
    void Gone(int host, uint64_t nowMs);

    int HostOf(size_t slot) const;
    // The slot of the host's client; kSlots when none.
    size_t SlotOf(int host) const;
    // Bit n for each host n that holds an index.
    uint32_t HostMask() const { return hostMask; }
    const Counts& GetCounts() const { return counts; }
    // "<n> peers refused (<how many of each kind>), <m> in all" for those not yet told, at most
    // once in kCountLogMs unless `always`; "" when none is due.
    std::string TakeCountLine(uint64_t nowMs, bool always);

private:
    enum class Phase : uint8_t { Free, Stranger, Refused, Welcoming, Joining, Playing };
    struct Place {
        Phase phase = Phase::Free;
        uint8_t host = 0;
        // Since when the slot is held (a handshake's start, or a goodbye's), and since when its
        // host was welcomed.
        uint64_t since = 0;
        uint64_t welcomed = 0;
        bool spoke = false;

        // Welcomed, and not yet with its player.
        bool IsJoining() const
        {
            return host != 0 && (phase == Phase::Welcoming || phase == Phase::Joining);
        }
    };

    Decision Admit(size_t slot, uint64_t start, uint64_t nowMs);
    // The slot of the longest welcomed client idle for kIdlePlaceMs; kSlots when none.
    size_t IdlePlace(uint64_t nowMs) const;
    // Frees the place's index, if it holds one; the slot stays held, awaiting its goodbye.
    void Release(Place& place, uint64_t nowMs);

    std::array<Place, kSlots> places{};
    std::array<size_t, kMaxClients + 1> slotOfHost{};
    uint32_t hostMask = 0;
    int clientLimit = kMaxClients;
    bool underWay = false;
    uint32_t handshakeMs = kHandshakeMs;
    uint32_t joinMs = kJoinMs;
    uint32_t silenceMs = kSilenceMs;
    Counts counts;
    Counts logged;
    RefusalLog told{kCountLogMs};
};

} // namespace GAME
