#pragma once

#include "engine/Actor.h"

#include <cstdint>
#include <vector>

namespace GAME {

// A spawn pool placed by the level designer; it brings monsters into the level when the player
// comes near. So far its class record, which the editor groups of spawn pools accept.
class Proxy : public Actor {
    GAME_DECLARE_CLASS(Proxy)

public:
    Proxy() = default;
    ~Proxy() override;

    // What the pool placed: the monsters themselves and what came with them. Quests learn them
    // when the proxy announces its initial update.
    const std::vector<uint32_t>& GetPrimaryObjects() const { return primaryObjects; }
    const std::vector<uint32_t>& GetAccessoryObjects() const { return accessoryObjects; }
    void SetPlacedObjects(std::vector<uint32_t> primary, std::vector<uint32_t> accessory)
    {
        primaryObjects = std::move(primary);
        accessoryObjects = std::move(accessory);
    }

private:
    std::vector<uint32_t> primaryObjects;
    std::vector<uint32_t> accessoryObjects;
};

} // namespace GAME
