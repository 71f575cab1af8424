#pragma once

#include "multiplayer/PacketFields.h"

#include <cstdint>

namespace GAME {

// The session's own word between the machines, on numbers no game message uses: a client whose
// part is done says so to the server, which counts it for the host the transport heard it from,
// and only the server ends the session, telling its outcome.

template <uint32_t Type> class SessionWordPacket : public FieldPacket<SessionWordPacket<Type>> {
public:
    static constexpr const char* kDescription =
        "SessionWordPacket is atomic, containing no member elements";
    static constexpr uint32_t kType = Type;
    SessionWordPacket() : FieldPacket<SessionWordPacket<Type>>(kType) {}

    template <typename V, typename P> static void VisitFields(V& v, P& /*p*/)
    {
        v.Heading(kDescription, 0);
    }
};

using HostDonePacket = SessionWordPacket<127>;

// The outcome is the server's word for what every machine's end says: a client whose copy of the
// quest missed news on a bad link ends on the server's. The digest is that of the server's end
// lines, so that a client whose world went another way says so rather than pass for one that
// agrees.
class SessionEndsPacket : public FieldPacket<SessionEndsPacket> {
public:
    static constexpr uint32_t kType = 128;
    SessionEndsPacket() : FieldPacket(kType) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Outcome: ", p.outcome);
        v.Field("Digest: ", p.digest);
    }

    uint32_t outcome = 0;
    uint32_t digest = 0;
};

} // namespace GAME
