#include "multiplayer/PlayerManagerServer.h"

#include "characters/Bonus.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PartyManager.h"
#include "multiplayer/PlayerManagerClient.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace GAME {

namespace {
constexpr const char* kBonusSharingRecord = "Records/Game/BonusSharing.dbr";
// The whole list replaces a heartbeat after the first four, then after every three.
constexpr int32_t kHeartbeatsPerFullUpdate = 3;

float Distance(const WorldVec3& a, const WorldVec3& b)
{
    const World* world = gEngine->GetWorld();
    return world != nullptr ? world->GetDistance(a, b) : std::numeric_limits<float>::infinity();
}

uint32_t OwnPlayerId()
{
    return GameEngine::Get().GetPlayerId();
}

std::wstring NameOf(uint32_t playerId)
{
    PlayerManagerClient* client = GameEngine::Get().GetPlayerManagerClient();
    return client != nullptr ? client->GetPlayerName(playerId) : std::wstring(L"ErrorName");
}

// Tells every player in `players` but `except` the text.
void TellOthers(const std::vector<uint32_t>& players, uint32_t except, const std::wstring& text)
{
    GameEngine& game = GameEngine::Get();
    for (uint32_t id : players)
        if (id != except)
            game.DisplayWMessageRemote(id, true, text);
}
} // namespace

PlayerManagerServer::PlayerManagerServer()
{
    LoadEquations();
}

PlayerManagerServer::~PlayerManagerServer() = default;

GameEngineNetworkInterface* PlayerManagerServer::GetNetworkInterface() const
{
    return owner != nullptr ? owner->GetNetworkInterface() : nullptr;
}

void PlayerManagerServer::Update(int ms)
{
    updateTimer = AddSaturating(updateTimer, ms);
    if (updateTimer <= kUpdateIntervalMs)
        return;
    if (tickCount > kHeartbeatsPerFullUpdate) {
        HandlePlayerUpdateOutbound();
        tickCount = 0;
    } else {
        HandlePlayerHeartbeatOutbound();
    }
    ++tickCount;
    updateTimer = 0;
}

void PlayerManagerServer::HandlePlayerHeartbeatOutbound()
{
    GameEngineNetworkInterface* network = GetNetworkInterface();
    if (network == nullptr)
        return;
    const std::vector<PlayerNetHeartbeatInfo> heartbeats(playerInfo.begin(), playerInfo.end());
    network->StoC_AllPlayersHeartbeat(heartbeats);
}

void PlayerManagerServer::HandlePlayerUpdateOutbound()
{
    if (GameEngineNetworkInterface* network = GetNetworkInterface())
        network->StoC_AllPlayersUpdate(playerInfo);
}

// A client says how its player stands; his party is the server's to say. A heartbeat sent
// before the client heard of a join carries the party it had: taken, that stale party would go
// back to every machine with the next list, and from there into the client's next heartbeat.
void PlayerManagerServer::HandlePlayerHeartbeatInbound(const PlayerNetHeartbeatInfo& heartbeat)
{
    for (PlayerNetBasicInfo& record : playerInfo) {
        if (record.playerId != heartbeat.playerId)
            continue;
        const int32_t party = record.partyId;
        record = heartbeat;
        record.partyId = party;
    }
}

void PlayerManagerServer::HandleNewPlayer(const PlayerNetBasicInfo& player)
{
    const uint32_t newId = player.playerId;
    if (std::find(players.begin(), players.end(), newId) != players.end())
        return;
    players.push_back(newId);
    playerInfo.push_back(player);
    // The party is the party manager's to set, never the joining record's: a client could name
    // any party in it and be shown a member of it without an invitation.
    const PartyManager* parties = GameEngine::Get().GetPartyManager();
    playerInfo.back().partyId =
        parties != nullptr ? static_cast<int32_t>(parties->GetParty(newId)) : 0;
    HandlePlayerUpdateOutbound();
    GameEngine& game = GameEngine::Get();
    game.SendFixedItemTeleports(newId);
    for (uint32_t id : players)
        if (id != newId)
            game.DisplayMessageRemote(id, newId, true, "tagMessageGameJoin");
}

void PlayerManagerServer::HandleRemovePlayer(uint32_t playerId)
{
    TellOthers(players, playerId,
               LocalizationManager::Instance().Format("tagMessageLeave", NameOf(playerId)));
    const auto found = std::find(players.begin(), players.end(), playerId);
    if (found == players.end())
        return;
    const auto index = found - players.begin();
    players.erase(found);
    playerInfo.erase(playerInfo.begin() + index);
}

void PlayerManagerServer::RemovePlayerFromGame(int host)
{
    uint32_t leaver = 0;
    for (uint32_t id : players)
        if (PlayerManagerClient::GetHostOfPlayer(id) == host)
            leaver = id;
    TellOthers(players, leaver,
               LocalizationManager::Instance().Format("tagMessageGameLeave", NameOf(leaver)));

    for (size_t i = 0; i < players.size();) {
        if (PlayerManagerClient::GetHostOfPlayer(players[i]) != host) {
            ++i;
            continue;
        }
        players.erase(players.begin() + static_cast<std::ptrdiff_t>(i));
        playerInfo.erase(playerInfo.begin() + static_cast<std::ptrdiff_t>(i));
    }

    PartyManager* parties = GameEngine::Get().GetPartyManager();
    if (leaver != 0 && parties != nullptr)
        parties->CleanUpForPlayerLeave(leaver);
}

void PlayerManagerServer::Clear()
{
    players.clear();
    playerInfo.clear();
}

void PlayerManagerServer::AddPlayerToParty(uint32_t playerId, int32_t partyId)
{
    for (PlayerNetBasicInfo& record : playerInfo)
        if (record.playerId == playerId)
            record.partyId = partyId;
}

WorldVec3 PlayerManagerServer::GetPlayerLocation(uint32_t playerId) const
{
    for (const PlayerNetBasicInfo& record : playerInfo)
        if (record.playerId == playerId)
            return record.position;
    return WorldVec3();
}

float PlayerManagerServer::GetExperienceMultiplier(uint32_t playerId, uint32_t victimId) const
{
    const GameEngine& game = GameEngine::Get();
    const float damage = game.GetDamageByAttacker(playerId, victimId);
    if (damage == 0.0f || std::isnan(damage))
        return 0.0f;
    return damage / game.GetTotalDamageDone(victimId);
}

bool PlayerManagerServer::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    const std::string key = name != nullptr ? name : "";
    if (key == "amountOfGold")
        value = amountOfGold;
    else if (key == "amountOfExperience")
        value = amountOfExperience;
    else if (key == "evaluatingPartyMemberCount")
        value = evaluatingPartyMemberCount;
    else
        return false;
    return true;
}

void PlayerManagerServer::LoadEquations()
{
    struct Source {
        const char* key;
        std::unique_ptr<DesignerEquation<float>>& equation;
        const char* failure;
    };
    const Source sources[] = {
        {"ActiveExperience", activeExperience,
         "-=- Equation Load Failure: activeExperienceEquation"},
        {"PassiveExperience", passiveExperience,
         "-=- Equation Load Failure: passiveExperienceEquation"},
        {"ActiveGold", activeGold, "-=- Equation Load Failure: activeGoldEquation"},
        {"PassiveGold", passiveGold, "-=- Equation Load Failure: passiveGoldEquation"},
    };

    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(kBonusSharingRecord);
    const LoadTable& table = objects.GetLoadTable(kBonusSharingRecord);
    for (const Source& source : sources) {
        source.equation.reset();
        const std::string text = table.GetString(source.key);
        if (text.empty())
            continue;
        auto equation = std::make_unique<DesignerEquation_Algebra>();
        if (equation->ParseEquation(text.c_str(), this))
            source.equation = std::move(equation);
        else
            gEngine->Log(Engine::LogData, "%s", source.failure);
    }
}

void PlayerManagerServer::HandleBonus(const Bonus& bonus, const WorldVec3& location,
                                      const uint32_t& earnerId)
{
    GameEngineNetworkInterface* network = GetNetworkInterface();
    if (network == nullptr)
        return;
    const std::vector<BonusShare> shares = ComputeBonusShares(
        bonus.goldPoints, bonus.experiencePoints, location, earnerId, bonus.sourceId);
    for (const BonusShare& share : shares) {
        Bonus copy = bonus;
        copy.receiverId = share.playerId;
        copy.experiencePoints = share.experience;
        if (share.sharesGold)
            copy.goldPoints = share.gold;
        network->HandleBonusToClient(copy, share.playerId);
    }
}

std::vector<PlayerManagerServer::BonusShare>
PlayerManagerServer::ComputeBonusShares(uint32_t gold, uint32_t experience,
                                        const WorldVec3& location, uint32_t earnerId,
                                        uint32_t sourceId)
{
    std::vector<BonusShare> shares;
    if (players.size() == 1) {
        // Alone in the game, only the local player earns, by his share of the damage.
        if (earnerId != OwnPlayerId())
            return shares;
        const float multiplier = GetExperienceMultiplier(earnerId, sourceId);
        shares.push_back(
            {earnerId, SaturateToUInt(static_cast<float>(experience) * multiplier), false, gold});
        return shares;
    }

    PartyManager* parties = GameEngine::Get().GetPartyManager();
    for (uint32_t playerId : players) {
        if (!(Distance(GetPlayerLocation(playerId), location) < kBonusShareRadius))
            continue;
        amountOfGold = static_cast<float>(gold);
        amountOfExperience = static_cast<float>(experience);
        evaluatingPartyMemberCount =
            parties != nullptr ? static_cast<float>(parties->GetNumPlayersInPartyNear(
                                     parties->GetParty(playerId), location, kBonusShareRadius))
                               : 1.0f;

        const bool earner = playerId == earnerId;
        const float shareExperience = earner ? Evaluate(activeExperience, amountOfExperience)
                                             : Evaluate(passiveExperience, 0.0f);
        const float shareGold =
            earner ? Evaluate(activeGold, amountOfGold) : Evaluate(passiveGold, 0.0f);
        const float multiplier =
            parties != nullptr ? parties->GetPartyExperienceMultiplier(playerId, sourceId) : 0.0f;
        const uint32_t truncatedExperience = SaturateToUInt(shareExperience);
        shares.push_back({playerId,
                          SaturateToUInt(static_cast<float>(truncatedExperience) * multiplier),
                          true, SaturateToUInt(shareGold)});
    }
    return shares;
}

// Without its equation, a share is `fallback`: the earner keeps the unshared amount and a
// bystander gets nothing, so a broken record never pays the whole reward to everyone near.
float PlayerManagerServer::Evaluate(const std::unique_ptr<DesignerEquation<float>>& equation,
                                    float fallback)
{
    return equation != nullptr ? (*equation)() : fallback;
}

} // namespace GAME
