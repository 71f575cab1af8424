#include "tests/support/HostileServer.h"

#include "engine/HostMessagePackets.h"
#include "engine/NetPacketOutBuffer.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/SessionPackets.h"

#include <gtest/gtest.h>

#include <thread>

namespace GAME::Test {

namespace {
// A spawn of a record under any id, whatever this process holds.
class ForgedSpawn final : public NetPacket {
public:
    ForgedSpawn(const std::string& record, uint32_t id, const WorldCoords& at)
        : NetPacket(EntitySpawnPacket::kType), record(record), id(id), at(at)
    {}
    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        out.AddFileName(record);
        out.Add(SmartObjectId(id));
        out.Add(at);
        return out.Done();
    }
    void CopyInbound(const uint8_t*, int) override {}
    std::string GetPacketDescription(bool) const override { return {}; }

private:
    std::string record;
    uint32_t id;
    WorldCoords at;
};
} // namespace

HostileServer::HostileServer(const Script& script) : script(script)
{
    EXPECT_TRUE(connection.Listen(0));
    connection.SetListener(this);
}

HostileServer::~HostileServer()
{
    connection.SetListener(nullptr);
    connection.Disconnect();
}

void HostileServer::OnHostJoined(int host)
{
    client = host;
    HostWelcomePacket welcome;
    welcome.hostIndex = script.host >= 0 ? script.host : host;
    welcome.difficulty = script.difficulty;
    welcome.playersExpected = script.players;
    welcome.worldDigest = script.world;
    connection.SendPacketToHost(host, welcome);
}

void HostileServer::Run(std::chrono::milliseconds time, const std::function<bool()>& done)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    uint64_t allowed = 0;
    for (Clock::time_point now = start; now - start < time && !done(); now = Clock::now()) {
        connection.Service();
        const auto ran = std::chrono::duration_cast<std::chrono::microseconds>(now - start);
        allowed = uint64_t(ran.count()) * script.perSecond / 1000000 + 1;
        while (client != 0 && sent < allowed && SendNext())
            ++sent;
        connection.Flush();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool HostileServer::SendNext()
{
    const uint64_t pairsEnd =
        uint64_t(script.spawns) + script.complete + 2 * uint64_t(script.pairs);
    if (sent < script.spawns || (sent >= script.spawns + script.complete && sent < pairsEnd &&
                                 (sent - script.spawns - script.complete) % 2 == 0)) {
        ForgedSpawn spawn(script.record, ++nextId, script.at);
        connection.SendPacketToHost(client, spawn);
    } else if (sent < script.spawns + script.complete) {
        ServerSpawnCompletePacket complete;
        connection.SendPacketToHost(client, complete);
    } else if (sent < pairsEnd) {
        EntityDestroyPacket destroy;
        destroy.entityId = nextId;
        connection.SendPacketToHost(client, destroy);
    } else if (sent == pairsEnd && script.end) {
        SessionEndsPacket ends;
        ends.digest = script.endDigest;
        connection.SendPacketToHost(client, ends);
    } else {
        return false;
    }
    return true;
}

} // namespace GAME::Test
