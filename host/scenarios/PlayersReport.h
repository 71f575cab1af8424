#pragma once

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace GAME {

class NetPacket;
class Player;
struct HostOptions;

// `gamehost --scenario players`: a server whose own player is the sample hero. Three players of
// other hosts join, each through the basic-info message its machine sends, decoded from its
// bytes; they form a party, the leader's host leaves, a player is banned and the list is dumped.
// Every second the list is printed as every machine holds it; what the server sends is printed
// as it goes, the texts as their receivers are shown them. The server's list, heartbeat and
// party messages are delivered to its own inbound side too, as to any client.
class PlayersReport {
public:
    static constexpr const char* kHost = "Records/Creatures/PC/Hero.dbr";
    static constexpr int32_t kFrameMs = 250;
    static constexpr int32_t kSeconds = 12;

    PlayersReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    PlayersReport(const PlayersReport&) = delete;
    PlayersReport& operator=(const PlayersReport&) = delete;

    // False, with one line on `err`, when the library does not start or the host's player is
    // not made. The network mode is put back either way.
    bool Run();

private:
    bool Play();
    // What happens at the start of second `second`.
    void Act(int32_t second);
    // A remote player: its object on this machine, and the basic-info message its host sends.
    void Join(uint32_t playerId, const wchar_t* name);
    void Leave(int host);
    void Receive(const std::vector<uint8_t>& bytes);
    void Deliver();
    void PrintList() const;

    std::ostream& out;
    std::ostream& err;
    std::vector<Player*> players;
};

} // namespace GAME
