#pragma once

#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/FilterFunction.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/TradePackets.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace GAME {

// A server and a client in one process. The library exists once at a time, so a machine is
// rebuilt whenever it acts: a fresh library in its role, the stage, then everything it did and
// received, in order, with what it sends again dropped. What a step sends is passed on as bytes:
// trade packets to the machine of their receiver, everything else from the client to the server;
// the server also carries out its own item creation and gold.
class TwoMachines {
public:
    // Builds one machine's world on a fresh library; the flag names the client.
    using Stage = std::function<void(bool client)>;
    using Step = std::function<void()>;

    TwoMachines(Stage stage, uint32_t seed, uint32_t serverPlayer, uint32_t clientPlayer)
        : stage(std::move(stage)), seed(seed), players{serverPlayer, clientPlayer}
    {}

    // The machine is rebuilt, takes the step and passes on what it sent.
    void Act(bool client, const Step& step)
    {
        std::vector<std::vector<uint8_t>> sent;
        Run(client, step, &sent);
        histories[client].push_back({step, {}});
        processed[client] = histories[client].size();
        for (std::vector<uint8_t>& bytes : sent)
            Deliver(client, std::move(bytes));
    }

    // Both act before either hears from the other, as when two players click at once.
    void ActBoth(const Step& server, const Step& client)
    {
        std::vector<std::vector<uint8_t>> sent[2];
        Run(false, server, &sent[0]);
        Run(true, client, &sent[1]);
        for (int machine = 0; machine < 2; ++machine) {
            histories[machine].push_back({machine == 0 ? server : client, {}});
            processed[machine] = histories[machine].size();
        }
        for (int from = 0; from < 2; ++from) {
            for (std::vector<uint8_t>& bytes : sent[from])
                Deliver(from == 1, std::move(bytes));
        }
    }

    // The machine is rebuilt and `look` reads it; nothing is kept.
    void Look(bool client, const Step& look) { Run(client, look, nullptr); }

    // Packets now waiting for the machine, not yet replayed there.
    size_t CountReceived(bool client) const
    {
        size_t count = 0;
        for (const Event& event : histories[client])
            count += event.packet.empty() ? 0 : 1;
        return count;
    }

private:
    class Everything final : public FilterFunction<Entity> {
    public:
        bool operator()(const Entity*) const override { return true; }
    };

    struct Event {
        Step step;                   // something the machine did
        std::vector<uint8_t> packet; // or something it received
    };

    static std::vector<std::vector<uint8_t>> TakeSent()
    {
        std::vector<std::vector<uint8_t>> packets;
        for (ConnectionManager::SentPacket& sent :
             gEngine->GetNetworkConnectionManager().TakeSentPackets())
            packets.push_back(std::move(sent.bytes));
        return packets;
    }

    static void Receive(const std::vector<uint8_t>& bytes)
    {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
        if (packet == nullptr || NetworkShim::ReceivePacket(0, *packet))
            return;
        InboundPacketDispatcher::Dispatch(*packet, *gGameEngine->GetInboundNetworkInterface());
    }

    template <typename P> static uint32_t ReceiverIf(const NetPacket& packet)
    {
        const auto* trade = dynamic_cast<const P*>(&packet);
        return trade != nullptr ? trade->receiver : 0;
    }

    // The player a trade packet is for; 0 for any other packet.
    static uint32_t TradeReceiver(const std::vector<uint8_t>& bytes)
    {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
        if (packet == nullptr)
            return 0;
        uint32_t receiver = 0;
        for (uint32_t each :
             {ReceiverIf<TradeInitiatePacket>(*packet), ReceiverIf<TradeCancelPacket>(*packet),
              ReceiverIf<TradeFinalizePacket>(*packet), ReceiverIf<TradeSetGoldPacket>(*packet),
              ReceiverIf<TradeAddItemPacket>(*packet), ReceiverIf<TradeRemoveItemPacket>(*packet)})
            receiver = receiver != 0 ? receiver : each;
        return receiver;
    }

    static bool CarriedOutByServer(const std::vector<uint8_t>& bytes)
    {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
        return packet != nullptr &&
               (dynamic_cast<const CreateItemPacket*>(packet.get()) != nullptr ||
                dynamic_cast<const GiveGoldPacket*>(packet.get()) != nullptr);
    }

    void Deliver(bool fromClient, std::vector<uint8_t> bytes)
    {
        const uint32_t receiver = TradeReceiver(bytes);
        if (receiver != 0) {
            if (receiver == players[0] || receiver == players[1])
                histories[receiver == players[1]].push_back({nullptr, std::move(bytes)});
            return;
        }
        if (fromClient || CarriedOutByServer(bytes))
            histories[false].push_back({nullptr, std::move(bytes)});
    }

    void Run(bool client, const Step& step, std::vector<std::vector<uint8_t>>* sent)
    {
        ObjectManager& objects = ObjectManager::Instance();
        objects.DestroyAllObjects();
        // Each machine makes ids of its own, as machines of one game do.
        objects.SetHostIndex(client ? 1 : 0);
        gEngine->SetNetworkMode(true, client);
        InitializeObjects();
        if (client)
            gGameEngine->SetAsNetworkClient();
        else
            gGameEngine->SetAsNetworkServer();
        gGameEngine->GetRandomGen().Seed(seed);
        std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-40, -10, -40}, {40, 10, 40}));
        stage(client);
        const std::vector<Event>& history = histories[client];
        for (size_t i = 0; i < history.size(); ++i) {
            // What the machine sent before was passed on then; what the packets new to it make
            // it send goes out now.
            if (i == processed[client])
                TakeSent();
            if (history[i].step)
                history[i].step();
            else
                Receive(history[i].packet);
        }
        if (processed[client] >= history.size())
            TakeSent();
        step();
        if (sent != nullptr)
            *sent = TakeSent();
        TakeSent();
        // Everything leaves the world before it goes.
        std::vector<Entity*> entities;
        gEngine->GetWorld()->GetEntities(entities, Everything());
        for (Entity* entity : entities)
            gEngine->GetWorld()->RemoveEntity(entity);
        objects.DestroyAllObjects();
        gEngine->SetWorld(std::move(previous));
        ShutdownObjects();
        objects.SetHostIndex(0);
        gEngine->SetNetworkMode(false, false);
    }

    Stage stage;
    uint32_t seed;
    uint32_t players[2];
    std::vector<Event> histories[2];
    // How much of each history the machine has already acted on.
    size_t processed[2] = {0, 0};
};

} // namespace GAME
