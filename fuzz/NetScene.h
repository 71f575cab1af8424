#pragma once

#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/World.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace GAME {

// A stay of a network fuzz input's route in the run's one game, in a role (0 single player, 1 a
// server, 2 a client): what the route made, sent and seated goes with it, and the game is
// single player again.
class NetScene {
public:
    // The run's game, the records `records` gives held and one region of world to stand in.
    static void StartRun(FuzzRecords (*records)())
    {
        static const bool started = [records] {
            StartQuietGame();
            HoldRunRecords(records());
            gEngine->SetWorld(std::make_unique<World>());
            gEngine->GetWorld()->CreateRegion(1, {0, 0, 0},
                                              ABBox({-200, -10, -200}, {200, 10, 200}));
            return true;
        }();
        (void)started;
    }

    // The input, its size word mended, through each route of a run started with `records`.
    static void Play(const uint8_t* data, size_t size, FuzzRecords (*records)(),
                     std::initializer_list<void (*)(const uint8_t*, size_t)> routes)
    {
        StartRun(records);
        const std::vector<uint8_t> mended = Mended(data, size);
        if (mended.empty())
            return;
        for (const auto route : routes)
            route(mended.data(), mended.size());
    }

    // The input with its size word mended to its length, most inputs' size words disagreeing
    // with it; empty for an input too short for a header.
    static std::vector<uint8_t> Mended(const uint8_t* data, size_t size)
    {
        if (size < NetPacketHeader::kSize)
            return {};
        std::vector<uint8_t> mended(data, data + size);
        const uint32_t fields = static_cast<uint32_t>(size - NetPacketHeader::kSize);
        for (int i = 0; i < 4; ++i)
            mended[4 + i] = static_cast<uint8_t>(fields >> (8 * i));
        return mended;
    }

    // One of `count` ways to play an input, picked by its bytes, so that each input plays one
    // and a mutation may pick another.
    static uint32_t Pick(const uint8_t* data, size_t size, uint32_t count)
    {
        uint32_t sum = 0;
        for (size_t i = 0; i < size; ++i)
            sum += data[i];
        return sum % count;
    }

    // The words 0xEEEE0000-0xEEEE0002 anywhere past the header become the ids standing for
    // them; an id of 0 leaves its word as it is.
    static void MapLiveWords(std::vector<uint8_t>& bytes, const std::array<uint32_t, 3>& ids)
    {
        for (size_t at = NetPacketHeader::kSize; at + 4 <= bytes.size(); ++at) {
            uint32_t word = 0;
            for (int i = 0; i < 4; ++i)
                word |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
            if ((word & 0xFFFFFFF0u) != 0xEEEE0000u || (word & 0xFu) >= 3 || ids[word & 0xFu] == 0)
                continue;
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = static_cast<uint8_t>(ids[word & 0xFu] >> (8 * i));
        }
    }

    explicit NetScene(int role = 0) { TakeRole(role); }
    ~NetScene()
    {
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
        EndInput(start);
        gGameEngine->GetPlayerManagerClient()->Clear();
        if (PlayerManagerServer* players = gGameEngine->GetPlayerManagerServer())
            players->Clear();
        gEngine->GetGameInfo().ClearPlayerList();
        TakeRole(0);
    }
    NetScene(const NetScene&) = delete;
    NetScene& operator=(const NetScene&) = delete;

private:
    static void TakeRole(int role)
    {
        gEngine->SetNetworkMode(role != 0, role == 2);
        if (role == 1)
            gGameEngine->SetAsNetworkServer();
        else if (role == 2)
            gGameEngine->SetAsNetworkClient();
        else
            gGameEngine->SetAsNetworkStub();
    }

    InputStart start;
};

// Points a command at the live actor; false for every other packet.
template <typename Packet> bool AimAt(NetPacket& packet, uint32_t actorId)
{
    auto* typed = dynamic_cast<Packet*>(&packet);
    if (typed == nullptr)
        return false;
    typed->actorId = actorId;
    return true;
}

} // namespace GAME
