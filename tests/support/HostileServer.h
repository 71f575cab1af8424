#pragma once

#include "engine/ConnectionManager.h"
#include "engine/WorldCoords.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace GAME::Test {

// A server that plays a session's part as it pleases: it listens on a free loopback port, and
// once a client joins it welcomes it with numbers of the script's choosing, then sends what the
// script says, in order, at most `perSecond` messages a second of the wall: spawns, the world's
// end, spawn-and-destroy pairs and the session's end.
class HostileServer final : public ConnectionManager::Listener {
public:
    struct Script {
        // -1: the index the door gave.
        int32_t host = -1;
        uint32_t world = 0;
        int32_t difficulty = 0;
        int32_t players = 1;
        // Spawns of `record` at `at`, each under an id of its own, before the world's end.
        uint32_t spawns = 0;
        bool complete = false;
        // Spawn-and-destroy pairs after it; UINT32_MAX: for as long as it runs.
        uint32_t pairs = 0;
        bool end = false;
        uint32_t endDigest = 0;
        std::string record;
        WorldCoords at;
        uint32_t perSecond = 100000;
    };

    explicit HostileServer(const Script& script);
    ~HostileServer() override;
    HostileServer(const HostileServer&) = delete;
    HostileServer& operator=(const HostileServer&) = delete;

    uint16_t GetPort() const { return connection.GetListenPort(); }
    // Serves its client until `done` holds or `time` has passed.
    void Run(std::chrono::milliseconds time, const std::function<bool()>& done);
    // Messages sent after the welcome.
    uint64_t GetSent() const { return sent; }

    void OnMessage(int, NetPacket&) override {}
    void OnHostJoined(int host) override;

private:
    // The script's next message; false once it has said all.
    bool SendNext();

    Script script;
    ConnectionManager connection;
    int client = 0;
    uint64_t sent = 0;
    uint32_t nextId = 0x100000;
};

} // namespace GAME::Test
