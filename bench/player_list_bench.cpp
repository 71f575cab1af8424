// A full game's player list (15 players, 16-letter names, 4 status skills each) encoded, decoded
// through the registry and applied by the client player manager: under 40 microseconds. The
// heartbeat form of the same players, measured beside it, must be no slower. Sharing a kill's
// reward among the 15 players near it, in three parties: under 10 microseconds.
#include "bench/BenchWorld.h"
#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr uint32_t kPlayers = 15;
constexpr uint32_t kPartySize = 5;
constexpr uint32_t kVictim = 0x00000777;
constexpr uint32_t kRegion = Bench::BenchWorld::kRegion;

uint32_t PlayerId(uint32_t index)
{
    return ((index + 1) << 28) | 1u;
}

PlayerNetBasicInfo Record(uint32_t index)
{
    PlayerNetBasicInfo record;
    record.playerId = PlayerId(index);
    record.name = L"Adventurer" + std::wstring(6, static_cast<wchar_t>(L'a' + index));
    record.health = 250.0f;
    record.maxHealth = 300.0f;
    record.mana = 80.0f;
    record.maxMana = 120.0f;
    record.level = 20 + index;
    record.partyId = static_cast<int32_t>(PlayerId(index - index % kPartySize));
    record.position = WorldVec3(kRegion, Vec3(static_cast<float>(index), 0.0f, 1.0f));
    record.classTag = "tagCharacterClass03";
    for (int skill = 0; skill < 4; ++skill)
        record.activeStatusSkills.push_back("Records/Skills/Status/Aura" + std::to_string(skill) +
                                            ".dbr");
    return record;
}

// The sharing equations of the sample database.
struct SharingRecords {
    SharingRecords()
    {
        folder.WriteRecord("Records/Game/BonusSharing.dbr",
                           {"ActiveExperience = amountOfExperience*(0.5+(0.5/"
                            "evaluatingPartyMemberCount))",
                            "PassiveExperience = (amountOfExperience*0.5)/"
                            "evaluatingPartyMemberCount",
                            "ActiveGold = amountOfGold*(0.5+(0.5/evaluatingPartyMemberCount))",
                            "PassiveGold = (amountOfGold*0.5)/evaluatingPartyMemberCount"});
    }
    Test::TempDatabase folder;
};

// The engine as a server with its main player and 15 players known to both managers.
class FullGame : private SharingRecords, public Bench::BenchWorld {
public:
    FullGame() : BenchWorld(folder.GetRoot(), 50.0f)
    {
        auto* main = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        Client().SetMainPlayer(main->GetObjectId());
        for (uint32_t i = 0; i < kPlayers; ++i) {
            list.push_back(Record(i));
            gGameEngine->GetPlayerManagerServer()->HandleNewPlayer(list.back());
            gGameEngine->RegisterDamage(kVictim, PlayerId(i), static_cast<float>(i + 1));
        }
        Client().HandlePlayerUpdate(list);
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
    }

    static PlayerManagerClient& Client() { return *gGameEngine->GetPlayerManagerClient(); }

    std::vector<PlayerNetBasicInfo> list;
};

std::vector<uint8_t> Encode(NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    return std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size);
}

void BM_PlayerListEncodedDecodedApplied(benchmark::State& state)
{
    FullGame game;
    AllPlayersBasicInfoPacket sent;
    sent.players = game.list;
    for (auto _ : state) {
        const std::vector<uint8_t> bytes = Encode(sent);
        std::unique_ptr<NetPacket> received = ConnectionManager::DecodePacket(bytes);
        const auto* list = dynamic_cast<const AllPlayersBasicInfoPacket*>(received.get());
        if (list == nullptr) {
            state.SkipWithError("the list did not read back");
            return;
        }
        FullGame::Client().HandlePlayerUpdate(list->players);
    }
}
BENCHMARK(BM_PlayerListEncodedDecodedApplied)->Unit(benchmark::kMicrosecond);

void BM_HeartbeatsEncodedDecodedApplied(benchmark::State& state)
{
    FullGame game;
    AllPlayersHeartbeatPacket sent;
    sent.players.assign(game.list.begin(), game.list.end());
    for (auto _ : state) {
        const std::vector<uint8_t> bytes = Encode(sent);
        std::unique_ptr<NetPacket> received = ConnectionManager::DecodePacket(bytes);
        const auto* heartbeats = dynamic_cast<const AllPlayersHeartbeatPacket*>(received.get());
        if (heartbeats == nullptr) {
            state.SkipWithError("the heartbeats did not read back");
            return;
        }
        FullGame::Client().HandlePlayerHeartbeatInbound(heartbeats->players);
    }
}
BENCHMARK(BM_HeartbeatsEncodedDecodedApplied)->Unit(benchmark::kMicrosecond);

void BM_BonusSharedAmongFifteenNearTheKill(benchmark::State& state)
{
    FullGame game;
    PlayerManagerServer& server = *gGameEngine->GetPlayerManagerServer();
    const WorldVec3 kill(kRegion, Vec3(7.0f, 0.0f, 0.0f));
    if (server.ComputeBonusShares(600, 12000, kill, PlayerId(3), kVictim).size() != kPlayers) {
        state.SkipWithError("not every player shares the kill");
        return;
    }
    for (auto _ : state) {
        auto shares = server.ComputeBonusShares(600, 12000, kill, PlayerId(3), kVictim);
        benchmark::DoNotOptimize(shares.data());
    }
}
BENCHMARK(BM_BonusSharedAmongFifteenNearTheKill)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
