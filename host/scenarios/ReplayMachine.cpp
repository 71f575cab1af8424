#include "host/scenarios/ReplayMachine.h"

#include "core/RandomUniform.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "host/HostSamples.h"
#include "multiplayer/InboundPacketDispatcher.h"

#include <memory>
#include <utility>

namespace GAME {

namespace {

void Dispatch(const ReplayMachine::Bytes& bytes)
{
    if (std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes))
        InboundPacketDispatcher::Dispatch(*packet, *GameEngine::Get().GetInboundNetworkInterface());
}

} // namespace

ReplayMachine::ReplayMachine(bool client, Step stage) : client(client), stage(std::move(stage)) {}

bool ReplayMachine::Act(const Step& step, std::vector<Bytes>& sent, std::ostream& err,
                        const Look& look)
{
    sent.clear();
    if (!HostSamples::InNetworkWorld(client, err, [&] { return Replay(step, look); })) {
        err << "gamehost: a machine could not replay its history\n";
        return false;
    }
    history.push_back(step);
    sent = std::move(outbox);
    outbox.clear();
    return true;
}

bool ReplayMachine::Receive(const std::vector<Bytes>& packets, std::vector<Bytes>& sent,
                            std::ostream& err, const Look& look)
{
    return Act(
        [packets] {
            for (const Bytes& bytes : packets)
                Dispatch(bytes);
            return true;
        },
        sent, err, look);
}

void ReplayMachine::RunFrames(int count, int ms)
{
    for (int frame = 0; frame < count; ++frame) {
        GameEngine::Get().Update(ms);
        ObjectManager::Instance().ProcessDestroyedObjects();
        Pump();
    }
}

bool ReplayMachine::Replay(const Step& step, const Look& look)
{
    GameEngine::Get().GetRandomGen().Seed(1);
    if (!stage())
        return false;
    for (const Step& done : history) {
        if (!done())
            return false;
        Pump();
    }
    outbox.clear();
    if (!step())
        return false;
    Pump();
    if (look)
        look();
    return true;
}

void ReplayMachine::Pump()
{
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    for (int round = 0; round < kMaxPumpRounds; ++round) {
        std::vector<ConnectionManager::SentPacket> packets = connection.TakeSentPackets();
        if (packets.empty())
            return;
        for (ConnectionManager::SentPacket& packet : packets) {
            if (!client)
                Dispatch(packet.bytes);
            outbox.push_back(std::move(packet.bytes));
        }
    }
}

} // namespace GAME
