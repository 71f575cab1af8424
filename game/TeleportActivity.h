#pragma once

#include "engine/WorldVec3.h"
#include "game/GameActivity.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class GraphicsTexture;
class NetworkRegionLoaderBase;
class PieOmatic;
class Player;

// Moves a player to a far destination over several frames: dissolve, fade to the loading art,
// load the regions around the destination, put the player down and fade back. One variant per
// role; the variant supplies the state steps, what the other machines are told and the move.
class TeleportActivity : public GameActivity {
public:
    static constexpr int32_t kFadeTime = 2500;
    static constexpr int32_t kLoadingStep = 1000;
    static constexpr int32_t kFinishedState = 5;

    TeleportActivity();
    ~TeleportActivity() override;

    // Without a region containing the point only the values are stored.
    void SetDestination(int32_t x, int32_t y, int32_t z, uint32_t playerId);

    void Update(int ms) override;
    void Render(GraphicsCanvas& canvas) override;
    bool IsFinished() override { return state == kFinishedState; }

    virtual void AddStatisticText() = 0;
    virtual void StartOutbound() = 0;
    virtual void MoveCharacter() = 0;

    int32_t GetState() const { return state; }
    int32_t GetStateTimer() const { return stateTimer; }
    const WorldVec3& GetDestination() const { return destination; }
    uint32_t GetPlayerId() const { return playerId; }
    NetworkRegionLoaderBase* GetRegionLoader() const { return regionLoader.get(); }
    const PieOmatic& GetPie() const { return *pie; }
    bool HasRaisedNeedsSleep() const { return raisedNeedsSleep; }
    uint32_t GetDepartureSoundId() const { return departureSoundId; }

protected:
    // Resets the state timer.
    void SetState(int32_t newState);
    // The variant's state table, run after the shared step while the player exists.
    virtual void UpdateState() = 0;
    // Whether the variant draws the fade and the pie at all.
    virtual bool DrawsOverlay() const { return true; }

    Player* GetPlayer() const;
    // True when the regions are loaded, or there is no loader to wait for.
    bool IsLoaderDone() const;
    // The shared state-2 wait: once the loader is done the timer keeps its remainder.
    void WaitForLoading();
    bool IsLoaded() const { return loaded; }

    // State 0 of every variant: the player turns untouchable and dissolves where he stands.
    void Depart(Player& player);
    // The player's mesh and every attached actor's mesh.
    void BeginDissolve(Player& player) const;
    void BeginUnDissolve(Player& player) const;
    void AddTeleportEffect(Player& player) const;
    // Puts the player on the floor below the destination, in the world or into it.
    void PlaceCharacterAtDestination(Player& player) const;

    // At most once per activity; the destructor lowers exactly what was raised.
    void RaiseNeedsSleep();

    void SetRegionLoader(std::unique_ptr<NetworkRegionLoaderBase> loader);
    PieOmatic& GetPieForUpdate() { return *pie; }
    const int32_t* GetIntegerDestination() const { return integerDestination; }

private:
    int32_t state = 0;
    int32_t stateTimer = 0;
    WorldVec3 destination;
    uint32_t playerId = 0;
    int32_t fadeTime = kFadeTime;
    std::string dissolveTexture = "System/Textures/Cloud.tex";
    std::string effectRecord = "Records/Effects/Default/343_Teleport_FXPak.dbr";
    // By id: the object manager may have let it go before the activity ends.
    uint32_t departureSoundId = 0;
    GraphicsTexture* hourglass = nullptr;
    int32_t loadingStep = kLoadingStep;
    bool loaded = false;
    int32_t integerDestination[3] = {0, 0, 0};
    std::unique_ptr<NetworkRegionLoaderBase> regionLoader;
    std::unique_ptr<PieOmatic> pie;
    bool raisedNeedsSleep = false;
};

} // namespace GAME
