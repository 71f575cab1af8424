#pragma once

#include "characters/BoatMasterData.h"
#include "characters/Character.h"
#include "characters/NpcDialogData.h"
#include "characters/NpcIlluminationData.h"
#include "core/EnumConverter.h"
#include "core/GameDifficulty.h"
#include "core/GameEvents.h"
#include "core/UniqueId.h"
#include "engine/EventHandler.h"
#include "engine/TriggerToken.h"
#include "engine/WorldCoords.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class ControllerPlayer;
class IOStream;
class Item;
class NetPacketInBuffer;
class NetPacketOutBuffer;
class PlayerGameInterface;
class PlayerHotSlotCtrl;
class Region;
struct PlayerNetBasicInfo;
struct PlayerNetHeartbeatInfo;
struct PlayerReplicationRecord;
struct PlayerSave_UISetting;

// The character of a human player: its name and class, the places it found, its tokens, pets
// and records of the people it met, its paper doll, and the local player's frame duties.
// Split over Player*.cpp: core and load here, the frame in PlayerUpdate, places, replication,
// save stream, records and paper doll in files of their own.
//
// Sound packs are held by object id, as `Character` holds its own.
class Player : public Character {
    GAME_DECLARE_CLASS(Player)

public:
    static constexpr int32_t kAutoSaveInterval = 60000;    // milliseconds
    static constexpr int32_t kHeartbeatInterval = 1000;    // milliseconds
    static constexpr int32_t kLockedVoxInterval = 8000;    // milliseconds
    static constexpr int32_t kSkillVoxSameInterval = 8000; // milliseconds
    static constexpr int32_t kSkillVoxAnyInterval = 3000;  // milliseconds
    static constexpr uint32_t kPetLimit = 6;
    static constexpr size_t kNumDifficulties = 3;
    // The greatest difficulty completed before any was.
    static constexpr GameDifficulty kNoDifficulty = static_cast<GameDifficulty>(3);
    static constexpr PlayerCharacterClassType kNoClass = static_cast<PlayerCharacterClassType>(-1);
    static constexpr const char* kStubControllerRecord =
        "Records/Controllers/Player/CharacterControllerStub.dbr";
    static constexpr const char* kPlayerControllerRecord =
        "Records/Controllers/Player/PlayerController.dbr";

    Player();
    ~Player() override;

    // Overrides of `Character`, in the order of their slots.
    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    bool DeleteOnEnteringUnloadedLevel() const override { return false; }
    bool ShouldServerSpawn() const override { return true; }
    // The replication record (PlayerReplication.cpp).
    void WriteReplicationData(NetPacketOutBuffer& out) override;
    void ReadReplicationData(NetPacketInBuffer& in) override;
    void ApplyReplicationData() override;
    void UpdateSelf(int32_t elapsedMs) override;
    std::wstring GetGameDescription(bool flag) const override;
    void SetIsControllingCharacter(bool on) override;
    bool CanMoveTo(const WorldVec3& point, float tolerance) override;
    void WalkTo(const WorldVec3& point, float speed) override;
    void DropItem(Item* item, float unused1, float unused2) override;
    void GiveItemToCharacter(Item* item) override;
    void NotifyControllerItemRemovedFromInventory(uint32_t itemId) override;
    float GetDefenseAttributeCap() const override;
    float CapRunSpeed(float speed) const override;
    float CapSpellCastSpeed(float speed) const override;
    float CapAttackSpeed(float speed) const override;
    void ContributeGameBalanceCharAttributes(CharAttributeAccumulator& accumulator) const override;
    void
    ContributeGameBalanceDefenseAttributes(CombatAttributeAccumulator& accumulator) const override;
    void ContributeGameBalanceRetaliationAttributes(
        CombatAttributeAccumulator& accumulator) const override;
    void AttachItemAction(uint32_t itemId, EquipLocations location) override;
    void DetachItemAction(uint32_t itemId) override;
    void CharacterIsDying() override;
    bool AllocateAllAnimSets() const override { return true; }
    bool ShouldLoadLoot() const override { return false; }
    // k = 1 - c/100, r = a/b: stunned only above d + 15; b of 0 or less never stuns.
    float CalculateStun(float a, float b, float c, float d) override;
    bool ShouldUseDistressCall() override { return true; }
    std::wstring GetMenuDescription() const;
    bool IsInventorySpaceAvailable(const Item* item) const;

    // Accessors.
    const std::wstring& GetPlayerName() const { return playerName; }
    std::string GetPlayerNameInChar() const;
    void SetPlayerName(const std::wstring& name) { playerName = name; }
    PlayerGameInterface* GetGameInterface() const { return gameInterface; }
    void SetGameInterface(PlayerGameInterface* value) { gameInterface = value; }
    PlayerCharacterClassType GetPlayerCharacterClass() const { return playerClass; }
    void SetPlayerCharacterClass(PlayerCharacterClassType value) { playerClass = value; }
    void SetPlayerCharacterClass(const std::string& text);
    // A stored "none" reads as Normal.
    GameDifficulty GetGreatestDifficultyCompleted() const;
    void SetGreatestDifficultyCompleted(GameDifficulty value)
    {
        greatestDifficultyCompleted = value;
    }
    bool GetHasBeenInGame() const { return hasBeenInGame; }
    void SetHasBeenInGame(bool value) { hasBeenInGame = value; }
    bool IsInMainQuest() const { return isInMainQuest; }
    void SetIsInMainQuest(bool value) { isInMainQuest = value; }
    bool GetAlternateConfig() const { return alternateConfig; }
    void SetAlternateConfig(bool value);
    // Something went into the alternate weapon set: the switch to it is offered from now on.
    void EnableAlternateConfig() { alternateConfigEnabled = true; }
    bool IsAlternateConfigEnabled() const { return alternateConfigEnabled; }
    const UniqueId& GetUniqueSaveId() const { return uniqueSaveId; }
    void SetUniqueSaveId(const UniqueId& id) { uniqueSaveId = id; }
    Player* GetPaperDoll() const { return paperDoll; }
    Region* GetPaperDollRegion() const { return paperDollRegion.get(); }
    PlayerHotSlotCtrl& GetPlayerHotSlotCtrl() { return *hotSlotCtrl; }
    const PlayerHotSlotCtrl& GetPlayerHotSlotCtrl() const { return *hotSlotCtrl; }
    uint32_t GetPrimarySkillId() const;
    void SetPrimarySkillId(uint32_t id);
    uint32_t GetSecondarySkillId() const;
    void SetSecondarySkillId(uint32_t id);
    void SetDebugSphereRadius(float radius) { debugSphereRadius = radius; }
    uint32_t GetPartyId() const;
    void ClearTarget();
    void InitializeSound() {}
    uint32_t GetLightId() const { return lightId; }
    bool IsSaveNeeded() const { return saveNeeded; }
    void MarkSaveNeeded() { saveNeeded = true; }
    bool IsCopy() const { return isCopy; }
    void SetIsCopy(bool value) { isCopy = value; }
    float GetMaxMoveToRatio() const { return maxMoveToRatio; }
    int32_t GetCompassState() const { return compassState; }
    void SetCompassState(int32_t value) { compassState = value; }
    bool GetSkillWindowShowsHelp() const { return skillWindowShowsHelp; }
    void SetSkillWindowShowsHelp(bool value) { skillWindowShowsHelp = value; }
    const std::vector<uint32_t>& GetPets() const { return pets; }
    // The player controller when it is attached, else null.
    ControllerPlayer* GetControllerPlayer() const;

    void ContactWithObject(uint32_t id);
    void RemoveLight();
    float GetUnarmedAnimSpeed() const;
    // The first free point around the player that it can walk to, else its own place.
    WorldCoords GetNearSpawnCoords() const;

    // Frame duties (PlayerUpdate.cpp).
    void Heartbeat(int32_t elapsedMs);
    void AutoSave();
    void AutoSaveQuest(bool argument);
    void BossMusicStateUpdate();
    void RegisterMonsterMusic(uint32_t monsterId, const std::string& name);
    void OnCreatureDeath(const GameEvent_CreatureDeath& event);
    void OnQuestComplete(const GameEvent_QuestComplete& event);
    void OnQuestUpdate(const GameEvent_QuestUpdate& event);

    // Places found, per difficulty (PlayerPlaces.cpp).
    void AddTeleportUID(const UniqueId& id);
    void AddMarkerUID(const UniqueId& id);
    void AddRespawnUID(const UniqueId& id);
    bool IsTeleportUIDKnown(const UniqueId& id) const;
    bool IsMarkerUIDKnown(const UniqueId& id) const;
    bool IsRespawnUIDKnown(const UniqueId& id) const;
    bool IsCurrentRespawnPoint(const UniqueId& id) const;
    const std::vector<UniqueId>& GetTeleportUIDs() const;
    const std::vector<UniqueId>& GetMarkerUIDs() const;
    void ClearTeleportLocations();
    void ClearRespawnLocation();
    WorldCoords GetClosestRespawnPoint() const;
    void DumpExperienceLevels() const;
    void DumpTeleportIds() const;
    void DumpRespawnIds() const;
    void GetPlayerNetHeartbeatInfo(PlayerNetHeartbeatInfo& info) const;
    void GetPlayerNetBasicInfo(PlayerNetBasicInfo& info) const;

    // The save stream (PlayerSaveStream.cpp).
    void StreamProperties(IOStream* stream);
    void StreamPropertiesUI(IOStream* stream);
    void StreamPropertiesInventory(IOStream* stream);
    bool StreamPropertiesQuestTokens(IOStream* stream);
    // The items the last read of the bag and equipment named but could not make (their records
    // missing): a save of him now would lose them.
    const std::vector<std::string>& GetPassedOverItems() const { return passedOverItems; }
    // Always a new record's values: the windows' own state is not what a save restores.
    void GetUISettings(PlayerSave_UISetting& settings) const;
    void RestoreUISettings(PlayerSave_UISetting& settings);

    // Tokens, pets, records, textures, voices, descriptions (PlayerRecords.cpp).
    void BestowToken(const TriggerToken& token);
    bool HasToken(const char* name) const;
    void RemoveToken(const TriggerToken& token);
    void ClearTokens();
    std::string GetTriggerTokensAsString() const;
    bool CanAdoptAPet(uint32_t id);
    void AddNpcDialog(const NpcDialogData& data);
    void RemoveNpcDialog(const std::string& name);
    bool IsNpcDialog(const std::string& name) const;
    bool GetNpcDialog(const std::string& name, NpcDialogData& out) const;
    void AddNpcIllumination(const NpcIlluminationData& data);
    void RemoveNpcIllumination(const std::string& name);
    bool IsNpcIllumination(const std::string& name) const;
    bool GetNpcIllumination(const std::string& name, NpcIlluminationData& out) const;
    void AddBoatMaster(const BoatMasterData& data);
    bool IsBoatMaster(const std::string& name) const;
    bool GetBoatMaster(const std::string& name, BoatMasterData& out) const;
    void SetPlayerTexture(const std::string& name);
    const std::string& GetPlayerTexture() const { return playerTexture; }
    void ResetPlayerTexture();
    void PickNewTexture(uint32_t index);
    void PlayInventoryFullSound();
    void PlayPickUpSound();
    void PlayLockedChestVox();
    void PlayLockedShrineVox();
    void PlayLockedDoorVox();
    void PlayLockedQuestObjectVox();
    void PlayNotEnoughManaVox(uint32_t skillId);
    void PlayInvalidEquipmentVox(uint32_t skillId);
    void PlaySkillCooldownVox(uint32_t skillId);
    void ResetSkillVox();
    std::string GetClassTag() const;
    std::wstring GetClassNameA() const;
    std::wstring GetRolloverDescription() const;

    // Copies and the paper doll (PlayerPaperDoll.cpp).
    Player* CreateCopy();
    Entity* CreateCopy(uint32_t id) const;
    void CreatePaperDoll();

protected:
    // Fields, in their order.
    PlayerGameInterface* gameInterface = nullptr;
    std::wstring playerName;
    uint32_t lightId = 0;
    uint32_t inventoryFullSound = 0;
    uint32_t pickUpSound = 0;
    int32_t lockedVoxInterval = kLockedVoxInterval;
    uint32_t lockedChestSound = 0;
    int32_t lockedChestCooldown = 0;
    uint32_t lockedShrineSound = 0;
    int32_t lockedShrineCooldown = 0;
    uint32_t lockedDoorSound = 0;
    int32_t lockedDoorCooldown = 0;
    uint32_t lockedQuestObjectSound = 0;
    int32_t lockedQuestObjectCooldown = 0;
    int32_t skillVoxSameInterval = kSkillVoxSameInterval;
    int32_t skillVoxAnyInterval = kSkillVoxAnyInterval;
    uint32_t notEnoughManaSound = 0;
    uint32_t notEnoughManaSkillId = 0;
    uint32_t invalidEquipmentSound = 0;
    uint32_t invalidEquipmentSkillId = 0;
    uint32_t skillCooldownSound = 0;
    uint32_t skillCooldownSkillId = 0;
    int32_t skillVoxSameCooldown = 0;
    int32_t skillVoxAnyCooldown = 0;
    float longIdleTriggerTime = 0.0f; // milliseconds
    float idleThreshold = 0.0f;       // milliseconds
    float idleClock = 0.0f;           // milliseconds
    std::vector<TriggerToken> heldTokens;
    std::vector<TriggerToken> pendingTokens;
    int32_t heartbeatCounter = 0;
    std::vector<uint32_t> pets;
    uint32_t petLimit = kPetLimit;
    EventHandler<Player, GameEvent_QuestComplete> questCompleteListener;
    EventHandler<Player, GameEvent_QuestUpdate> questUpdateListener;
    EventHandler<Player, GameEvent_CreatureDeath> creatureDeathListener;
    PlayerCharacterClassType playerClass = kNoClass;
    std::array<std::vector<UniqueId>, kNumDifficulties> teleportIds;
    std::array<std::vector<UniqueId>, kNumDifficulties> markerIds;
    std::array<std::vector<UniqueId>, kNumDifficulties> respawnIds;
    // The current respawn point of each difficulty.
    std::array<UniqueId, kNumDifficulties> strategicMovementRespawnPoints;
    bool alternateConfig = false;
    bool alternateConfigEnabled = false;
    std::unique_ptr<PlayerHotSlotCtrl> hotSlotCtrl;
    uint32_t spawnPointIndex = 0;
    std::string playerTexture;
    std::vector<std::string> playerTextures;
    bool saveNeeded = false;
    int32_t autoSaveTimer = kAutoSaveInterval;
    bool questSaveRequested = false;
    bool questSaveArgument = false;
    bool isInMainQuest = true;
    std::unique_ptr<PlayerReplicationRecord> replicationRecord;
    bool isCopy = false;
    std::string currentBossMusic;
    std::string requestedBossMusic;
    Player* paperDoll = nullptr;
    std::unique_ptr<Region> paperDollRegion;
    // Item id on the player to the id of its copy on the paper doll.
    std::map<uint32_t, uint32_t> paperDollItems;
    GameDifficulty greatestDifficultyCompleted = kNoDifficulty;
    bool hasBeenInGame = false;
    UniqueId uniqueSaveId;
    float maxMoveToRatio = 0.0f;
    float debugSphereRadius = 0.0f;
    int32_t compassState = 0;
    bool skillWindowShowsHelp = true;
    std::vector<BoatMasterData> boatMasters;
    std::vector<NpcDialogData> npcDialogs;
    std::vector<NpcIlluminationData> npcIlluminations;
    std::vector<std::string> passedOverItems;

private:
    // The difficulty whose lists the place operations use.
    static size_t CurrentDifficultyIndex();
    // Clamp(speed, min%, max%) of the base attribute; a bound of 0 or less leaves the speed.
    float CapSpeed(float speed, const char* minKey, const char* maxKey,
                   CharAttributeType baseAttribute) const;
    // Destroys the current controller, then makes one from the record and attaches it.
    void ReplaceController(const char* record);
    void UpdateIdleClock(int32_t elapsedMs);
    void UpdateVoxCooldowns(int32_t elapsedMs);
    void UpdateMainPlayerSkillPoints();
    void ProcessPendingTokens();
    // Records, voices and the paper doll (PlayerRecords.cpp, PlayerPaperDoll.cpp).
    void PlayLockedVox(uint32_t soundId, int32_t& cooldown);
    void PlaySkillVox(uint32_t soundId, uint32_t& lastSkillId, uint32_t skillId);
    // The old doll, its item copies and its region go; the item map is emptied.
    void DestroyPaperDoll();
};

} // namespace GAME
