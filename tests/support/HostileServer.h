#pragma once

#include "engine/ConnectionManager.h"
#include "engine/HostMessagePackets.h"
#include "engine/NetPacketOutBuffer.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/SessionPackets.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace GAME::Test {

// A server that plays a session's part as it pleases, on a free loopback port: it welcomes its
// client with the script's numbers, then sends, at most `perSecond` messages a second, `spawns`
// spawns of `record`, the world's end if `complete`, `pairs` spawn-and-destroy pairs, `repeats`
// of the whole `messages` in turn and the session's end if `end`. Given a server's port, it is a
// client of that server instead, sending it what the script says once welcomed.
class HostileServer final : public ConnectionManager::Listener {
public:
    struct Script {
        int32_t host = -1; // -1: the index the door gave
        uint32_t world = 0;
        int32_t difficulty = 0;
        int32_t players = 1;
        uint64_t spawns = 0;
        bool complete = false;
        uint64_t pairs = 0;
        bool end = false;
        uint32_t endDigest = 0;
        std::string record;
        WorldCoords at;
        uint64_t perSecond = 100000;
        std::vector<std::vector<uint8_t>> messages;
        uint64_t repeats = 0;
    };

    explicit HostileServer(const Script& script) : script(script)
    {
        EXPECT_TRUE(connection.Listen(0));
        connection.SetListener(this);
    }
    HostileServer(const Script& script, uint16_t serverPort) : script(script)
    {
        EXPECT_TRUE(connection.Connect("127.0.0.1", serverPort));
        connection.SayJoining();
        joined = true;
    }
    ~HostileServer() override
    {
        connection.SetListener(nullptr);
        connection.Disconnect();
    }

    uint16_t GetPort() const { return connection.GetListenPort(); }
    uint64_t GetSent() const { return sent; }
    // Serves its client until `done` holds or `time` has passed.
    void Run(std::chrono::milliseconds time, const std::function<bool()>& done)
    {
        const auto start = std::chrono::steady_clock::now();
        for (auto now = start; now - start < time && !done();
             now = std::chrono::steady_clock::now()) {
            connection.Service();
            const auto ran = std::chrono::duration_cast<std::chrono::microseconds>(now - start);
            while (joined && sent <= uint64_t(ran.count()) * script.perSecond / 1000000 &&
                   SendNext())
                ++sent;
            connection.Flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void OnMessage(int, NetPacket&) override {}
    void OnHostJoined(int host) override
    {
        client = host;
        joined = true;
        HostWelcomePacket welcome;
        welcome.hostIndex = script.host >= 0 ? script.host : host;
        welcome.difficulty = script.difficulty;
        welcome.playersExpected = script.players;
        welcome.worldDigest = script.world;
        connection.SendPacketToHost(host, welcome);
    }

private:
    // A spawn of a record under any id, whatever this process holds.
    struct ForgedSpawn final : NetPacket {
        ForgedSpawn(const Script& script, uint32_t id)
            : NetPacket(EntitySpawnPacket::kType), script(script), id(id)
        {}
        uint32_t PrepareOutBuffer() override
        {
            NetPacketOutBuffer out(*this);
            out.AddFileName(script.record);
            out.Add(SmartObjectId(id));
            out.Add(script.at);
            return out.Done();
        }
        void CopyInbound(const uint8_t*, int) override {}
        std::string GetPacketDescription(bool) const override { return {}; }
        const Script& script;
        uint32_t id;
    };

    // Whole bytes, header included, whatever they say.
    struct Verbatim final : NetPacket {
        explicit Verbatim(const std::vector<uint8_t>& bytes) : NetPacket(0), bytes(bytes) {}
        uint32_t PrepareOutBuffer() override { return GetOutBufferSize(); }
        const uint8_t* GetOutBuffer() const override { return bytes.data(); }
        uint32_t GetOutBufferSize() const override { return uint32_t(bytes.size()); }
        void CopyInbound(const uint8_t*, int) override {}
        std::string GetPacketDescription(bool) const override { return {}; }
        const std::vector<uint8_t>& bytes;
    };

    // The script's next message; false once it has said all.
    bool SendNext()
    {
        const uint64_t world = script.spawns + script.complete;
        const uint64_t paired = world + 2 * script.pairs;
        const uint64_t flooded = paired + script.repeats;
        if (sent < script.spawns || (sent >= world && sent < paired && (sent - world) % 2 == 0)) {
            ForgedSpawn spawn(script, ++nextId);
            connection.SendPacketToHost(client, spawn);
        } else if (sent < world) {
            ServerSpawnCompletePacket complete;
            connection.SendPacketToHost(client, complete);
        } else if (sent < paired) {
            EntityDestroyPacket destroy;
            destroy.entityId = nextId;
            connection.SendPacketToHost(client, destroy);
        } else if (sent < flooded) {
            Verbatim message(script.messages[(sent - paired) % script.messages.size()]);
            connection.SendPacketToHost(client, message);
        } else if (sent == flooded && script.end) {
            SessionEndsPacket ends;
            ends.digest = script.endDigest;
            connection.SendPacketToHost(client, ends);
        } else {
            return false;
        }
        return true;
    }

    Script script;
    ConnectionManager connection;
    int client = 0;
    bool joined = false;
    uint64_t sent = 0;
    uint32_t nextId = 0x100000;
};

} // namespace GAME::Test
