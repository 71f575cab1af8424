#pragma once

#include "characters/CharacterActionType.h"
#include "characters/MonsterClassification.h"
#include "core/EquationInterface.h"
#include "core/GameDifficulty.h"
#include "core/GameTextLine.h"
#include "core/GameTextStyleMap.h"
#include "core/PlayerInfo.h"
#include "core/RenderingDisable.h"
#include "core/UniqueId.h"
#include "engine/Name.h"
#include "engine/Vec2.h"
#include "engine/WorldCoords.h"
#include "game/ChatMessage.h"
#include "game/PartyRequestResponse.h"
#include "game/UINotification.h"
#include "items/ChestClassification.h"
#include "items/ItemClassification.h"
#include "items/RandomizerWeightModifiers.h"
#include "world/FixedItemTeleport.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class AttributePak;
class Character;
class Entity;
class InstanceGroup;
class InventorySack;
class MarketClient;
enum Market_TypeEnum : int32_t;
enum MarketItemStatus : int32_t;
class Proxy;
class Skill;
class Team;
struct Vec3;
struct MinimapGameNugget;
struct SkillReasons;
struct WorldRay;
class Bonus;
class CriticalSection;
class DialogManager;
class GameCamera;
class GameEngineClientServicesModule;
class GameEngineInboundInterface;
class GameEngineNetworkInterface;
class GameEngineOutboundInterface;
class GameEngineServerServicesModule;
class GameEngineServerServicesModuleBase;
class GameEvent_CreatureDeath;
class GameUIInterface;
class ItemReplicaInfo;
class ItemSet;
class Jukebox;
class LoadTable;
class NetworkRegionLoaderBase;
class PartyManager;
class Player;
class PlayerManagerClient;
class PlayerManagerServer;
class RandomUniform;
class RandomUniformLocked;
class SkillProfile;
class TeamManager;
class TradeManager;
class WorldFrustum;
class WorldVec3;
template <typename T> class DesignerEquation;
template <typename Owner, typename Event> class EventHandler;

// How the host drives the game.
//
// The host brings up its engine layer first (the log, the database root, the network mode),
// then calls `InitializeObjects`. That builds the one game object, which reads its settings
// record (designer variables, tables, equations, attribute packs) and creates its network
// interfaces, service modules and managers in a fixed order; publishes it in `gGameEngine`; and
// registers the game's instance-group affiliations with the engine. The game starts as single
// player; a server or a client says so with `SetAsNetworkServer` or `SetAsNetworkClient`, which
// only choose which network interface and service modules are current (see
// GameEngineNetworkInterface.h). The host then hands over its user interface with `SetUI`,
// through which the game asks its questions, saves and shows its notices.
//
// Every frame the host first runs the engine's frame (game clock, deferred deletions) and then
// `Update`, which always steps in one order: tutorial hints, the party manager, the answers to
// the portal question, music tracking, the ban question, activities, ambience, trades, quests,
// then the server's and the client's service modules. Answers the host gives between frames are
// therefore taken up in the next `Update`, never in the middle of one. `ShutdownObjects`
// destroys every object the object manager still holds, then releases the cached skill
// profiles, destroys the object (its interfaces and service modules before the managers that
// might still ask for them) and clears `gGameEngine`; calling it twice, or initialising twice,
// does nothing.

// The one central object of the game library, published in `gGameEngine` between
// `InitializeObjects` and `ShutdownObjects`. It owns the managers, the network interfaces and
// service modules of the machine's role, the camera, the shared random generator and the game's
// settings, and it keeps the rules that belong to no single character.
class GameEngine final : public EquationInterface<float> {
public:
    using AssertHandler = void (*)();

    GameEngine();
    ~GameEngine();
    GameEngine(const GameEngine&) = delete;
    GameEngine& operator=(const GameEngine&) = delete;

    // The hub, for the objects it owns and the code it drives: they only run while it exists,
    // so its absence is a wiring mistake, never a case to handle.
    static GameEngine& Get();

    // Life cycle.
    void Initialize();
    void Shutdown();
    static void InitializeAssertHandler(AssertHandler handler, bool flag1, bool flag2);
    static void SetAssertHandlerLogPath(const std::string& path);
    void SuperPreRun();
    const LoadTable& GetDatabase();
    // The settings' resistance cap for players or monsters at the current difficulty (0: none).
    float GetDefenseCap(bool forPlayer);

    // Owned parts.
    DialogManager& GetDialogManager() { return *dialogManager; }
    PartyManager* GetPartyManager() const { return partyManager.get(); }
    TradeManager* GetTradeManager() const { return tradeManager.get(); }
    TeamManager* GetTeamManager() const { return teamManager.get(); }
    GameCamera& GetCamera() { return *camera; }
    RandomUniform& GetRandomGen();
    const SkillProfile* GetNullSkillResource() const { return nullSkillProfile.get(); }
    const AttributePak& GetMonsterAttributePak() const { return *monsterAttributePak; }
    const AttributePak& GetPlayerAttributePak() const { return *playerAttributePak; }
    GameUIInterface* GetUI() const { return ui; }
    void SetUI(GameUIInterface* newUI) { ui = newUI; }
    bool UIExists() const { return ui != nullptr; }
    void GetOverlayColor(float color[4]) const;
    void SetOverlayColor(const float color[4]);
    void SetPlayer(Player* player);
    Jukebox& GetJukebox();
    const std::vector<uint32_t>& GetLocalPetList() const { return localPets; }
    std::vector<FixedItemTeleport::TeleportInfo>& GetTeleportInfoList() { return teleportInfoList; }

    // The frame and the tutorial pages.
    void Update(int ms);
    void UnlockTutorialPage(uint32_t page, bool notify);
    void UnlockAllTutorials();
    void ResetTutorialState();
    std::vector<int32_t>& GetTutorialUnlockList() { return tutorialUnlockList; }
    bool GetDisableTutorialAutoPop() const { return disableTutorialAutoPop; }
    void SetDisableTutorialAutoPop(bool disable) { disableTutorialAutoPop = disable; }
    // The main player's state that the hints watch, reported by the player and the inventory.
    void SetUnspentSkillPoints(int32_t points) { unspentSkillPoints = points; }
    void SetUnspentMasteryPoints(int32_t points) { unspentMasteryPoints = points; }
    int32_t GetUnspentSkillPoints() const { return unspentSkillPoints; }
    int32_t GetUnspentMasteryPoints() const { return unspentMasteryPoints; }
    void SetPotionPickedUp() { potionPickedUp = 1; }
    void SetPotionUsed() { potionUsed = 1; }
    void IncrementItemsAdded() { ++itemsAdded; }
    void SetHotSlotChanged(bool changed) { hotSlotChanged = changed ? 1 : 0; }
    void IncrementDeathCount() { ++deathCount; }

    // Settings.
    void LoadFromDatabase(const std::string& recordName);
    float GetArmorDefensiveAbsorption() const { return armorDefensiveAbsorption; }
    float GetMeleeRange() const { return meleeRange; }
    float GetShortRange() const { return shortRange; }
    float GetModerateRange() const { return moderateRange; }
    float GetLongRange() const { return longRange; }
    float GetMaximumRange() const { return maximumRange; }
    float GetMinRotationSpeed() const { return minRotationSpeed; }
    float GetMaxRotationSpeed() const { return maxRotationSpeed; }
    float GetPathSlowdownLength() const { return pathSlowdownLength; }
    float GetMinPlayerRotationSpeed() const { return minPlayerRotationSpeed; }
    float GetMaxPlayerRotationSpeed() const { return maxPlayerRotationSpeed; }
    float GetPlayerPathSlowdownLength() const { return playerPathSlowdownLength; }
    const Vec2& GetInventorySackDims(int sack) const;
    std::wstring GetItemColorText(ItemClassification classification) const;
    std::string GetItemSparkleName(ItemClassification classification) const;
    GameTextClass GetItemTextClass(ItemClassification classification) const;
    const std::string& GetItemForearmAnimationName() const { return itemForearmAnimationName; }
    std::wstring GetMonsterColorText(MonsterClassification classification) const;
    void GetMonsterLootWeightModifiers(MonsterClassification classification,
                                       RandomizerWeightModifiers& out) const;
    void GetChestLootWeightModifiers(ChestClassification classification,
                                     RandomizerWeightModifiers& out) const;
    const std::vector<int32_t>& GetSkillMasteryTierLevels() const { return skillMasteryTierLevels; }
    const GameTextStyleMap& GetGameTextStyles() const { return gameTextStyles; }
    std::string GetGameTextStyleName(GameTextClass style) const;
    float GetGameTextStyleIndent(GameTextClass style) const;
    bool GetDesignerVariable(const char* name, float& value) override;
    static const char* GetGameDifficultyAsString(GameDifficulty difficulty);
    static ItemClassification ResolveItemClassificationEnum(const std::string& text);
    static MonsterClassification ResolveMonsterClassificationEnum(const std::string& text);
    static ChestClassification ResolveChestClassificationEnum(const std::string& text);

    // Network role and the requests that other machines must see.
    void SetAsNetworkStub();
    void SetAsNetworkServer();
    void SetAsNetworkClient();
    GameEngineNetworkInterface* GetNetworkInterface() const { return currentInterface; }
    // Puts another interface in the way, for a host or a test that watches what is sent.
    void SetNetworkInterface(GameEngineNetworkInterface* networkInterface)
    {
        currentInterface = networkInterface;
    }
    GameEngineNetworkInterface* GetInboundNetworkInterface() const;
    GameEngineClientServicesModule* GetClientServices() const { return currentClientServices; }
    GameEngineServerServicesModuleBase* GetServerServices() const { return currentServerServices; }
    PlayerManagerClient* GetPlayerManagerClient() const;
    PlayerManagerServer* GetPlayerManagerServer() const;
    bool IsServerOrSingle() const { return GetPlayerManagerServer() != nullptr; }
    void SetGameBalanceLevel(int32_t level);
    int32_t GetBalanceDifficulty() const { return gameBalanceLevel; }
    void CreateItem(const WorldCoords& coords, const ItemReplicaInfo& item);
    void CreateItemForCharacter(uint32_t characterId, const WorldCoords& coords,
                                const ItemReplicaInfo& item, std::wstring* nameOut);
    void CreateEntity(const WorldCoords& coords, const std::string& recordName, uint32_t objectId);
    // The local player asks for a personal portal; one that would replace his old portal is
    // asked about first (answered in `Update`).
    void CreateFixedItemTeleport();
    void CreateFixedItemTeleport(const WorldCoords& coords, uint32_t ownerId, uint32_t teleportId,
                                 const std::string& recordName);
    void DestroyFixedItemTeleport(uint32_t teleportId);
    void HandleBonusToServerOutbound(const Bonus& bonus, const WorldVec3& position,
                                     uint32_t killerId);
    void AddPlayerToParty(uint32_t playerId, int32_t partyId);
    void InvitePlayerToParty(uint32_t inviteeId, int32_t inviterId);
    void SendQuestPacket(const std::vector<uint32_t>& words, uint32_t target, bool isConditionSet);
    void DisplayMessageRemote(uint32_t playerId, uint32_t aboutPlayerId, bool asBubble,
                              const std::string& tag);
    void DisplayWMessageRemote(uint32_t playerId, bool asBubble, const std::wstring& text);
    void BroadcastMessageRemote(uint32_t aboutPlayerId, bool asBubble, const std::string& tag);
    void SendChatMessage(const std::wstring& sender, const std::wstring& text, uint8_t channel,
                         const std::vector<uint32_t>& recipients);
    void QuestCommandMove(uint32_t characterId, uint32_t targetId, const WorldVec3& target,
                          bool allowInterruptions);
    void QuestCommandWalk(uint32_t characterId, uint32_t targetId, const WorldVec3& target,
                          bool allowInterruptions);
    void QuestCommandPlayAnimation(uint32_t characterId, uint32_t animation, bool looping,
                                   bool allowInterruptions);
    void QuestCommandUseSkill(uint32_t characterId, std::string& skillName, uint32_t targetId,
                              bool allowInterruptions);
    void QuestCommandLockFixedItem(uint32_t objectId, bool locked);
    void SendPartyRequestResponse(uint32_t senderId, uint32_t recipientId, bool accepted);
    void StoC_StartTeleportOutbound(uint32_t playerId, int32_t x, int32_t y, int32_t z);
    void CtoS_StartTeleportOutbound(uint32_t playerId, int32_t x, int32_t y, int32_t z);
    void StoC_HandleNRLoaderStateChangeOutbound(uint32_t playerId, int32_t state);
    void CtoS_HandleNRLoaderStateChangeOutbound(uint32_t playerId, int32_t state);

    // Damage, experience and the lookup tables.
    void RegisterDamage(uint32_t victimId, uint32_t attackerId, float amount);
    float GetTotalDamageDone(uint32_t victimId) const;
    float GetDamageByAttacker(uint32_t attackerId, uint32_t victimId) const;
    float GetPlayerDamagePercent(uint32_t attackerId, uint32_t victimId) const;
    void RemoveDamageEntry(uint32_t victimId);
    uint32_t GetMasterAttacker(uint32_t attackerId) const;
    void OnCreatureDeath(const GameEvent_CreatureDeath& event);
    void HandleBonusToServerInbound(const Bonus& bonus, const WorldVec3& position,
                                    uint32_t killerId);
    uint32_t CalculateExperienceReward(uint32_t monsterLevel, uint32_t monsterExperience);
    int32_t GetPlayerDeathExperiencePenalty(Player* player, uint32_t killerId);
    CharacterActionPermission CheckPlayerAction(CharacterActionType requested,
                                                CharacterActionType current) const;
    const std::string& GetClassTag(uint32_t mastery1, uint32_t mastery2) const;
    const std::string& GetClassTag(uint32_t mastery) const;
    const std::string& GetMonsterRaceTagSingular(const std::string& race) const;
    const std::string& GetMonsterRaceTagPlural(const std::string& race) const;
    uint32_t GetSkillMasteryLevel(uint32_t tier) const;
    int32_t GetRandomSeed();
    // The bounds `GetRandomSeed` draws between.
    uint32_t GetRandomSeedMinimum() const { return seedMinimum; }
    uint32_t GetRandomSeedMaximum() const { return seedMaximum; }
    void SetRandomSeedRange(uint32_t minimum, uint32_t maximum)
    {
        seedMinimum = minimum;
        seedMaximum = maximum;
    }
    uint32_t PickObject(const std::vector<uint32_t>& candidates,
                        const std::vector<uint32_t>& excluded);

    // Players.
    uint32_t GetPlayerId() const;
    Player* GetMainPlayer() const;
    bool IsPlayerAlive() const;
    bool IsGameWaiting() const;
    std::wstring GetPlayerName(uint32_t playerId) const;
    void GetPlayerInfo(PlayerInfo& info) const;
    void RemovePlayerFromGame(int host);
    void ExitPlayingMode();
    void TryJump(uint32_t entityId);
    GameDifficulty GetGameDifficulty() const;
    void SetGameDifficulty(GameDifficulty difficulty);
    void InvokeSpawnCharacter(const std::string& name, uint32_t id);
    void InvokeSpawnCharacter(const std::string& name);
    void DefaultSpawn(uint32_t id);
    void HandleSpawnCharacter(uint32_t id, uint32_t otherId);
    void HandleSpawnCharacter(uint32_t id);
    void HandleRespawnCharacter(uint32_t id, uint32_t otherId);
    void BanPlayer(uint32_t playerId, bool ask);

    // Queues for the host's user interface.
    void AddUINotificationTag(UINotificationType type, const std::string& tag, bool clearFirst);
    void AddUINotification(UINotificationType type, const std::wstring& text, bool clearFirst);
    void AddUINotificationTag(UINotificationType type, const std::vector<std::string>& tags,
                              bool clearFirst);
    void AddUINotification(UINotificationType type, const std::vector<std::wstring>& texts,
                           bool clearFirst);
    // Notifications kept until the host takes them; a further one puts out the oldest.
    static constexpr size_t kMaxNotifications = 64;
    size_t GetNumNotifications() const { return notifications.size(); }
    // An empty notification when none is queued.
    UINotification TakeTopNotification();
    void AddChatMessage(const std::wstring& sender, const std::wstring& text, uint8_t channel);
    void RemovePendingMessages(std::vector<ChatMessage>& out);
    void RegisterPartyRequestResponse(uint32_t playerId, bool accepted);
    size_t GetNumPartyRequestResponses() const { return partyRequestResponses.size(); }
    // A refusal by nobody when none is queued.
    PartyRequestResponse GetTopPartyRequestResponse();

    // Markets, saving and pets. The market operations answer 0, null or false, or do nothing,
    // for an id without a market client.
    void CreateMarketClient(uint32_t marketId);
    void DestroyMarketClient(uint32_t marketId);
    void ForceMarketRefresh(uint32_t marketId);
    MarketClient* GetMarketClient(uint32_t marketId) const;
    MarketItemStatus GetMarketItemStatus(uint32_t marketId, uint32_t itemId) const;
    InventorySack* GetMarketInventorySack(uint32_t marketId, int32_t type);
    const InventorySack* GetMarketInventorySack(uint32_t marketId, int32_t type) const;
    bool GetMarketIsItemAffordable(uint32_t marketId, uint32_t itemId) const;
    void OpenMarket(uint32_t marketId, Market_TypeEnum& type, const Vec2& ids);
    void CloseMarket(uint32_t marketId);
    void CreateUIPlayerSellText(uint32_t marketId, uint32_t itemId,
                                std::vector<GameTextLine>& lines) const;
    void CreateUIPlayerBuyText(uint32_t marketId, uint32_t itemId,
                               std::vector<GameTextLine>& lines) const;
    bool PlayerPurchaseRequest(uint32_t marketId, uint32_t itemId);
    bool PlayerSaleRequest(uint32_t marketId, uint32_t itemId, bool stacked);
    void PlayMarketPurchaseSound();
    void PlayMarketSaleSound();
    bool SaveGame();
    bool SaveGame(GameDifficulty difficulty);
    bool SaveQuest(bool flag);
    bool AutoSave();
    bool AutoSaveQuest(bool flag);
    bool DisplaySkillReallocationWindow(uint32_t npcId);
    void SetAutoSave(bool enabled) { autoSave = enabled; }
    bool GetAutoSave() const { return autoSave; }
    void RegisterLocalPet(uint32_t petId);
    void UnregisterLocalPet(uint32_t petId);
    bool IsLocalPet(uint32_t petId) const;
    void ClearPetList() { localPets.clear(); }

    // Caches.
    const SkillProfile* LoadSkillResource(const Name& name, const LoadTable& table);
    const SkillProfile* GetSkillResource(const Name& name);
    void LoadItemSet(const std::string& recordName);
    ItemSet* GetItemSet(const std::string& recordName) const;

    // Switches and host services.
    bool IsRenderingEnabled() const;
    void SetRenderingEnabled(bool enabled, RenderingDisable reason);
    void ForceRenderingEnabled();
    void IncrementNeedsSleepCounter() { ++needsSleepCounter; }
    void DecrementNeedsSleepCounter() { --needsSleepCounter; }
    bool NeedsSleep() const { return needsSleepCounter > 0; }
    void LockMouse() { mouseLocked = true; }
    void UnlockMouse() { mouseLocked = false; }
    bool IsMouseLocked() const { return mouseLocked; }
    void SetGameLoading(bool loading) { gameLoading = loading; }
    bool IsGameLoading() const { return gameLoading; }
    void SetPlayerCompletedLevel(bool completed) { playerCompletedLevel = completed; }
    bool GetPlayerCompletedLevel() const { return playerCompletedLevel; }
    void SetPlayerUnlockedLevel(bool unlocked) { playerUnlockedLevel = unlocked; }
    bool GetPlayerUnlockedLevel() const { return playerUnlockedLevel; }
    void SetCameraFOV(float degrees);
    void UnloadWorld();
    void GetFrustumForPlayer(WorldFrustum& out, const WorldVec3& position) const;

    // Portals, teleports, respawns and the region loaders that wait for both machines.
    void CreateFixedItemTeleportNetHook(const WorldCoords& coords, uint32_t ownerId,
                                        uint32_t teleportId, const std::string& recordName);
    void DestroyFixedItemTeleportNetHook(uint32_t id);
    void RemovePortalsFor(uint32_t ownerId);
    void SendFixedItemTeleports(uint32_t playerId);
    const FixedItemTeleport::TeleportInfo* GetTeleportInfo(uint32_t teleportId) const;
    bool ValidateArtifactPortal(uint32_t teleportId) const;
    bool HasFixedItemTeleport(uint32_t ownerId) const;
    bool MainPlayerHasPersonalTeleport() const;
    uint32_t GetMainPlayersPersonalPortalZone() const;
    void InitiatePlayerTeleport(int32_t x, int32_t y, int32_t z);
    void InstallTeleportActivity(uint32_t playerId, int32_t x, int32_t y, int32_t z);
    void StoC_StartTeleportInbound(uint32_t playerId, int32_t x, int32_t y, int32_t z);
    void CtoS_StartTeleportInbound(uint32_t playerId, int32_t x, int32_t y, int32_t z);
    void ServerPropegateTeleport(uint32_t playerId, int32_t x, int32_t y, int32_t z);
    uint32_t StartRespawnForLocalPlayer(const WorldVec3& position);
    void CtoS_StartServerRespawnInbound(uint32_t playerId, const WorldVec3& position);
    bool IsDeathLoaderActive(uint32_t activityId) const;
    NetworkRegionLoaderBase* CreateNetworkLoader(uint32_t playerId, const WorldVec3& position);
    NetworkRegionLoaderBase* CreateNetworkLoaderInbound(uint32_t playerId,
                                                        const WorldVec3& position);
    void CreateNetworkLoaderOutbound(uint32_t, const WorldVec3&) {}
    void DestroyNetworkLoaderInbound(uint32_t) {}
    void DestroyNetworkLoaderOutbound(uint32_t) {}
    void RegisterNRLoader(uint32_t playerId, NetworkRegionLoaderBase* loader);
    void UnregisterNRLoader(NetworkRegionLoaderBase* loader);
    NetworkRegionLoaderBase* FindNRLoader(uint32_t playerId) const;
    void DestroyNetworkLoader(NetworkRegionLoaderBase* loader);
    void CtoS_HandleNRLoaderStateChangeInbound(uint32_t playerId, int32_t state);
    void StoC_HandleNRLoaderStateChangeInbound(uint32_t playerId, int32_t state);

    // Spawn-pool groups, target queries and the host's skill, map and detail-map texts.
    enum ProxyType : int32_t { ProxyType_None = 0, ProxyType_Unified = 1, ProxyType_Unique = 2 };
    ProxyType GetProxyType(const Proxy* proxy) const;
    bool GetUnifiedProxyPool(const Proxy* proxy, uint32_t& pool) const;
    void SetUnifiedProxyPool(const Proxy* proxy, uint32_t pool);
    bool IsUniqueProxySelected(const Proxy* proxy);
    void RegisterProxyHeroBoss(const std::string& name);
    void UnregisterProxyHeroBoss(const std::string& name);
    bool IsProxyHeroBossInGame(const std::string& name) const;
    void ClearProxyInfo();
    void DumpGroupProxyData() const;
    void FilterInvalidTargets(const Team& team, const std::vector<Entity*>& entities,
                              std::vector<uint32_t>& out, uint32_t excludeId, bool friends) const;
    void GetTargetsInRadius(const Team& team, const WorldVec3& centre, float radius,
                            std::vector<uint32_t>& out, uint32_t excludeId, bool friends) const;
    void GetTargetsInRadius(const Character& character, const WorldVec3& centre, float radius,
                            std::vector<uint32_t>& out, uint32_t excludeId, bool friends) const;
    void GetAllTargetsInRadius(const Team& team, const WorldVec3& centre, float radius,
                               std::vector<uint32_t>& out, uint32_t excludeId) const;
    void GetTargetsAlongRay(const Team& team, const WorldRay& ray, float length,
                            std::vector<uint32_t>& out, uint32_t excludeId, bool friends) const;
    void GetTargetsInCone(const Team& team, const WorldVec3& apex, const Vec3& direction,
                          float angleDegrees, float length, std::vector<uint32_t>& out,
                          uint32_t excludeId, bool friends) const;
    static void GenerateUISkillInfo(const Skill* skill, std::vector<GameTextLine>& lines);
    static void GenerateUISkillText(const Skill* skill, std::vector<GameTextLine>& lines,
                                    const SkillReasons* reasons, bool noRequirements,
                                    bool reclaimMode, int32_t cost);
    std::wstring GetMapName() const;
    void GetDetailMapData(std::vector<MinimapGameNugget>& out, const WorldFrustum& frustum) const;

    static constexpr int32_t kTutorialPageCount = 36;
    static constexpr uint32_t kMasteryCount = 8;

private:
    struct DamageEntry {
        uint32_t attackerId = 0;
        float damage = 0.0f;
    };
    struct ItemClassificationInfo {
        std::wstring colorText;
        std::string sparkleName;
        GameTextClass textClass = GameTextClass::ItemNameCommon;
    };
    struct RaceTags {
        std::string singular;
        std::string plural;
    };

    // Construction, split by what each step fills.
    void LoadTuning(const LoadTable& table);
    void LoadMarketSounds(const LoadTable& table);
    void LoadEquations(const LoadTable& table);
    void LoadItemAndMonsterColors(const LoadTable& table);
    void LoadCamera(const LoadTable& table);
    void LoadInventorySacks(const LoadTable& table);
    void LoadLootWeights(const LoadTable& table);
    void FillClassArray();
    void SetClassEntry(uint32_t mastery1, uint32_t mastery2, const char* tag);
    void InitializeActionMatrix();
    void InitializeMonsterRaceMap();

    // The frame's steps.
    void UpdateTutorialHints(int ms, const Player* mainPlayer);
    void UpdatePortalQuestion();
    void UpdateMusicTracking();
    void UpdateBanQuestion();
    void UpdateAmbience(const Player& mainPlayer);

    // Travel: the server is told of a client's respawn so it loads the place too.
    void CtoS_InitiateServerRespawnLoaderOutbound(const WorldVec3& position);
    void HandleNRLoaderStateChangeInbound(uint32_t playerId, int32_t state);

    // Spawn-pool groups by name; the pool names only under `proxyPoolLock`.
    bool GetUnifiedProxyPoolName(const std::string& group, uint32_t& pool) const;
    void SetUnifiedProxyPoolName(const std::string& group, uint32_t pool);
    UniqueId LoadAndSelectOneProxy(const InstanceGroup* group);
    const InstanceGroup* GetProxyGroup(const Proxy* proxy) const;

    // The equation's value, at least 0, plus one half: truncating it rounds half up.
    float EvaluatePlusHalf(const DesignerEquation<float>& equation) const;
    void AddNotification(UINotification notification, bool clearFirst);
    void PlayMarketSound(uint32_t soundId);
    void DestroyMarketSound(uint32_t soundId, int line);

    // The range of `GetRandomSeed`.
    uint32_t seedMinimum = 1;
    uint32_t seedMaximum = 32767;
    // What the tutorial hints watch, and how long each has waited.
    int32_t unspentSkillPoints = 0;
    int32_t unspentMasteryPoints = 0;
    uint8_t potionPickedUp = 0;
    uint8_t potionUsed = 0;
    int32_t inventoryHintTimer = 0;
    int32_t itemsAdded = 0;
    int32_t attributePointsTimer = 0;
    uint8_t hotSlotChanged = 0;
    int32_t hotSlotHintTimer = 0;
    int32_t deathCount = 0;
    int32_t skillPointsTimer = 0;
    // Whether `AutoSave` and `AutoSaveQuest` save; off, they succeed without saving.
    bool autoSave = true;
    // Queues for the user interface, and the player portals every machine lists.
    std::unique_ptr<DialogManager> dialogManager;
    std::vector<UINotification> notifications;
    std::vector<FixedItemTeleport::TeleportInfo> teleportInfoList;
    std::unique_ptr<PartyManager> partyManager;
    std::unique_ptr<TradeManager> tradeManager;
    std::unique_ptr<TeamManager> teamManager;
    // Red, green, blue, alpha: clear white.
    float overlayColor[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    const char* settingsRecord;
    const LoadTable* settingsTable = nullptr;
    uint32_t settingsTableGeneration = 0;
    // Both caps, read for every resistance of every hit; kept for one settings table and
    // difficulty rather than looked up by name each time.
    float defenseCaps[2] = {0.0f, 0.0f};
    const LoadTable* defenseCapsTable = nullptr;
    uint32_t defenseCapsGeneration = 0;
    size_t defenseCapsDifficulty = 0;
    // Skill profiles by name; the null profile answers names not loaded.
    std::map<Name, std::unique_ptr<SkillProfile>> skillProfileCache;
    std::unique_ptr<SkillProfile> nullSkillProfile;
    std::vector<int32_t> skillMasteryTierLevels;
    // By object id: the object manager owns the sounds and may have deleted them already.
    uint32_t marketPurchaseSoundId = 0;
    uint32_t marketSaleSoundId = 0;
    std::unique_ptr<RandomUniformLocked> randomGen;
    // Tuning from the settings record, whose defaults they start at.
    float armorDefensiveAbsorption = 0.0f;
    float meleeRange = 0.0f;
    float shortRange = 0.0f;
    float moderateRange = 0.0f;
    float longRange = 0.0f;
    float maximumRange = 0.0f;
    float minRotationSpeed = 0.0f;
    float maxRotationSpeed = 0.0f;
    float pathSlowdownLength = 0.0f;
    float minPlayerRotationSpeed = 0.0f;
    float maxPlayerRotationSpeed = 0.0f;
    float playerPathSlowdownLength = 0.0f;
    std::unique_ptr<GameCamera> camera;
    GameUIInterface* ui = nullptr;
    // Spawn-pool groups.
    std::map<std::string, UniqueId> uniqueProxySelections;
    std::map<std::string, uint32_t> unifiedProxyPoolNames;
    const char* unifiedProxiesGroupType;
    const char* uniqueProxiesGroupType;
    std::set<std::string> heroBossProxies;
    // Null when the record has none or it does not parse.
    std::unique_ptr<DesignerEquation<float>> experienceEquation;
    std::unique_ptr<DesignerEquation<float>> deathPenaltyEquation;
    // What the designer variables answer.
    PlayerInfo playerInfo;
    uint32_t monsterLevel = 0;
    uint32_t monsterExperience = 0;
    uint32_t currentPlayerLevel = 0;
    int32_t deathPenaltyMin = 0;
    int32_t deathPenaltyMax = 0;
    // Victim id to the attackers in order of their first hit.
    std::map<uint32_t, std::vector<DamageEntry>> damageRegistry;
    // Item and monster colours and the attribute packs from the settings record; item sets as
    // they are asked for.
    std::map<ItemClassification, ItemClassificationInfo> itemClassifications;
    std::string itemForearmAnimationName;
    std::map<std::string, std::unique_ptr<ItemSet>> itemSets;
    std::unique_ptr<AttributePak> monsterAttributePak;
    std::unique_ptr<AttributePak> playerAttributePak;
    Vec2 inventorySackDims[2];
    std::map<MonsterClassification, std::wstring> monsterColors;
    std::unique_ptr<EventHandler<GameEngine, GameEvent_CreatureDeath>> creatureDeathListener;
    // The role: which of the owned interfaces and modules are current.
    GameEngineNetworkInterface* currentInterface = nullptr;
    std::unique_ptr<GameEngineOutboundInterface> outboundInterface;
    std::unique_ptr<GameEngineInboundInterface> inboundInterface;
    GameEngineClientServicesModule* currentClientServices = nullptr;
    GameEngineServerServicesModuleBase* currentServerServices = nullptr;
    std::unique_ptr<GameEngineServerServicesModuleBase> serverServicesStub;
    std::unique_ptr<GameEngineServerServicesModule> serverServices;
    std::unique_ptr<GameEngineClientServicesModule> clientServices;
    // The skill-profile cache's, then the unified-proxy-pool names'.
    std::unique_ptr<CriticalSection> skillProfileLock;
    std::unique_ptr<CriticalSection> proxyPoolLock;
    // Class tags by mastery pair, filled at construction.
    std::string classTags[kMasteryCount][kMasteryCount];
    std::vector<uint32_t> localPets;
    // Requested action by running action, filled at construction.
    CharacterActionPermission actionMatrix[kCharacterActionTypeCount][kCharacterActionTypeCount];
    GameTextStyleMap gameTextStyles;
    // The player to ban once the question is answered.
    uint32_t pendingBanId = 0;
    bool disableTutorialAutoPop = false;
    // The portal waiting for the player's answer.
    WorldCoords pendingTeleportCoords;
    uint32_t pendingTeleportOwnerId = 0;
    uint32_t pendingTeleportId = 0;
    std::string pendingTeleportRecord;
    bool pendingTeleport = false;
    std::map<std::string, RaceTags> monsterRaces;
    std::vector<ChatMessage> pendingChatMessages;
    std::map<MonsterClassification, RandomizerWeightModifiers> monsterLootWeights;
    std::map<ChestClassification, RandomizerWeightModifiers> chestLootWeights;
    std::vector<int32_t> tutorialUnlockList;
    std::vector<bool> tutorialUnlockBits = std::vector<bool>(kTutorialPageCount, false);
    std::vector<std::pair<NetworkRegionLoaderBase*, uint32_t>> networkRegionLoaders;
    // Switches the host reads.
    bool renderingDisabled[kRenderingDisableCount] = {false, false, false, false};
    int32_t needsSleepCounter = 0;
    bool playerCompletedLevel = false;
    bool playerUnlockedLevel = false;
    bool mouseLocked = false;
    std::vector<PartyRequestResponse> partyRequestResponses;
    int32_t gameBalanceLevel = 0;
    bool gameLoading = true;
};

// The one engine object, or null outside `InitializeObjects` ... `ShutdownObjects`.
extern __attribute__((visibility("default"))) GameEngine* gGameEngine;

inline GameEngine& GameEngine::Get()
{
    assert(gGameEngine != nullptr && "the hub is asked for outside InitializeObjects");
    return *gGameEngine;
}

} // namespace GAME

// The library's entry points for the host.
extern "C" {
__attribute__((visibility("default"))) void InitializeObjects();
__attribute__((visibility("default"))) void ShutdownObjects();
}
