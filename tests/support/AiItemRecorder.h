#pragma once

#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineInboundInterface.h"

#include <functional>
#include <string>
#include <vector>

namespace GAME::Test {

// The game's network interface while it lives: keeps every item the game is asked to create,
// after telling `onCreate`, and hands the previous interface back when it goes.
class AiItemRecorder : public GameEngineInboundInterface {
public:
    AiItemRecorder() : previous(gGameEngine->GetNetworkInterface())
    {
        gGameEngine->SetNetworkInterface(this);
    }
    ~AiItemRecorder() override { gGameEngine->SetNetworkInterface(previous); }
    AiItemRecorder(const AiItemRecorder&) = delete;
    AiItemRecorder& operator=(const AiItemRecorder&) = delete;

    void CreateItem(uint32_t, const WorldCoords& coords, const ItemReplicaInfo& item,
                    std::wstring*) override
    {
        if (onCreate)
            onCreate(coords, item);
        drops.push_back(item);
    }

    std::vector<ItemReplicaInfo> drops;
    std::function<void(const WorldCoords&, const ItemReplicaInfo&)> onCreate;

private:
    GameEngineNetworkInterface* previous;
};

} // namespace GAME::Test
