// Who gets a host index. A client says hello in its connect request's data word. Once ENet has
// finished a peer's handshake, a peer without the hello is let go at once; once the session is
// under way a client is told so, and a client past the limit is told the server is full, with
// the count and the limit. None of them takes an index, so a stranger never shifts the indexes
// of the clients after it. Any other client takes the lowest free index and is welcomed.
//
// Places are for players. A client says at once that it has its welcome and is on its way, and
// keeps its place however long it then takes to load its world. While the session still gathers,
// a welcomed client that has said nothing for kIdlePlaceMs since its welcome (a peer that says
// the hello and no more, or one that reconnects to hold a place) gives its place to a client that
// comes: it is told the server is full and has left. A client refused as full tries again within
// its own wait, so a player kept out by such a peer comes in at most a few seconds later.
//
// The deadlines, on the server's running time and judged after what arrived is read (the bounds
// are engine/SessionClock.cpp's). Any slot silent for the link's bound is let go: quietly if it
// held no index, lost if it did. A handshake is finished only once the client has acknowledged
// its welcome, the first message its server sends it: one still heard from holds its slot (and
// its index) at most kHandshakeMs from when it was first seen. A welcomed client has kJoinMs from
// its welcome to bring its player (the game's session says when it has); one that brings none is
// told so and let go, its index free for the next. A client with its player keeps its place until
// its link ends. A refused or departed peer's slot waits the same kHandshakeMs, or the silence,
// for its goodbye to be answered. The ENet host keeps many more slots than clients, and when the
// free ones run short the oldest peers held without an index go first, so that a crowd of
// half-made handshakes never keeps a client out.
//
// The counts. Refusals and unfinished handshakes are counted by kind and logged as a count, at
// most a line a second; nothing is kept per peer beyond its slot, whatever the crowd.
#include "engine/ConnectionAdmission.h"

#include <algorithm>
#include <bit>
#include <tuple>

namespace GAME {

namespace {
// Slots kept free for whoever comes next.
constexpr size_t kSlotsKeptFree = ConnectionAdmission::kSlots / 8;

uint64_t MillisecondsSince(uint64_t since, uint64_t nowMs)
{
    return nowMs > since ? nowMs - since : 0;
}

constexpr uint32_t IndexBit(int host)
{
    return 1u << host;
}
} // namespace

uint32_t ConnectionAdmission::Word(Farewell why, uint32_t first, uint32_t second)
{
    return uint32_t(why) | (first & 0xffu) << 8 | (second & 0xffu) << 16;
}

ConnectionAdmission::Parting ConnectionAdmission::Read(uint32_t word, bool timedOut,
                                                       uint32_t silentSeconds)
{
    if (word == 0)
        return timedOut ? Parting{Farewell::NoAnswer, silentSeconds} : Parting{Farewell::Goodbye};
    const uint32_t why = word & 0xffu;
    const uint32_t first = (word >> 8) & 0xffu;
    const uint32_t second = (word >> 16) & 0xffu;
    if (why == 0 || why > uint32_t(Farewell::TooSlow) || why == uint32_t(Farewell::NoAnswer))
        return {Farewell::Goodbye};
    const auto said = Farewell(why);
    if (said == Farewell::Full)
        return second >= 1 && second <= uint32_t(kMaxClients) && first <= second
                   ? Parting{said, first, second}
                   : Parting{Farewell::Goodbye};
    if (said == Farewell::NoPlayer)
        return first >= 1 && first <= (kJoinMs + 999) / 1000 ? Parting{said, first}
                                                             : Parting{Farewell::Goodbye};
    return {said};
}

std::string ConnectionAdmission::Text(const Parting& parting)
{
    const std::string first = std::to_string(parting.first);
    switch (parting.why) {
    case Farewell::None:
        return "";
    case Farewell::Goodbye:
        return "the server said goodbye";
    case Farewell::Dropped:
        return "dropped by the server";
    case Farewell::Full:
        return "the server is full: " + first + " of " + std::to_string(parting.second) +
               " clients";
    case Farewell::UnderWay:
        return "the session is under way";
    case Farewell::SessionEnded:
        return "the session ended";
    case Farewell::NoAnswer:
        return "no answer for " + first + " s";
    case Farewell::NoPlayer:
        return "no player within " + first + " s";
    case Farewell::TooSlow:
        return "too slow: the server's messages piled up";
    }
    return "";
}

ConnectionAdmission::ConnectionAdmission()
{
    Reset();
}

void ConnectionAdmission::Reset()
{
    places.fill({});
    slotOfHost.fill(kSlots);
    hostMask = 0;
    counts = {};
    logged = {};
    told = RefusalLog(kCountLogMs);
}

void ConnectionAdmission::SetClientLimit(int clients)
{
    clientLimit = std::clamp(clients, 1, kMaxClients);
}

void ConnectionAdmission::SetDeadlines(uint32_t handshake, uint32_t join)
{
    handshakeMs = handshake;
    joinMs = join;
}

ConnectionAdmission::Decision ConnectionAdmission::Connected(size_t slot, uint32_t word,
                                                             uint64_t nowMs)
{
    if (slot >= kSlots)
        return {};
    Place& place = places[slot];
    // A refused peer's slot may be taken again before it is next tended; a client's is not
    // without a word of its going.
    if (place.host != 0)
        return {};
    // The handshake's deadline runs from its first datagram; a refusal's from now.
    const uint64_t start = place.phase == Phase::Stranger ? place.since : nowMs;
    place.phase = Phase::Refused;
    place.since = nowMs;
    if (word != kHello) {
        ++counts.noHello;
        return {Act::Refuse};
    }
    if (underWay) {
        ++counts.underWay;
        return {Act::Refuse, 0, Word(Farewell::UnderWay)};
    }
    const auto held = uint32_t(std::popcount(hostMask));
    const uint32_t full = Word(Farewell::Full, held, uint32_t(clientLimit));
    if (int(held) < clientLimit)
        return Admit(slot, start, nowMs);
    const size_t idle = IdlePlace(nowMs);
    if (idle == kSlots) {
        ++counts.full;
        return {Act::Refuse, 0, full};
    }
    const int gave = places[idle].host;
    ++counts.noPlayer;
    Release(places[idle], nowMs);
    Decision admitted = Admit(slot, start, nowMs);
    admitted.word = full;
    admitted.gave = gave;
    admitted.gaveSlot = idle;
    return admitted;
}

size_t ConnectionAdmission::IdlePlace(uint64_t nowMs) const
{
    size_t oldest = kSlots;
    for (size_t slot = 0; slot < kSlots; ++slot) {
        const Place& place = places[slot];
        if (!place.IsJoining() || place.spoke ||
            MillisecondsSince(place.welcomed, nowMs) < kIdlePlaceMs)
            continue;
        if (oldest == kSlots || place.welcomed < places[oldest].welcomed)
            oldest = slot;
    }
    return oldest;
}

ConnectionAdmission::Decision ConnectionAdmission::Admit(size_t slot, uint64_t start,
                                                         uint64_t nowMs)
{
    int host = 1;
    while ((hostMask & IndexBit(host)) != 0)
        ++host;
    Place& place = places[slot];
    place.phase = Phase::Welcoming;
    place.since = start;
    place.host = uint8_t(host);
    place.spoke = false;
    place.welcomed = nowMs;
    slotOfHost[size_t(host)] = slot;
    hostMask |= IndexBit(host);
    return {Act::Admit, host};
}

ConnectionAdmission::Decision ConnectionAdmission::Tend(size_t slot, bool held, bool welcomeHeard,
                                                        uint32_t silentMs, uint64_t nowMs)
{
    if (slot >= kSlots)
        return {};
    Place& place = places[slot];
    const int host = place.host;
    if (!held) {
        // ENet let go of it without a word to us: a client's link is gone all the same.
        Release(place, nowMs);
        place = {};
        return host != 0 ? Decision{Act::Lose, host} : Decision{};
    }
    const bool silent = silentMs >= silenceMs;
    const auto lose = [&] {
        Release(place, nowMs);
        place = {};
        return Decision{Act::Lose, host};
    };
    switch (place.phase) {
    case Phase::Free:
        place.phase = Phase::Stranger;
        place.since = nowMs;
        return {};
    case Phase::Stranger:
    case Phase::Refused:
        if (!silent && MillisecondsSince(place.since, nowMs) < handshakeMs)
            return {};
        counts.unfinished += place.phase == Phase::Stranger;
        place = {};
        return {Act::Forget};
    case Phase::Welcoming:
        if (welcomeHeard && !silent) {
            place.phase = Phase::Joining;
        } else if (silent || MillisecondsSince(place.since, nowMs) >= handshakeMs) {
            ++counts.unfinished;
            return lose();
        }
        return {};
    case Phase::Joining:
        if (silent)
            return lose();
        if (MillisecondsSince(place.welcomed, nowMs) < joinMs)
            return {};
        ++counts.noPlayer;
        Release(place, nowMs);
        return {Act::LetGo, host, Word(Farewell::NoPlayer, (joinMs + 999) / 1000)};
    case Phase::Playing:
        return silent ? lose() : Decision{};
    }
    return {};
}

// Asked before every service: a list only when the slots run short.
std::vector<size_t> ConnectionAdmission::Crowd()
{
    const auto free = size_t(std::count_if(places.begin(), places.end(), [](const Place& place) {
        return place.phase == Phase::Free;
    }));
    if (free >= kSlotsKeptFree)
        return {};
    std::vector<size_t> waiting;
    for (size_t slot = 0; slot < kSlots; ++slot)
        if (places[slot].phase == Phase::Stranger || places[slot].phase == Phase::Refused)
            waiting.push_back(slot);
    const size_t count = std::min(kSlotsKeptFree - free, waiting.size());
    const auto older = [this](size_t a, size_t b) { return places[a].since < places[b].since; };
    std::partial_sort(waiting.begin(), waiting.begin() + ptrdiff_t(count), waiting.end(), older);
    waiting.resize(count);
    for (size_t slot : waiting) {
        counts.unfinished += places[slot].phase == Phase::Stranger;
        places[slot] = {};
    }
    return waiting;
}

void ConnectionAdmission::Freed(size_t slot)
{
    if (slot < kSlots && places[slot].host == 0)
        places[slot] = {};
}

void ConnectionAdmission::Playing(int host)
{
    const size_t slot = SlotOf(host);
    if (slot < kSlots && places[slot].host == host)
        places[slot].phase = Phase::Playing;
}

void ConnectionAdmission::Spoke(int host)
{
    const size_t slot = SlotOf(host);
    if (slot < kSlots)
        places[slot].spoke = true;
}

bool ConnectionAdmission::IsAnyJoining() const
{
    return std::any_of(places.begin(), places.end(),
                       [](const Place& place) { return place.IsJoining(); });
}

bool ConnectionAdmission::HasPlayed(int host) const
{
    const size_t slot = SlotOf(host);
    return slot < kSlots && places[slot].phase == Phase::Playing;
}

void ConnectionAdmission::Gone(int host, uint64_t nowMs)
{
    const size_t slot = SlotOf(host);
    if (slot < kSlots)
        Release(places[slot], nowMs);
}

void ConnectionAdmission::Release(Place& place, uint64_t nowMs)
{
    if (place.host != 0) {
        hostMask &= ~IndexBit(place.host);
        slotOfHost[place.host] = kSlots;
    }
    place.host = 0;
    place.phase = Phase::Refused;
    place.since = nowMs;
}

int ConnectionAdmission::HostOf(size_t slot) const
{
    return slot < kSlots ? places[slot].host : 0;
}

size_t ConnectionAdmission::SlotOf(int host) const
{
    return host >= 1 && host <= kMaxClients ? slotOfHost[size_t(host)] : kSlots;
}

std::string ConnectionAdmission::TakeCountLine(uint64_t nowMs, bool always)
{
    const uint64_t fresh = counts.Refused() - logged.Refused();
    if (fresh == 0 || (!always && !told.Due(nowMs)))
        return "";
    std::string kinds;
    for (const auto& [now, before, kind] :
         {std::tuple{counts.noHello, logged.noHello, " without a hello"},
          std::tuple{counts.full, logged.full, " full"},
          std::tuple{counts.underWay, logged.underWay, " under way"},
          std::tuple{counts.unfinished, logged.unfinished, " with the handshake unfinished"}})
        if (now != before)
            kinds += (kinds.empty() ? "" : ", ") + std::to_string(now - before) + kind;
    logged = counts;
    told.Told(nowMs);
    return std::to_string(fresh) + " peers refused (" + kinds + "), " +
           std::to_string(counts.Refused()) + " in all";
}

} // namespace GAME
