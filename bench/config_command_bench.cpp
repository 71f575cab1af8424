// One config command's whole trip: enqueued on the sending machine (run there, its packet
// encoded), then decoded on the receiving one, rebuilt by its builder and run on its actor.
// The budget is 2 microseconds.
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {

namespace {

class CommandTrip : public Bench::BenchLibrary {
public:
    CommandTrip()
    {
        character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        // A client sends to its server and takes back what the server passes on: nothing is
        // broadcast a second time on receipt.
        gEngine->SetNetworkMode(true, true);
    }
    ~CommandTrip()
    {
        gEngine->SetNetworkMode(false, false);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }

    bool IsReady() const { return character != nullptr; }

    // Sends and receives one command; true when the receiving side ran it.
    template <typename Command, typename... Args> bool Trip(Args... args)
    {
        character->Enqueue(std::make_unique<Command>(character->GetObjectId(), args...));
        ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
        connection.TakeSentPackets().swap(sent);
        bool ran = !sent.empty();
        for (const ConnectionManager::SentPacket& packet : sent) {
            std::unique_ptr<NetPacket> received = ConnectionManager::DecodePacket(packet.bytes);
            ran = ran && received != nullptr && NetworkShim::ReceivePacket(0, *received);
        }
        return ran;
    }

private:
    Character* character = nullptr;
    std::vector<ConnectionManager::SentPacket> sent;
};

template <typename Measure> void Run(benchmark::State& state, Measure measure)
{
    CommandTrip trip;
    bool flag = false;
    for (auto _ : state) {
        if (!trip.IsReady() || !measure(trip, flag)) {
            state.SkipWithError("the command did not make its trip");
            break;
        }
        flag = !flag;
    }
}

} // namespace

static void BM_ConfigCommand_SetInvincibleTrip(benchmark::State& state)
{
    Run(state,
        [](CommandTrip& trip, bool flag) { return trip.Trip<SetInvincibleConfigCmd>(flag); });
}
BENCHMARK(BM_ConfigCommand_SetInvincibleTrip)->Unit(benchmark::kMicrosecond);

// The longest field list: nine values, three of them record names.
static void BM_ConfigCommand_CreateRemoveSkillBuffTrip(benchmark::State& state)
{
    Run(state, [](CommandTrip& trip, bool) {
        return trip.Trip<CreateRemoveSkillBuffConfigCmd>(
            0u, std::string("Records/Skills/Buffs/Example.dbr"), 0u, std::string(), 0u,
            std::string(), 0u, 0, 0u);
    });
}
BENCHMARK(BM_ConfigCommand_CreateRemoveSkillBuffTrip)->Unit(benchmark::kMicrosecond);

} // namespace GAME
