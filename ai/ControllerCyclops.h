#pragma once

#include "ai/ControllerMonster.h"
#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <map>
#include <string>

namespace GAME {

// The scripted boss: it sleeps until woken, walks to its first script point, roars (foe
// monsters near it panic, the boss music starts), then charges the player, trampling the foe
// monsters and creatures in its path, and at the end of the charge fights as a monster.
class ControllerCyclops : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerCyclops)

public:
    ControllerCyclops();
    ~ControllerCyclops() override;

    // "postRoarMusic".
    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    // The boss chooses its foes by script, not by what others do to it.
    float ProcessAngerTarget(const Character& foe, int32_t elapsedMs) override;
    virtual void SetPlayerFocused(bool focused) { playerFocused = focused; }

    bool IsPlayerFocused() const { return playerFocused; }
    // Only the points whose script character is this boss.
    void OnScriptPoint(const GameEvent_ScriptPoint& event);
    bool GetScriptPoint(int32_t sequence, WorldCoords& out) const;
    size_t GetNumScriptPoints() const { return scriptPoints.size(); }
    // Nothing for an empty "postRoarMusic": the music playing goes on.
    void PlayBossMusic();

    static constexpr float kRoarRadius = 25.0f;
    static constexpr float kTrampleRadius = 2.0f;
    static constexpr float kTrampleStrength = 4.0f;

protected:
    void RegisterStates() override;
    void RegisterTemporaryStates() override;

private:
    bool playerFocused = false;
    std::map<int32_t, WorldCoords> scriptPoints;
    std::string postRoarMusic;
    EventHandler<ControllerCyclops, GameEvent_ScriptPoint> scriptPointListener;
};

} // namespace GAME
