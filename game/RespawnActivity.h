#pragma once

#include "engine/WorldVec3.h"
#include "game/GameActivity.h"

#include <cstdint>
#include <memory>

namespace GAME {

class NetworkRegionLoaderBase;
class PieOmatic;
class Player;

// Brings a dead player back at a respawn point: fade in, load the regions there, fade out. One
// variant per role; the variant makes the region loader.
class RespawnActivity : public GameActivity {
public:
    static constexpr int32_t kLoadingStep = 1000;
    static constexpr float kFadePerMs = 0.001f;
    static constexpr float kFinishedFade = 0.0001f;

    RespawnActivity();
    ~RespawnActivity() override;

    virtual void AddStatisticText() = 0;
    // Stores both and makes the variant's loader.
    virtual void Begin(const WorldVec3& target, uint32_t playerId);
    virtual void CreateLoader() = 0;

    void Update(int ms) override;
    void Render(GraphicsCanvas& canvas) override;
    bool IsFinished() override { return state == 2 && fadeLevel < kFinishedFade; }
    bool IsRespawnComplete() const { return respawnComplete; }

    int32_t GetState() const { return state; }
    int32_t GetStateTimer() const { return stateTimer; }
    float GetFadeLevel() const { return fadeLevel; }
    float GetFadeTarget() const { return fadeTarget; }
    const WorldVec3& GetTarget() const { return target; }
    uint32_t GetPlayerId() const { return playerId; }
    NetworkRegionLoaderBase* GetRegionLoader() const { return regionLoader.get(); }
    const PieOmatic& GetPie() const { return *pie; }
    bool HasRaisedNeedsSleep() const { return raisedNeedsSleep; }

protected:
    // Whether the variant switches teleport mode, rendering and the needs-sleep counter.
    virtual bool IsLocal() const { return true; }
    virtual bool DrawsOverlay() const { return true; }

    void SetState(int32_t newState);
    // Takes the variant's loader and registers it with the target and the player.
    void InstallLoader(std::unique_ptr<NetworkRegionLoaderBase> loader);
    Player* GetPlayer() const;
    // At most once per activity; the destructor lowers exactly what was raised.
    void RaiseNeedsSleep();

private:
    void UpdateFade(int ms);
    void UpdateStates();
    void FinishLoading();
    void FadeOut();
    void EndWithoutPlayer();

    int32_t state = 0;
    int32_t stateTimer = 0;
    WorldVec3 target;
    uint32_t playerId = 0;
    std::unique_ptr<NetworkRegionLoaderBase> regionLoader;
    // A respawn begins by fading in.
    float fadeTarget = 1.0f;
    float fadeLevel = 0.0f;
    bool loaded = false;
    bool respawnComplete = false;
    int32_t holdFrames = 0;
    int32_t loadingStep = kLoadingStep;
    std::unique_ptr<PieOmatic> pie;
    bool raisedNeedsSleep = false;
};

} // namespace GAME
