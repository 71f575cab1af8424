#pragma once

#include "core/EquationInterface.h"
#include "engine/WorldVec3.h"
#include "multiplayer/PlayerNetBasicInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Bonus;
class GameEngineNetworkInterface;
class GameEngineServerServicesModule;
template <typename T> class DesignerEquation;

// The authoritative player list, on a server and in single player: merges the clients'
// heartbeats, tells everyone about everyone on a fixed rhythm, announces joins and leaves, and
// shares the rewards of kills among the players near them.
class PlayerManagerServer final : public EquationInterface<float> {
public:
    static constexpr int32_t kUpdateIntervalMs = 1100;
    // Players farther than this from a kill share nothing of it.
    static constexpr float kBonusShareRadius = 25.0f;

    // What one player receives of a kill's reward: the experience always, the gold only when
    // the sharing equations decided it.
    struct BonusShare {
        uint32_t playerId = 0;
        uint32_t experience = 0;
        bool sharesGold = false;
        uint32_t gold = 0;
    };

    PlayerManagerServer();
    ~PlayerManagerServer();
    PlayerManagerServer(const PlayerManagerServer&) = delete;
    PlayerManagerServer& operator=(const PlayerManagerServer&) = delete;

    void SetServerServicesModule(GameEngineServerServicesModule* module) { owner = module; }
    GameEngineNetworkInterface* GetNetworkInterface() const;

    void Update(int ms);
    void HandlePlayerHeartbeatOutbound();
    void HandlePlayerUpdateOutbound();
    void HandlePlayerHeartbeatInbound(const PlayerNetHeartbeatInfo& heartbeat);
    void HandleNewPlayer(const PlayerNetBasicInfo& player);
    void HandleRemovePlayer(uint32_t playerId);
    void RemovePlayerFromGame(int host);
    void Clear();
    void AddPlayerToParty(uint32_t playerId, int32_t partyId);

    uint32_t GetNumberOfPlayers() const { return static_cast<uint32_t>(players.size()); }
    const std::vector<uint32_t>& GetPlayers() const { return players; }
    WorldVec3 GetPlayerLocation(uint32_t playerId) const;
    float GetExperienceMultiplier(uint32_t playerId, uint32_t victimId) const;

    bool GetDesignerVariable(const char* name, float& value) override;
    void LoadEquations();

    void HandleBonus(const Bonus& bonus, const WorldVec3& location, const uint32_t& earnerId);
    // Who receives what of a reward of `gold` and `experience` for the kill of `sourceId` at
    // `location` by `earnerId`; HandleBonus sends one bonus per share.
    std::vector<BonusShare> ComputeBonusShares(uint32_t gold, uint32_t experience,
                                               const WorldVec3& location, uint32_t earnerId,
                                               uint32_t sourceId);

private:
    static float Evaluate(const std::unique_ptr<DesignerEquation<float>>& equation, float fallback);

    GameEngineServerServicesModule* owner = nullptr;
    std::vector<uint32_t> players;
    std::vector<PlayerNetBasicInfo> playerInfo; // parallel to players
    int32_t updateTimer = 0;
    int32_t tickCount = 0;
    std::unique_ptr<DesignerEquation<float>> activeExperience;
    std::unique_ptr<DesignerEquation<float>> passiveExperience;
    std::unique_ptr<DesignerEquation<float>> activeGold;
    std::unique_ptr<DesignerEquation<float>> passiveGold;
    float amountOfGold = 0.0f;
    float amountOfExperience = 0.0f;
    float evaluatingPartyMemberCount = 0.0f;
};

} // namespace GAME
