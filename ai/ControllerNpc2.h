#pragma once

#include "ai/ControllerAI.h"
#include "core/UniqueId.h"

#include <cstdint>
#include <vector>

namespace GAME {

class LoadTable;

// The controller of the talking townsfolk: they idle, wander between their points, watch
// attractions and chat with players nearby. They fight nobody.
class ControllerNpc2 : public ControllerAI {
    GAME_DECLARE_CLASS(ControllerNpc2)

public:
    ControllerNpc2();
    ~ControllerNpc2() override = default;

    void Load(const LoadTable& table) override;
    void DebugRender() override;
    // Collects the wander points of the wanderer groups the character belongs to.
    void PostParentAttached() override;

    int32_t GetIdleTimeMin() const { return idleTimeMin; }
    int32_t GetIdleTimeMax() const { return idleTimeMax; }
    bool IsDebugRenderClicked() const { return debugRenderClicked; }
    const std::vector<UniqueId>& GetWanderPoints() const { return wanderPoints; }
    uint32_t GetCurrentWanderPoint() const { return currentWanderPoint; }
    void SetCurrentWanderPoint(uint32_t index) { currentWanderPoint = index; }

    // The nearest player within the social radius, else one within the alert radius, else 0.
    uint32_t GetSocialTarget() const;
    // Toggles this controller's debug view and the townsperson's own.
    void OnDebugRenderClick();

protected:
    void RegisterStates() override;
    void RegisterTemporaryStates() override {}
    void InitializeStates() override;

private:
    void GetPlayersInRadius(float radius, std::vector<uint32_t>& ids) const;

    float socialRadius = 0.0f;
    float alertRadius = 0.0f;
    int32_t idleTimeMin = 0; // ms
    int32_t idleTimeMax = 0; // ms
    std::vector<UniqueId> wanderPoints;
    uint32_t currentWanderPoint = 0;
    bool debugRenderClicked = false;
};

} // namespace GAME
