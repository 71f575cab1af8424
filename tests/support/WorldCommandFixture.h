#pragma once

#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetPacket.h"
#include "engine/TriggerFactory.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/QuestRepository.h"
#include "tests/support/ProxyFixture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// Quest actions that command the level: each is made by its registered name and its designer
// properties read back from a quest-file stream, so that it listens as a loaded action does.
// The local player stands in the level; the actions go before the repository does.
class WorldCommandFixture : public ProxyFixture {
protected:
    void SetUp() override
    {
        ProxyFixture::SetUp();
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    }
    void TearDown() override
    {
        actions.clear();
        QuestRepository::Destroy();
        gEngine->SetNetworkMode(false, false);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        ProxyFixture::TearDown();
    }

    template <typename A> A* Make(const char* name, const std::function<void(A&)>& configure = {})
    {
        std::unique_ptr<TriggerAction> design = TriggerActionFactory::Get().Create(name, 1);
        if (configure)
            configure(static_cast<A&>(*design));
        IOStreamWrite out;
        design->SerializeChildProperties(&out);
        IOStreamRead in(out.GetBytes());
        actions.push_back(TriggerActionFactory::Get().Create(name, 1));
        actions.back()->SerializeChildProperties(&in);
        return static_cast<A*>(actions.back().get());
    }

    // The action's quest state written and read into a fresh one of the same properties, as a
    // reload does.
    template <typename A> A* Reloaded(A& saved, const std::function<void(A&)>& configure)
    {
        IOStreamWrite out;
        saved.StreamChildProperties(&out);
        A* fresh = Make<A>(saved.GetName(), configure);
        IOStreamRead in(out.GetBytes());
        fresh->StreamChildProperties(&in);
        return fresh;
    }

    static void BecomeClient()
    {
        gEngine->SetNetworkMode(true, true);
        gGameEngine->SetAsNetworkClient();
    }

    // The packets sent since the last call, decoded.
    static std::vector<std::unique_ptr<NetPacket>> TakePackets()
    {
        std::vector<std::unique_ptr<NetPacket>> packets;
        for (const auto& sent : gEngine->GetNetworkConnectionManager().TakeSentPackets())
            packets.push_back(ConnectionManager::DecodePacket(sent.bytes));
        return packets;
    }

    Player* player = nullptr;
    std::vector<std::unique_ptr<TriggerAction>> actions;
};

} // namespace GAME::Test
