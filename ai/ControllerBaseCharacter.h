#pragma once

#include "ai/Controller.h"
#include "characters/CharacterActionType.h"
#include "engine/GameTimer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Character;
class CharacterAction;
class CollisionData;
class Name;
class ProjectileInfo;
class WorldCoords;
class WorldVec3;

// Runs a character's actions: every action a controller issues passes `HandleAction`, which asks
// `CheckAction` whether it runs now, waits behind the running one, or is refused. Keeps one
// action held back while its pre-action (the walk there) runs, one queued, and fills every gap
// with an idle action once the first update has run.
class ControllerBaseCharacter : public Controller {
    GAME_DECLARE_CLASS(ControllerBaseCharacter)

public:
    ControllerBaseCharacter();
    ~ControllerBaseCharacter() override;

    // Virtual operations, in the order of their slots (after those of `Controller`).
    virtual void InitialUpdate();
    virtual void Update(int32_t elapsedMs);
    virtual void DebugRender();
    virtual void TriggerFired() {}
    virtual void HandleEvent(const Name& /*event*/) {}
    virtual void SetTarget(uint32_t id) { target = id; }
    virtual uint32_t GetTarget() const { return target; }
    virtual void RespawnMe();
    virtual void LowHealth() {}
    virtual void EndOfPathReached() {}
    virtual void LostSlot() {}
    virtual void PickupItem(uint32_t /*itemId*/) {}
    virtual void Teleport(const WorldCoords& /*coords*/) {}
    virtual void ProjectileNotification(uint32_t /*projectileId*/) {}
    virtual void ProjectileCollisionCallback(const ProjectileInfo& /*info*/,
                                             const CollisionData& /*data*/)
    {}
    virtual void CharacterHandlerUpdate(int32_t elapsedMs);
    virtual CharacterActionPermission CheckAction(CharacterActionType type);

    // Takes ownership; in a network game the action is sent first, then run here.
    void HandleAction(CharacterAction* action);
    // Takes ownership; the way an action received from another machine enters.
    void LocalHandleAction(CharacterAction* action);

    // Replace the held action, deleting the one held before.
    void SetPendingAction(CharacterAction* action);
    void SetQueuedAction(CharacterAction* action);
    // Hand the held action over (the caller owns it) and clear the field.
    CharacterAction* GetPendingAction();
    CharacterAction* GetQueuedAction();
    // The existing entity nearest to `from`; 0 when none of the ids exists.
    static uint32_t FindClosestActor(const WorldVec3& from, const std::vector<uint32_t>& ids);

    void PushDebugRenderText(const std::string& text);
    void FlushDebugRender();
    void GetActionsAsStrings(std::vector<std::string>& lines) const;

protected:
    // The driven character; null when it is gone.
    Character* GetCharacter() const;
    // Runs the action through its pre-action when it has one, keeping it pending meanwhile.
    void ExecuteWithPreAction(Character& character, std::unique_ptr<CharacterAction> action);

private:
    uint32_t target = 0;
    // Kept running for the layers above; nothing here reads it.
    GameTimer timer;
    bool idleWhenFree = false;
    std::unique_ptr<CharacterAction> pendingAction;
    std::unique_ptr<CharacterAction> queuedAction;
    std::vector<std::string> debugText;
    bool needsInitialUpdate = true;
};

} // namespace GAME
