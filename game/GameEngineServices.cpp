#include "game/GameEngine.h"

#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/MathUtils.h"
#include "engine/AmbianceManager.h"
#include "engine/CriticalSection.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/Viewport.h"
#include "engine/WorldFrustum.h"
#include "game/ActivityManager.h"
#include "game/GameUIInterface.h"
#include "items/ItemSet.h"
#include "items/MarketClient.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "skills/SkillProfile.h"
#include "world/GameCamera.h"

#include <algorithm>

namespace GAME {

namespace {
// The screen a default camera is imagined on when the game needs a player's view.
const Viewport kDefaultViewport(0, 0, 1024, 768);
} // namespace

uint32_t GameEngine::GetPlayerId() const
{
    const PlayerManagerClient* players = GetPlayerManagerClient();
    return players != nullptr ? players->GetMainPlayer() : 0;
}

Player* GameEngine::GetMainPlayer() const
{
    const uint32_t id = GetPlayerId();
    return id != 0 ? ObjectManager::Instance().GetObject<Player>(id) : nullptr;
}

bool GameEngine::IsPlayerAlive() const
{
    const Player* player = GetMainPlayer();
    return player != nullptr && player->GetLifeState() == LifeState_Alive;
}

bool GameEngine::IsGameWaiting() const
{
    if (!IsPlayerAlive() || gameLoading)
        return true;
    return GetMainPlayer()->IsTeleporting();
}

std::wstring GameEngine::GetPlayerName(uint32_t playerId) const
{
    if (const PlayerManagerClient* players = GetPlayerManagerClient()) {
        for (const PlayerNetBasicInfo& player : players->GetPlayerInfoCache()) {
            if (player.playerId == playerId)
                return player.name;
        }
    }
    return std::wstring();
}

void GameEngine::GetPlayerInfo(PlayerInfo& info) const
{
    if (PlayerManagerClient* players = GetPlayerManagerClient())
        players->GetPlayerInfo(info);
    info.gameDifficulty = static_cast<uint32_t>(GetGameDifficulty());
}

void GameEngine::RemovePlayerFromGame(int host)
{
    if (PlayerManagerServer* server = GetPlayerManagerServer())
        server->RemovePlayerFromGame(host);
    if (PlayerManagerClient* client = GetPlayerManagerClient())
        client->RemovePlayerFromGame(host);
}

void GameEngine::ExitPlayingMode()
{
    if (PlayerManagerServer* server = GetPlayerManagerServer())
        server->Clear();
    if (PlayerManagerClient* client = GetPlayerManagerClient())
        client->Clear();
    localPets.clear();
    AmbianceManager::Instance().Reset();
    heroBossProxies.clear();
    teleportInfoList.clear();
    ActivityManager::Get().Clear();
    camera->ResetToDefaults(true);
}

void GameEngine::TryJump(uint32_t entityId)
{
    const Entity* entity = ObjectManager::Instance().GetObject<Entity>(entityId);
    if (entity == nullptr) {
        gEngine->Log(Engine::LogData, "Entity: %d is not loaded.", static_cast<int>(entityId));
        return;
    }
    if (Player* player = GetMainPlayer())
        player->TeleportToLocation(entity->GetCoords());
    else
        gEngine->Log(Engine::LogData, "Player is null!");
}

GameDifficulty GameEngine::GetGameDifficulty() const
{
    return static_cast<GameDifficulty>(gEngine->GetGameInfo().GetDifficulty());
}

void GameEngine::SetGameDifficulty(GameDifficulty difficulty)
{
    gEngine->GetGameInfo().SetDifficulty(static_cast<uint32_t>(difficulty));
}

// Characters are spawned by the levels and the player managers; these requests of the host's
// console have nothing left to do.
void GameEngine::InvokeSpawnCharacter(const std::string& /*name*/, uint32_t /*id*/) {}
void GameEngine::InvokeSpawnCharacter(const std::string& /*name*/) {}
void GameEngine::DefaultSpawn(uint32_t /*id*/) {}
void GameEngine::HandleSpawnCharacter(uint32_t /*id*/, uint32_t /*otherId*/) {}
void GameEngine::HandleSpawnCharacter(uint32_t /*id*/) {}
void GameEngine::HandleRespawnCharacter(uint32_t /*id*/, uint32_t /*otherId*/) {}

void GameEngine::BanPlayer(uint32_t playerId, bool ask)
{
    PlayerManagerClient* players = GetPlayerManagerClient();
    if (players == nullptr)
        return;
    const std::wstring name = players->GetPlayerName(playerId);
    const LocalizationManager& texts = LocalizationManager::Instance();
    if (ask) {
        dialogManager->AddDialog(DialogManager::DialogQuestion, false,
                                 DialogManager::PartyBanPlayer,
                                 texts.Format("tagQuestionBan", name), true, true);
        pendingBanId = playerId;
        return;
    }
    const std::wstring message = texts.Format("tagMessageBan", name);
    for (uint32_t player : players->GetAllPlayersInGame()) {
        if (player != playerId)
            currentInterface->DisplayWMessageRemote(player, true, message);
    }
    players->BanPlayer(name);
}

void GameEngine::AddNotification(UINotification notification, bool clearFirst)
{
    if (clearFirst)
        notifications.clear();
    // The same message twice in a row would only repeat itself on screen.
    if (!notifications.empty() && notifications.back() == notification)
        return;
    // A host that shows none (a headless one) would keep every bubble another machine sends.
    if (notifications.size() >= kMaxNotifications)
        notifications.erase(notifications.begin());
    notifications.push_back(std::move(notification));
}

void GameEngine::AddUINotificationTag(UINotificationType type, const std::string& tag,
                                      bool clearFirst)
{
    AddUINotificationTag(type, std::vector<std::string>{tag}, clearFirst);
}

void GameEngine::AddUINotification(UINotificationType type, const std::wstring& text,
                                   bool clearFirst)
{
    AddUINotification(type, std::vector<std::wstring>{text}, clearFirst);
}

void GameEngine::AddUINotificationTag(UINotificationType type, const std::vector<std::string>& tags,
                                      bool clearFirst)
{
    AddNotification(UINotification{tags, {}, type}, clearFirst);
}

void GameEngine::AddUINotification(UINotificationType type, const std::vector<std::wstring>& texts,
                                   bool clearFirst)
{
    AddNotification(UINotification{{}, texts, type}, clearFirst);
}

UINotification GameEngine::TakeTopNotification()
{
    if (notifications.empty())
        return UINotification();
    UINotification top = std::move(notifications.front());
    notifications.erase(notifications.begin());
    return top;
}

void GameEngine::AddChatMessage(const std::wstring& sender, const std::wstring& text,
                                uint8_t channel)
{
    pendingChatMessages.push_back(ChatMessage{sender, text, channel});
}

void GameEngine::RemovePendingMessages(std::vector<ChatMessage>& out)
{
    out = std::move(pendingChatMessages);
    pendingChatMessages.clear();
}

void GameEngine::RegisterPartyRequestResponse(uint32_t playerId, bool accepted)
{
    partyRequestResponses.push_back(PartyRequestResponse{playerId, accepted});
}

PartyRequestResponse GameEngine::GetTopPartyRequestResponse()
{
    if (partyRequestResponses.empty())
        return PartyRequestResponse();
    const PartyRequestResponse top = partyRequestResponses.front();
    partyRequestResponses.erase(partyRequestResponses.begin());
    return top;
}

void GameEngine::CreateMarketClient(uint32_t marketId)
{
    if (currentClientServices != nullptr)
        currentClientServices->CreateMarketClient(marketId);
}

// A merchant that goes while the engine itself goes finds no services any more.
void GameEngine::DestroyMarketClient(uint32_t marketId)
{
    if (currentClientServices != nullptr)
        currentClientServices->DestroyMarketClient(marketId);
}

MarketClient* GameEngine::GetMarketClient(uint32_t marketId) const
{
    return currentClientServices != nullptr ? currentClientServices->GetMarketClient(marketId)
                                            : nullptr;
}

MarketItemStatus GameEngine::GetMarketItemStatus(uint32_t marketId, uint32_t itemId) const
{
    const MarketClient* market = GetMarketClient(marketId);
    return market != nullptr ? market->GetItemStatus(itemId) : MarketItemStatus(0);
}

InventorySack* GameEngine::GetMarketInventorySack(uint32_t marketId, int32_t type)
{
    MarketClient* market = GetMarketClient(marketId);
    return market != nullptr ? market->GetInventorySack(type) : nullptr;
}

const InventorySack* GameEngine::GetMarketInventorySack(uint32_t marketId, int32_t type) const
{
    const MarketClient* market = GetMarketClient(marketId);
    return market != nullptr ? market->GetInventorySack(type) : nullptr;
}

bool GameEngine::GetMarketIsItemAffordable(uint32_t marketId, uint32_t itemId) const
{
    const MarketClient* market = GetMarketClient(marketId);
    return market != nullptr && market->IsItemAffordable(itemId);
}

void GameEngine::OpenMarket(uint32_t marketId, Market_TypeEnum& type, const Vec2& ids)
{
    if (MarketClient* market = GetMarketClient(marketId))
        market->Open(type, ids);
}

void GameEngine::CloseMarket(uint32_t marketId)
{
    if (MarketClient* market = GetMarketClient(marketId))
        market->Close();
}

void GameEngine::CreateUIPlayerSellText(uint32_t marketId, uint32_t itemId,
                                        std::vector<GameTextLine>& lines) const
{
    if (const MarketClient* market = GetMarketClient(marketId))
        market->CreateUIPlayerSellText(itemId, lines);
}

void GameEngine::CreateUIPlayerBuyText(uint32_t marketId, uint32_t itemId,
                                       std::vector<GameTextLine>& lines) const
{
    if (const MarketClient* market = GetMarketClient(marketId))
        market->CreateUIPlayerBuyText(itemId, lines);
}

bool GameEngine::PlayerPurchaseRequest(uint32_t marketId, uint32_t itemId)
{
    MarketClient* market = GetMarketClient(marketId);
    return market != nullptr && market->PlayerPurchaseRequest(itemId);
}

bool GameEngine::PlayerSaleRequest(uint32_t marketId, uint32_t itemId, bool stacked)
{
    MarketClient* market = GetMarketClient(marketId);
    return market != nullptr && market->PlayerSaleRequest(itemId, stacked);
}

void GameEngine::ForceMarketRefresh(uint32_t marketId)
{
    currentServerServices->ForceMarketRefresh(marketId);
}

void GameEngine::PlayMarketSound(uint32_t soundId)
{
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(soundId))
        sound->Play(true);
}

void GameEngine::PlayMarketPurchaseSound()
{
    PlayMarketSound(marketPurchaseSoundId);
}

void GameEngine::PlayMarketSaleSound()
{
    PlayMarketSound(marketSaleSoundId);
}

bool GameEngine::SaveGame()
{
    return ui != nullptr && ui->SaveGame();
}

bool GameEngine::SaveGame(GameDifficulty difficulty)
{
    return ui != nullptr && ui->SaveGame(difficulty);
}

bool GameEngine::SaveQuest(bool flag)
{
    return ui != nullptr && ui->SaveQuest(flag);
}

bool GameEngine::AutoSave()
{
    return !autoSave || SaveGame();
}

bool GameEngine::AutoSaveQuest(bool flag)
{
    return !autoSave || SaveQuest(flag);
}

bool GameEngine::DisplaySkillReallocationWindow(uint32_t npcId)
{
    return ui != nullptr && ui->DisplaySkillReallocationWindow(npcId);
}

void GameEngine::RegisterLocalPet(uint32_t petId)
{
    if (!IsLocalPet(petId))
        localPets.push_back(petId);
}

void GameEngine::UnregisterLocalPet(uint32_t petId)
{
    localPets.erase(std::remove(localPets.begin(), localPets.end(), petId), localPets.end());
}

bool GameEngine::IsLocalPet(uint32_t petId) const
{
    return std::find(localPets.begin(), localPets.end(), petId) != localPets.end();
}

const SkillProfile* GameEngine::LoadSkillResource(const Name& name, const LoadTable& table)
{
    CriticalSectionLock hold(*skillProfileLock);
    std::unique_ptr<SkillProfile>& profile = skillProfileCache[name];
    // An entry emptied by `Shutdown` loads again rather than answering nothing.
    if (!profile) {
        profile = std::make_unique<SkillProfile>();
        profile->LoadProfile(table);
    }
    return profile.get();
}

const SkillProfile* GameEngine::GetSkillResource(const Name& name)
{
    // The same lock as loading: skills load on the loading thread while others look up.
    CriticalSectionLock hold(*skillProfileLock);
    auto found = skillProfileCache.find(name);
    if (found == skillProfileCache.end() || !found->second)
        return nullSkillProfile.get();
    return found->second.get();
}

void GameEngine::LoadItemSet(const std::string& recordName)
{
    if (itemSets.count(recordName) != 0)
        return;
    auto set = std::make_unique<ItemSet>();
    set->LoadFromDatabase(recordName);
    itemSets.emplace(recordName, std::move(set));
}

ItemSet* GameEngine::GetItemSet(const std::string& recordName) const
{
    auto found = itemSets.find(recordName);
    return found != itemSets.end() ? found->second.get() : nullptr;
}

bool GameEngine::IsRenderingEnabled() const
{
    for (bool disabled : renderingDisabled) {
        if (disabled)
            return false;
    }
    return true;
}

void GameEngine::SetRenderingEnabled(bool enabled, RenderingDisable reason)
{
    if (reason >= 0 && reason < kRenderingDisableCount)
        renderingDisabled[reason] = !enabled;
}

void GameEngine::ForceRenderingEnabled()
{
    for (bool& disabled : renderingDisabled)
        disabled = false;
}

void GameEngine::SetCameraFOV(float degrees)
{
    camera->SetCameraFOV(DegreesToRadians(degrees));
}

void GameEngine::UnloadWorld()
{
    camera->SetTarget(WorldVec3());
    gEngine->UnloadWorld();
}

void GameEngine::GetFrustumForPlayer(WorldFrustum& out, const WorldVec3& position) const
{
    GameCamera view;
    view.SetTarget(position);
    view.Update();
    out = view.GetFrustum(kDefaultViewport);
}

} // namespace GAME
