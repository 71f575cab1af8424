#pragma once

#include "world/StrategicMovementBase.h"

namespace GAME {

// A shrine that, once touched, is where the player comes back after death; every second it
// heals the characters standing within its bind distance.
class StrategicMovementRespawnShrine : public StrategicMovementBase {
    GAME_DECLARE_CLASS(StrategicMovementRespawnShrine)

public:
    StrategicMovementRespawnShrine() = default;
    ~StrategicMovementRespawnShrine() override;
    void OnAddToLevel(World* /*level*/) override { CreatePathObstacle(); }
    void OnMoveInLevel() override { CreatePathObstacle(); }

    void Load(const LoadTable& table) override;
    // The object's frame, then the healing with the milliseconds it measured.
    void UpdateSelf(int32_t elapsedMs) override;
    void RequestToUse(uint32_t user) override;
    void HandleTargets(const std::vector<uint32_t>& targets) override;
    StrategicMovementBaseState DetermineStateFromPlayer() override;
    bool InstallOnPlayerProximity(Player* player) override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;
    // The healing, on the logic machine only.
    virtual void Update(int32_t elapsedMs);

    // Who the last heal reached, and how many heals came so far.
    const std::vector<uint32_t>& GetLastHealed() const { return lastHealed; }
    uint32_t GetHealCount() const { return healCount; }

    static constexpr int32_t kHealInterval = 1000;
    static constexpr const char* kHealEffect = "Records/Effects/Storm/343_SpellBreaker_FX.dbr";

private:
    int32_t healTimeLeft = 0;
    float healthAbsolute = 0.0f;
    float healthPercent = 0.0f;
    std::vector<uint32_t> lastHealed;
    uint32_t healCount = 0;
};

} // namespace GAME
