#include "multiplayer/PlayerManagerClient.h"

#include "characters/Bonus.h"
#include "characters/Player.h"
#include "core/PlayerInfo.h"
#include "core/Saturate.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/PlayerManagerServer.h"

#include <algorithm>
#include <cwctype>

namespace GAME {

namespace {
Player* FindPlayer(uint32_t playerId)
{
    return ObjectManager::Instance().GetObject<Player>(playerId);
}

bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) ==
                      std::towlower(static_cast<wint_t>(y));
           });
}
} // namespace

GameEngineNetworkInterface* PlayerManagerClient::GetNetworkInterface() const
{
    return owner != nullptr ? owner->GetNetworkInterface() : nullptr;
}

void PlayerManagerClient::Update(int ms)
{
    heartbeatTimer = AddSaturating(heartbeatTimer, ms);
    UpdateLocalPlayer();
    if (heartbeatTimer > kHeartbeatIntervalMs) {
        HandlePlayerHeartbeatOutbound();
        heartbeatTimer = 0;
    }
}

void PlayerManagerClient::HandlePlayerHeartbeatOutbound()
{
    const Player* player = FindPlayer(mainPlayer);
    GameEngineNetworkInterface* network = GetNetworkInterface();
    if (player == nullptr || network == nullptr)
        return;
    PlayerNetHeartbeatInfo heartbeat;
    player->GetPlayerNetHeartbeatInfo(heartbeat);
    network->CtoS_SinglePlayerHeartbeat(heartbeat);
}

void PlayerManagerClient::HandlePlayerHeartbeatInbound(
    const std::vector<PlayerNetHeartbeatInfo>& heartbeats)
{
    for (const PlayerNetHeartbeatInfo& heartbeat : heartbeats) {
        // This machine knows its own player better than the server does.
        if (heartbeat.playerId == mainPlayer)
            continue;
        for (PlayerNetBasicInfo& record : playerInfoCache)
            if (record.playerId == heartbeat.playerId)
                record = heartbeat;
    }
}

void PlayerManagerClient::HandlePlayerUpdate(const std::vector<PlayerNetBasicInfo>& players)
{
    CriticalSectionLock guard(lock);
    playersInGame.resize(players.size());
    for (size_t i = 0; i < players.size(); ++i)
        playersInGame[i] = players[i].playerId;
    playerInfoCache = players;
    UpdateLocalPlayer();
    UpdateGameInfo();
}

// Whatever the server last sent, the local record is the player as it is now.
void PlayerManagerClient::UpdateLocalPlayer()
{
    const Player* player = FindPlayer(mainPlayer);
    if (player == nullptr)
        return;
    for (PlayerNetBasicInfo& record : playerInfoCache)
        if (record.playerId == mainPlayer)
            player->GetPlayerNetBasicInfo(record);
}

// The engine's game info keeps no list of player names yet.
void PlayerManagerClient::UpdateGameInfo() {}

void PlayerManagerClient::SetMainPlayer(uint32_t playerId)
{
    CriticalSectionLock guard(lock);
    mainPlayer = playerId;
    if (FindRecord(playerId) != nullptr)
        return;
    playersInGame.push_back(playerId);
    const Player* player = FindPlayer(playerId);
    if (player == nullptr)
        return;
    PlayerNetBasicInfo record;
    player->GetPlayerNetBasicInfo(record);
    playerInfoCache.push_back(record);
    if (PlayerManagerServer* server = GameEngine::Get().GetPlayerManagerServer()) {
        PlayerNetBasicInfo fresh;
        player->GetPlayerNetBasicInfo(fresh);
        server->HandleNewPlayer(fresh);
    }
}

void PlayerManagerClient::RemovePlayerFromGame(int host)
{
    CriticalSectionLock guard(lock);
    for (size_t i = 0; i < playersInGame.size();) {
        if (GetHostOfPlayer(playersInGame[i]) != host) {
            ++i;
            continue;
        }
        playersInGame.erase(playersInGame.begin() + static_cast<std::ptrdiff_t>(i));
        // The two lists differ in length only after SetMainPlayer met no player object.
        if (i < playerInfoCache.size())
            playerInfoCache.erase(playerInfoCache.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void PlayerManagerClient::Clear()
{
    playersInGame.clear();
    playerInfoCache.clear();
    mainPlayer = 0;
}

void PlayerManagerClient::AddPlayerToParty(uint32_t playerId, int32_t partyId)
{
    for (PlayerNetBasicInfo& record : playerInfoCache)
        if (record.playerId == playerId)
            record.partyId = partyId;
}

// A bonus that the local player's own object earned has been taken here already.
void PlayerManagerClient::HandleBonus(const Bonus& bonus)
{
    if (bonus.sourceId == GameEngine::Get().GetPlayerId())
        return;
    if (Player* player = FindPlayer(bonus.receiverId))
        player->TakeBonus(bonus, false, PlayStatsLife_Unknown);
}

void PlayerManagerClient::GetPlayerInfo(PlayerInfo& info)
{
    info.Clear();
    CriticalSectionLock guard(lock);
    uint32_t sum = 0;
    for (uint32_t id : playersInGame) {
        const Player* player = FindPlayer(id);
        if (player == nullptr)
            continue;
        const uint32_t level = player->GetCharLevel();
        if (info.minPlayerLevel == 0 || level < info.minPlayerLevel)
            info.minPlayerLevel = level;
        info.maxPlayerLevel = std::max(info.maxPlayerLevel, level);
        sum += level;
        ++info.numberOfPlayers;
    }
    if (info.numberOfPlayers != 0)
        info.averagePlayerLevel = static_cast<uint32_t>(
            static_cast<float>(sum) / static_cast<float>(info.numberOfPlayers) + 0.5f);
}

PlayerNetBasicInfo PlayerManagerClient::GetPlayerInfo(uint32_t playerId) const
{
    const PlayerNetBasicInfo* record = FindRecord(playerId);
    return record != nullptr ? *record : PlayerNetBasicInfo();
}

std::vector<uint32_t> PlayerManagerClient::GetAllPlayersInGame()
{
    CriticalSectionLock guard(lock);
    return playersInGame;
}

uint32_t PlayerManagerClient::GetPlayerIdFromHostId(int host) const
{
    for (uint32_t id : playersInGame)
        if (GetHostOfPlayer(id) == host)
            return id;
    return 0;
}

std::string PlayerManagerClient::GetPlayerClass(uint32_t playerId) const
{
    const PlayerNetBasicInfo* record = FindRecord(playerId);
    return record != nullptr ? record->classTag : std::string();
}

std::wstring PlayerManagerClient::GetPlayerName(uint32_t playerId) const
{
    const PlayerNetBasicInfo* record = FindRecord(playerId);
    return record != nullptr ? record->name : std::wstring(L"ErrorName");
}

WorldVec3 PlayerManagerClient::GetPlayerLocation(uint32_t playerId) const
{
    const PlayerNetBasicInfo* record = FindRecord(playerId);
    return record != nullptr ? record->position : WorldVec3();
}

std::wstring PlayerManagerClient::GetPlayerLevel(uint32_t playerId) const
{
    const PlayerNetBasicInfo* record = FindRecord(playerId);
    if (record == nullptr)
        return std::wstring();
    return LocalizationManager::ToWChar(std::to_string(record->level));
}

bool PlayerManagerClient::IsPlayerInList(uint32_t playerId) const
{
    return FindRecord(playerId) != nullptr;
}

bool PlayerManagerClient::IsPlayerInGame(uint32_t playerId) const
{
    return std::find(playersInGame.begin(), playersInGame.end(), playerId) != playersInGame.end();
}

uint32_t PlayerManagerClient::GetPlayerWithName(const std::wstring& name) const
{
    std::wstring bare = name;
    if (!bare.empty() && bare.front() == L'"') {
        if (bare.size() < 3)
            return 0;
        bare = bare.substr(1, bare.size() - 2);
    }
    for (const PlayerNetBasicInfo& record : playerInfoCache)
        if (EqualsIgnoringCase(record.name, bare))
            return record.playerId;
    return 0;
}

void PlayerManagerClient::BanPlayer(const std::string& name)
{
    BanPlayer(LocalizationManager::ToWChar(name));
}

// The name compared is the one the player list holds, which the server keeps in step with the
// players themselves.
void PlayerManagerClient::BanPlayer(const std::wstring& name)
{
    const std::string narrow = LocalizationManager::ToChar(name);
    for (uint32_t id : playersInGame) {
        const PlayerNetBasicInfo* record = FindRecord(id);
        if (FindPlayer(id) == nullptr || record == nullptr || record->name != name)
            continue;
        gEngine->GetNetworkConnectionManager().DropHost(GetHostOfPlayer(id), "ban");
        gEngine->Log(Engine::LogInfo, "Banning Host %d (%s)", GetHostOfPlayer(id), narrow.c_str());
    }
}

void PlayerManagerClient::DumpPlayersToConsole() const
{
    gEngine->Log(Engine::LogInfo, "===================================");
    gEngine->Log(Engine::LogInfo, "Player List:");
    for (const PlayerNetBasicInfo& record : playerInfoCache) {
        gEngine->Log(Engine::LogInfo, "Name:    %s",
                     LocalizationManager::ToChar(record.name).c_str());
        gEngine->Log(Engine::LogInfo, "Gender:  %s", record.isMale ? "Male" : "Female");
        gEngine->Log(Engine::LogInfo, "Id:      %d", static_cast<int>(record.playerId));
        gEngine->Log(Engine::LogInfo, "Level:   %d", static_cast<int>(record.level));
        gEngine->Log(Engine::LogInfo, "%s", "");
    }
    gEngine->Log(Engine::LogInfo, "===================================");
}

const PlayerNetBasicInfo* PlayerManagerClient::FindRecord(uint32_t playerId) const
{
    for (const PlayerNetBasicInfo& record : playerInfoCache)
        if (record.playerId == playerId)
            return &record;
    return nullptr;
}

} // namespace GAME
