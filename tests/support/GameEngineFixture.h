#pragma once

#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/EngineFixture.h"

#include <initializer_list>
#include <string>

namespace GAME::Test {

// Each test starts the library as the host does, with the settings record it writes first, and
// shuts it down again afterwards.
class GameEngineFixture : public EngineFixture {
protected:
    static constexpr const char* kSettings = "Records/Game/GameEngine.dbr";

    void SetUp() override
    {
        EngineFixture::SetUp();
        Jukebox::Instance().Reset();
        gEngine->GetGameInfo().SetDifficulty(0);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }

    void TearDown() override
    {
        ShutdownObjects();
        gEngine->GetGameInfo().SetDifficulty(0);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        EngineFixture::TearDown();
    }

    // Writes the settings record (none when empty) and creates the engine.
    void Start(std::initializer_list<std::string> settings = {})
    {
        if (settings.size() != 0)
            database.WriteRecord(kSettings, settings);
        InitializeObjects();
        ASSERT_NE(gGameEngine, nullptr);
    }

    GameEngine& Game() { return *gGameEngine; }

    // A player object made the local main player.
    Player* MakeMainPlayer()
    {
        auto* player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        if (player != nullptr)
            gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
        return player;
    }

    // The packets the transport holds, decoded, and forgotten there.
    template <class PacketClass> std::vector<std::unique_ptr<PacketClass>> TakeSent()
    {
        std::vector<std::unique_ptr<PacketClass>> packets;
        for (const auto& sent : gEngine->GetNetworkConnectionManager().TakeSentPackets()) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(sent.bytes);
            if (auto* typed = dynamic_cast<PacketClass*>(packet.get())) {
                packet.release();
                packets.emplace_back(typed);
            }
        }
        return packets;
    }
};

} // namespace GAME::Test
