#pragma once

#include "ai/ControllerAI.h"
#include "engine/WorldVec3.h"
#include "items/PlayerInventoryCtrl.h"

#include <cstdint>

namespace GAME {

// The human player's controller. For now it carries the bag and what the player aims at; the
// states that turn input into actions come with the player controller work.
class ControllerPlayer : public ControllerAI {
    GAME_DECLARE_CLASS(ControllerPlayer)

public:
    ControllerPlayer();
    ~ControllerPlayer() override = default;

    // Hands the player to the bag and the equipment.
    void PostParentAttached() override;

    // Forgets the enemy, the clicked point and the held mouse order.
    void ClearTarget();
    void SetMouseRepeat(uint32_t id, const WorldVec3& point);
    void SetCombatEnemy(uint32_t id) { combatEnemy = id; }
    uint32_t GetCombatEnemy() const { return combatEnemy; }
    void SetTargetPoint(const WorldVec3& point) { targetPoint = point; }
    const WorldVec3& GetTargetPoint() const { return targetPoint; }

    PlayerInventoryCtrl& GetInventoryCtrl() { return inventoryCtrl; }
    // Equips the item where a slot is free, else puts it in a sack; false when neither took it.
    bool GiveItemToPlayer(uint32_t itemId);

private:
    uint32_t repeatTarget = 0;
    WorldVec3 repeatPoint;
    uint32_t combatEnemy = 0;
    PlayerInventoryCtrl inventoryCtrl;
    WorldVec3 targetPoint;
};

} // namespace GAME
