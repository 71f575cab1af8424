#pragma once

#include "engine/ActorConfigCommand.h"
#include "world/FixedItem.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

class NetPacket;

// The three commands that carry a fixed item's decisions to every machine. Each looks its item
// up when it runs; an item that is gone (or an id that names something else) does nothing.

class FixedItemStateChangeConfigCmd : public ActorConfigCommand {
public:
    FixedItemStateChangeConfigCmd(uint32_t itemId, FixedItem_State state, uint32_t user,
                                  bool playSounds);
    FixedItemStateChangeConfigCmd(const FixedItemStateChangeConfigCmd&) = default;
    FixedItemStateChangeConfigCmd& operator=(const FixedItemStateChangeConfigCmd&) = delete;
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

    FixedItem_State GetState() const { return state; }
    uint32_t GetUser() const { return user; }
    bool GetPlaySounds() const { return playSounds; }

private:
    FixedItem_State state;
    uint32_t user;
    bool playSounds;
};

// A user and a list of ids, for the two target commands.
class FixedItemTargetsConfigCmd : public ActorConfigCommand {
public:
    uint32_t GetUser() const { return user; }
    const std::vector<uint32_t>& GetTargets() const { return targets; }

protected:
    FixedItemTargetsConfigCmd(uint32_t itemId, uint32_t user, const std::vector<uint32_t>& targets);
    FixedItem* FindItem() const;

    uint32_t user;
    std::vector<uint32_t> targets;
};

// Every machine gives the item's bonus to the targets.
class FixedItemTargetConfigCmd : public FixedItemTargetsConfigCmd {
public:
    FixedItemTargetConfigCmd(uint32_t itemId, uint32_t user, const std::vector<uint32_t>& targets)
        : FixedItemTargetsConfigCmd(itemId, user, targets)
    {}
    FixedItemTargetConfigCmd(const FixedItemTargetConfigCmd&) = default;
    FixedItemTargetConfigCmd& operator=(const FixedItemTargetConfigCmd&) = default;
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

// Every machine lets the item's trap skill act on the targets.
class FixedItemSkillTargetConfigCmd : public FixedItemTargetsConfigCmd {
public:
    FixedItemSkillTargetConfigCmd(uint32_t itemId, uint32_t user,
                                  const std::vector<uint32_t>& targets)
        : FixedItemTargetsConfigCmd(itemId, user, targets)
    {}
    FixedItemSkillTargetConfigCmd(const FixedItemSkillTargetConfigCmd&) = default;
    FixedItemSkillTargetConfigCmd& operator=(const FixedItemSkillTargetConfigCmd&) = default;
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

} // namespace GAME
