#pragma once

#include "characters/Player.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME::Test {

// Keeps the packet type of every command it is handed, then runs it unless told not to.
class CommandLogPlayer : public Player {
    GAME_DECLARE_CLASS(CommandLogPlayer)

public:
    // A fresh one from the object manager.
    static CommandLogPlayer* Create();

    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override;

    std::vector<uint32_t> sent;
    bool runsCommands = true;
};

// Puts what it is given into its inventory and keeps the ids in order.
class ReceivingPlayer : public Player {
    GAME_DECLARE_CLASS(ReceivingPlayer)

public:
    void GiveItemToCharacter(Item* item) override;

    std::vector<uint32_t> given;
};

} // namespace GAME::Test
