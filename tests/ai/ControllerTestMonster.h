#pragma once

#include "characters/Monster.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ActorConfigCommand.h"
#include "engine/NetPacket.h"
#include "multiplayer/ConfigCmdPackets.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

// Keeps the packet of every command it is handed, and the buff packets apart, then runs the
// command as usual.
class ControllerTestMonster : public Monster {
    GAME_DECLARE_CLASS(ControllerTestMonster)

public:
    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override
    {
        std::unique_ptr<NetPacket> packet = command->GetNetPacket();
        if (packet->GetType() == 87)
            buffs.push_back(static_cast<CreateRemoveSkillBuffConfigCmdPacket&>(*packet));
        sent.push_back(std::move(packet));
        Monster::Enqueue(std::move(command));
    }
    std::vector<uint32_t> Types() const
    {
        std::vector<uint32_t> types;
        for (const auto& packet : sent)
            types.push_back(packet->GetType());
        return types;
    }
    std::vector<std::unique_ptr<NetPacket>> sent;
    std::vector<CreateRemoveSkillBuffConfigCmdPacket> buffs;
};

} // namespace GAME
