#pragma once

#include "characters/CharFxPak.h"
#include "characters/Character.h"
#include "characters/MonsterClassification.h"
#include "characters/Team.h"
#include "core/GameEvents.h"
#include "core/GameTextLine.h"
#include "engine/EventHandler.h"
#include "items/ItemReplicaInfo.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Actor;
class BinaryReader;
class BinaryWriter;
class CharAttributeAccumulator;
class CombatAttributeAccumulator;
class ControllerMonster;
class LoadTable;
class NetPacketInBuffer;
class NetPacketOutBuffer;
class SkillAttributeAccumulator;
class SoundPak;
struct MonsterReplicationRecord;

// Every hostile creature, boss and pet. Hands its skills to its own AI, caps its speeds by the
// game settings, can serve a leader for a while or for good (showing a banner meanwhile), and
// survives level unloads and network spawning. Split over Monster*.cpp by topic.
//
// Sound packs and banners are held by object id: a kept pointer would dangle when every object
// is torn down at once.
class Monster : public Character {
    GAME_DECLARE_CLASS(Monster)

public:
    static constexpr const char* kStubControllerRecord =
        "Records/Controllers/Player/CharacterControllerStub.dbr";
    static constexpr const char* kEditorControllerRecord =
        "Records/Controllers/Editor/EditorController.dbr";
    static constexpr const char* kDefaultControllerRecord =
        "Records/Controllers/Monster/DefaultControllerAI.dbr";
    static constexpr const char* kBannerAttachPoint = "Prey_Effect";
    static constexpr uint32_t kNumSkillsToLoad = 17;
    static constexpr size_t kNumSpeedCapKeys = 6;

    Monster();
    ~Monster() override;

    // Overrides, in the order of the base's slots.
    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    // The replication record (MonsterReplication.cpp).
    void WriteReplicationData(NetPacketOutBuffer& out) override;
    // A packet that runs short or carries a state out of range leaves no pending record.
    void ReadReplicationData(NetPacketInBuffer& in) override;
    void ApplyReplicationData() override;
    // The level state (MonsterLevelState.cpp).
    bool ShouldSaveState() const override { return true; }
    void SaveState(BinaryWriter& writer) const override;
    // False when a life state out of range stopped the restore.
    bool RestoreState(BinaryReader& reader) override;
    void UpdateSelf(int32_t elapsedMs) override;
    std::wstring GetGameDescription(bool flag) const override;
    void TouchedByPlayer() override { Character::TouchedByPlayer(); }
    // The pet summary.
    void CreateUISummaryText(GameTextClass textClass,
                             std::vector<GameTextLine>& lines) const override;
    void JoinMe(uint32_t leaderId, int32_t duration, bool showBanner) override;
    float GetDefenseAttributeCap() const override;
    float CapRunSpeed(float speed) const override;
    float CapSpellCastSpeed(float speed) const override;
    float CapAttackSpeed(float speed) const override;
    void ContributeGameBalanceCharAttributes(CharAttributeAccumulator& accumulator) const override;
    void
    ContributeGameBalanceSkillAttributes(SkillAttributeAccumulator& accumulator) const override;
    void
    ContributeGameBalanceDefenseAttributes(CombatAttributeAccumulator& accumulator) const override;
    void ContributeGameBalanceOffensiveDamageAttributes(
        CombatAttributeAccumulator& accumulator) const override;
    void ContributeGameBalanceOffensiveModifierAttributes(
        CombatAttributeAccumulator& accumulator) const override;
    void ContributeGameBalanceRetaliationAttributes(
        CombatAttributeAccumulator& accumulator) const override;
    void CombatExertInfluenceConfusion(int32_t milliseconds) override;
    void CharacterHasDied() override;
    void CharacterIsDying() override;
    void StopDamageEffect(CombatAttributeType damageType) override;
    void StartDamageEffect(CombatAttributeType damageType) override;
    bool ShouldLoadLoot() const override;
    // r = a/b, k = 1 - c/100: stunned only above d + 5; b of 0 or less never stuns.
    float CalculateStun(float a, float b, float c, float d) override;

    // Added after the base's slots.
    virtual bool PlayAmbientSound(bool flag);
    virtual SoundPak* GetAlertSound() const { return GetSoundPak(alertSound); }
    virtual float GetAlertSoundChance() const { return alertSoundChance; }
    virtual SoundPak* GetRallySound() const { return GetSoundPak(rallySound); }
    virtual float GetRallySoundChance() const { return rallySoundChance; }
    virtual SoundPak* GetRampageSound() const { return GetSoundPak(rampageSound); }
    virtual float GetRampageSoundChance() const { return rampageSoundChance; }
    virtual int32_t GetRampageSoundDelay() const { return rampageSoundDelay; }

    // Accessors.
    MonsterClassification GetClassification() const { return classification; }
    bool GetShowStatusWidget() const { return showStatusWidgetWhenPet; }
    const std::string& GetStatusIcon() const { return statusIcon; }
    const std::string& GetStatusIconRed() const { return statusIconRed; }
    SoundPak* GetFleeSound() const { return GetSoundPak(fleeSound); }
    SoundPak* GetPetAttackSound() const { return GetSoundPak(petAttackSound); }
    SoundPak* GetPetAcknowledgeSound() const { return GetSoundPak(petAcknowledgeSound); }
    SoundPak* GetAliveSound() const { return GetSoundPak(aliveSound); }
    SoundPak* GetAmbientSound() const { return GetSoundPak(ambientSound); }
    float GetDeathFromEnemyRange() const { return deathFromEnemyRange; }
    void SetUIActorDescriptionRedirectId(uint32_t id) { uiDescriptionRedirectId = id; }
    uint32_t GetUIActorDescriptionRedirectId() const { return uiDescriptionRedirectId; }
    void SetProxyParent(const std::string& name) { proxyParent = name; }
    const std::string& GetProxyParent() const { return proxyParent; }
    void SetProxyNumSiblings(uint32_t count) { proxyNumSiblings = count; }
    uint32_t GetProxyNumSiblings() const { return proxyNumSiblings; }
    void SetPoppedOut(bool value) { poppedOut = value; }
    bool GetPoppedOut() const { return poppedOut; }
    void SetDropPerPartyMemberItem(const ItemReplicaInfo& item) { dropPerPartyMemberItem = item; }
    const ItemReplicaInfo& GetDropPerPartyMemberItem() const { return dropPerPartyMemberItem; }
    float GetAmbientPeriodMin() const { return ambientPeriodMin; }
    float GetAmbientPeriodMax() const { return ambientPeriodMax; }
    float GetAmbientTimer() const { return ambientTimer; }
    const std::string& GetBossBoundingVolumes() const { return bossBoundingVolumes; }
    const std::string& GetMonsterMusic() const { return monsterMusic; }
    float GetMonsterMusicRadiusSquared() const { return monsterMusicRadiusSquared; }
    const std::string& GetTreasureProxyName() const { return treasureProxyName; }
    const std::array<std::string, kNumSpeedCapKeys>& GetSpeedCapKeys() const
    {
        return speedCapKeys;
    }
    uint32_t GetBalanceLevel() const { return balanceLevel; }
    const CharFxPak& GetConfusionEffect() const { return confusionEffect; }
    bool HasPendingReplicationData() const { return pendingReplicationData != nullptr; }

    // Joining (MonsterJoin.cpp). 0 when the monster serves nobody.
    uint32_t GetLeader() const { return leaderId; }
    // Stores the id and keeps the forced-update registration in step: a player's pet keeps
    // updating wherever it is.
    void SetLeader(uint32_t id);
    uint32_t GetPreviousLeader() const { return previousLeaderId; }
    const Team& GetSavedTeam() const { return savedTeam; }
    int32_t GetJoinTimer() const { return joinTimer; }
    bool IsLeaderAPlayer() const { return leaderIsPlayer; }
    void UnJoinLeader();

    // Banners (MonsterBanners.cpp). Ids 0 when absent.
    void SetBaseBanner(const std::string& recordName);
    void SetConvertBanner(const std::string& recordName);
    void SetControlBanner(const std::string& recordName);
    void RemoveBaseBanner();
    void RemoveConvertBanner();
    void RemoveControlBanner();
    void RemoveAllPetBanners();
    uint32_t GetShownBanner() const { return shownBanner; }
    uint32_t GetBaseBanner() const { return baseBanner; }
    uint32_t GetConvertBanner() const { return convertBanner; }
    uint32_t GetControlBanner() const { return controlBanner; }

    // The controller.
    void BrainTransplant(ControllerMonster* controller);
    // The old controller, neither destroyed nor detached; null (nothing changed) without one.
    ControllerMonster* Lobotomize();
    bool RequestConversation(const Monster& other);
    void SetLifetime(int32_t milliseconds);
    void TransferAnger(Monster& other);
    void ClearAnger();
    void SetTreasureProxy(const std::string& name);
    void OnGameBalanceLevel(const GameEvent_GameBalanceLevel& event);

    // Sounds.
    void StartAliveSound();
    void StopAliveSound();
    bool IsAliveSoundOn() const { return aliveSoundOn; }

    // The alternative mesh and textures, chosen by the object id.
    void SelectAlternativeMesh();

    // Hands the record's skills to the monster's AI (MonsterSkills.cpp).
    void InitSkillsInController(const LoadTable& table, ControllerMonster* controller,
                                uint32_t defaultSkillId);

private:
    ControllerMonster* GetControllerMonster() const;
    void CreateController(const LoadTable& table);
    void AttachBossVolumes();
    void UpdateLeader(int32_t elapsedMs);
    void CountStandInLifetime(int32_t elapsedMs);
    float CapSpeed(float speed, size_t keyIndex, CharAttributeType baseType) const;
    void SelectShownBanner();
    void RemoveBanner(uint32_t& banner);
    void SetBanner(uint32_t& banner, const std::string& recordName);
    void DropAttachedItems();

    uint32_t ambientSound = 0;
    float ambientPeriodMin = 0.0f;
    float ambientPeriodMax = 0.0f;
    float ambientTimer = 0.0f;
    uint32_t alertSound = 0;
    float alertSoundChance = 0.0f;
    uint32_t rallySound = 0;
    float rallySoundChance = 0.0f;
    uint32_t rampageSound = 0;
    float rampageSoundChance = 0.0f;
    int32_t rampageSoundDelay = 0;
    std::string bossBoundingVolumes;
    uint32_t fleeSound = 0;
    uint32_t petAttackSound = 0;
    uint32_t petAcknowledgeSound = 0;
    uint32_t aliveSound = 0;
    int32_t joinTimer = -1;
    // A network client's monsters have a stand-in controller without the monster's clock, yet a
    // timed one the client made (its pet) is the client's to end: the monster keeps the time.
    int32_t standInLifetime = 0; // ms
    Team savedTeam;
    uint32_t previousLeaderId = 0;
    uint32_t leaderId = 0;
    MonsterClassification classification = MonsterClassification_Common;
    float deathFromEnemyRange = 0.0f;
    std::string proxyParent;
    uint32_t proxyNumSiblings = 0;
    CharFxPak confusionEffect;
    std::unique_ptr<MonsterReplicationRecord> pendingReplicationData;
    std::vector<std::string> monsterMeshes;
    std::vector<std::string> baseTextures;
    std::vector<std::string> bumpTextures;
    std::string statusIcon;
    std::string statusIconRed;
    std::string monsterMusic;
    float monsterMusicRadiusSquared = 0.0f;
    uint32_t uiDescriptionRedirectId = 0;
    ItemReplicaInfo dropPerPartyMemberItem;
    uint32_t shownBanner = 0;
    uint32_t baseBanner = 0;
    uint32_t convertBanner = 0;
    uint32_t controlBanner = 0;
    bool showStatusWidgetWhenPet = false;
    bool leaderIsPlayer = false;
    std::array<std::string, kNumSpeedCapKeys> speedCapKeys;
    std::string treasureProxyName;
    EventHandler<Monster, GameEvent_GameBalanceLevel> gameBalanceLevelHandler;
    uint32_t balanceLevel = 0;
    bool aliveSoundOn = false;
    bool poppedOut = false;
};

} // namespace GAME
