#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <vector>

namespace GAME {

class NetPacket;

// Every packet class registered, by type number (the transport's own and the session's too): a
// sample with each of its fields filled with a value of its own, and the class's own copy and
// assignment. `gamehost --packets` prints it;
// the checks over the whole catalogue walk it.
class PacketCatalogue {
public:
    struct Entry {
        uint32_t type;
        std::unique_ptr<NetPacket> (*makeFilled)();
        std::unique_ptr<NetPacket> (*copy)(const NetPacket&);
        std::unique_ptr<NetPacket> (*assign)(const NetPacket&);
    };

    // In type number order.
    static const std::vector<Entry>& Entries();
    // The engine base the packet's class stands on: "CharacterActionPacket",
    // "ObjectContainerPacket", "ObjectInteractionPacket" or "NetPacket".
    static const char* BaseName(const NetPacket& packet);
    // One block per class: "packet <type> <Class> on <Base>: <n> bytes", the bytes in hex, the
    // description; then how many classes read their own bytes back. Answers whether all did.
    static bool Print(std::ostream& out);
};

} // namespace GAME
