#pragma once

#include "characters/Character.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Action_IlluminateNpc;
class Action_UpdateNPCDialog;
class BinaryReader;
class BinaryWriter;
class DialogPak;
class EffectEntity;
class GraphicsAnim;
class LoadTable;
class NetPacketInBuffer;
class NetPacketOutBuffer;
class Player;
class SoundDescriptor;
class VoidCallbackFunctor;
struct MinimapGameNugget;

// The townsfolk that talk to the player: a current dialog pak and a queue of more, the mark
// over the head (or the glow around the body) that says there is something to hear, chat
// partners, the boat passage it may offer and the item it may hand out. What quests told it is
// kept per player in the player's lists, so it follows the player between levels.
class Npc : public Character {
    GAME_DECLARE_CLASS(Npc)

public:
    // Picks the marks shown; the skill reallocator uses its own.
    enum DialogType : int32_t {
        DialogType_Exclamation = 1,
        DialogType_Question = 2,
        DialogType_Illumination = 3,
        DialogType_Default = 4,
        DialogType_Reallocation = 5
    };

    static constexpr int32_t kConversationCoolDown = 1000; // milliseconds
    static constexpr int32_t kAlertTime = 2500;            // milliseconds

    Npc();
    ~Npc() override;

    // Virtual operations, in the order of their slots.
    void Load(const LoadTable& table) override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;
    // Only the entity's own update.
    void ForcedUpdate(int32_t /*elapsedMs*/) override {}
    void InitialUpdate() override;
    bool ShouldServerSpawn() const override { return true; }
    void WriteReplicationData(NetPacketOutBuffer& out) override;
    void ReadReplicationData(NetPacketInBuffer& in) override;
    void ApplyReplicationData() override;
    bool ShouldSaveState() const override { return saveStateWanted; }
    void SaveState(BinaryWriter& writer) const override;
    // False when the state ran short; what was not read keeps its value.
    bool RestoreState(BinaryReader& reader) override;
    virtual bool UseExistingObjectForRestore() const { return true; }
    void UpdateSelf(int32_t elapsedMs) override;
    bool DoDebugRender() const override { return true; }
    bool IsOfInterest() const override;
    bool WillYouChat(uint32_t otherId) override;
    bool ShouldLoadLoot() const override;

    // Operations this kind adds, in their slot order.
    virtual void LoadController();
    virtual void OnPlayerInteract(uint32_t playerId, bool flag1, bool flag2);
    virtual uint32_t GetChatTarget() const { return GetSocialTarget(); }
    virtual GraphicsAnim* GetAlertAnim() const { return alertAnim; }
    virtual float GetAlertAnimSpeed() const { return alertAnimSpeed; }
    virtual void PlayAlertSound() {}
    virtual void SetChatEnable(bool value) { chatEnabled = value; }
    virtual bool GetChatEnable() const { return chatEnabled; }
    virtual void Converse(uint32_t talkerId);
    virtual bool Dialog_DoOverridePlaybackType() const { return false; }
    virtual void Dialog_OverridePlayback(const SoundDescriptor& /*descriptor*/) {}
    // A null or empty name drops the dialog.
    virtual void Dialog_ReplaceStatic(const char* fileName, Action_UpdateNPCDialog* action,
                                      bool played);
    // 0 when chatting with nobody.
    virtual uint32_t GetSocialTarget() const;
    virtual void AddSocialTarget(uint32_t id);
    virtual void DeleteSocialTarget(uint32_t id);
    virtual void UpdateSocialTargetList() {}
    virtual bool IsChatting() const { return !socialTargets.empty(); }
    virtual bool DoSuppressQuestion() const { return true; }

    // Dialog.
    bool HasDialog() const { return dialogPak != nullptr; }
    DialogPak* GetDialogPak() const { return dialogPak; }
    void SetDialogType(DialogType type) { dialogType = type; }
    DialogType GetDialogType() const { return dialogType; }
    int32_t GetDialogTimer() const { return dialogTimer; }
    // Raised by `Dialog_TriggerAlert`, cleared once the alert time has run out.
    bool IsAlerted() const { return alerted; }
    bool IsAvailableForConversations() const;
    bool IsInSidelineConversation() const { return inSidelineConversation; }
    void SetInSidelineConversation(bool value) { inSidelineConversation = value; }
    bool IsChattingWithPlayer(uint32_t playerId) const;
    void OnConversationEnd(uint32_t id) { DeleteSocialTarget(id); }
    void OnDialogComplete();
    // Null paks and names that spawn nothing are ignored.
    void Dialog_Push(DialogPak* pak);
    void Dialog_Push(const std::string& recordName);
    void Dialog_Append(DialogPak* pak);
    void Dialog_Append(const std::string& recordName);
    // The front of the queue, handed to the caller; null when empty.
    DialogPak* Dialog_Pop();
    size_t GetDialogQueueSize() const { return dialogQueue.size(); }
    size_t GetPlayingPakCount() const { return playingPaks.size(); }
    void Dialog_Illuminate(Action_IlluminateNpc* action);
    void Dialog_Deluminate();
    void Dialog_TriggerAlert(uint32_t characterId);
    Action_IlluminateNpc* GetIlluminateAction() const { return illuminateAction; }
    Action_UpdateNPCDialog* GetUpdateDialogAction() const { return updateDialogAction; }
    void Update_Dialog(int32_t elapsedMs);
    // Never deletes a pak the user interface shows: it is closed there instead.
    void DestroyDialogPak(DialogPak* pak);
    void DestroyFunctor(VoidCallbackFunctor* functor);

    // Marks and glow.
    void AttachPunctuation(const char* name);
    void DetachPunctuation();
    void AttachIllumination(const char* name);
    void DetachIllumination();
    const std::string& GetPunctuationRecord() const { return punctuationRecord; }
    EffectEntity* GetPunctuationEffect() const { return punctuationEffect; }
    EffectEntity* GetIlluminationEffect() const { return illuminationEffect; }

    // Controller, per-player records, boat passage and gifts.
    void SetController(const std::string& recordName);
    void SetBoatMaster(bool flag, const std::string& text, int32_t x, int32_t y, int32_t z);
    bool IsBoatMasterForLocalPlayer() const;
    void SetPlayerNpcDialog(Action_UpdateNPCDialog* action);
    void SetPlayerNpcIllumination(Action_IlluminateNpc* action);
    void SetDispenseItem(uint32_t playerId, const std::string& itemRecord);
    // Empty when the player has nothing waiting.
    std::string GetDispenseItem(uint32_t playerId) const
    {
        const auto found = dispenseItems.find(playerId);
        return found != dispenseItems.end() ? found->second : std::string();
    }

    // Herds and attraction.
    bool IsInHerd() const { return inHerd; }
    const std::string& GetHerderFor() const { return herderFor; }
    bool CanBeAttracted() const;
    void SetIgnoreAttractionTime(int32_t milliseconds) { ignoreAttractionTime = milliseconds; }
    bool IsNpcAttractor() const { return npcAttractor; }
    // Milliseconds; 0 for a non-attractor.
    int32_t GetAttractionTime() const;

    // Queries.
    float GetMinRotationSpeed() const;
    float GetMaxRotationSpeed() const;
    float GetDistanceToPlayer() const;
    // 1 near the player, fading to 0 from about 7.16 units; 0 without a player.
    float GetDialogFade() const;
    bool IncludeInMap() const;
    const WorldCoords& GetHomePlacement() const { return homePlacement; }
    const WorldCoords& GetFrontPlacement() const { return frontPlacement; }
    const std::string& GetMessageFileName() const { return messageFileName; }
    const std::string& GetMessageDialogTag() const { return messageDialogTag; }
    float GetMessageScrollRate() const { return messageScrollRate; }
    const std::string& GetAIType() const { return aiType; }
    int32_t GetConversationCoolDown() const { return conversationCoolDown; }
    void OnDebugRenderClick() { debugRender = !debugRender; }
    bool IsDebugRenderOn() const { return debugRender; }

protected:
    // Null without a game or a main player.
    static Player* GetLocalPlayer();
    // Shared by `InitialUpdate` and `RestoreState`.
    void RestorePlayerInteractionState();

    // Fields, in their order.
    std::vector<uint32_t> socialTargets;
    std::string dialogPakRecord;
    DialogPak* dialogPak = nullptr; // owned; dropped through DestroyDialogPak
    DialogType dialogType = DialogType_Default;
    int32_t dialogTimer = -1; // milliseconds
    bool saveStateWanted = false;
    Action_IlluminateNpc* illuminateAction = nullptr;
    Action_UpdateNPCDialog* updateDialogAction = nullptr;
    std::string messageFileName = "NoFile";
    std::string messageDialogTag;
    float messageScrollRate = 1.0f;
    std::string aiType;
    WorldCoords homePlacement;
    WorldCoords frontPlacement;
    GraphicsAnim* alertAnim = nullptr;
    float alertAnimSpeed = 1.0f;
    bool chatEnabled = true;
    bool includeInMap = false;
    // Both own their paks; dropped through DestroyDialogPak.
    std::vector<DialogPak*> dialogQueue;
    std::vector<DialogPak*> playingPaks;
    std::unique_ptr<VoidCallbackFunctor> dialogCompleteCallback;
    std::string illuminationRecord = "Records/Effects/EnvironmentFX/NPCEffect.dbr";
    EffectEntity* illuminationEffect = nullptr;
    EffectEntity* punctuationEffect = nullptr;
    std::string punctuationRecord;
    bool availableForConversations = true;
    bool alerted = false;
    int32_t alertTimer = 0;           // milliseconds
    int32_t conversationCoolDown = 0; // milliseconds
    bool inSidelineConversation = false;
    bool inHerd = false;
    std::string herderFor;
    bool npcAttractor = false;
    int32_t attractionTimeMin = 3; // seconds
    int32_t attractionTimeMax = 4; // seconds
    bool canBeAttracted = true;
    int32_t ignoreAttractionTime = 0; // milliseconds
    bool debugRender = false;
    std::string controllerRecord;
    std::map<uint32_t, std::string> dispenseItems;
    LootStruct replicatedLoot;
    // Set by a complete read only; a failed read leaves nothing to apply.
    bool replicationPending = false;
};

} // namespace GAME
