#pragma once

#include "multiplayer/PacketFields.h"

#include <cstdint>

namespace GAME {

// The session's own word between the machines, on numbers no game message uses: a client whose
// part is done says so to the server, which counts it for the host the transport heard it from,
// and only the server ends the session. Neither carries more than its type.

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
using SessionEndsPacket = SessionWordPacket<128>;

} // namespace GAME
