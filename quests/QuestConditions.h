#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/TriggerCondition.h"
#include "quests/QuestListeners.h"
#include "quests/TokenNamed.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The conditions a quest trigger waits for. Each reads its properties from the quest file and
// registers there for the events it needs; a matching event satisfies it, names the instigating
// object in its trigger and asks the trigger to look again. The setters and getters are plain:
// they register nothing.

// Remembers the volumes of its record as they spawn: an entry is only heard from a volume seen.
class VolumeConditionBase : public TriggerCondition {
public:
    VolumeConditionBase(uint32_t id, Trigger* parent);
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(volumeRecord);
    }
    void SetVolumeRecord(const char* value) { volumeRecord = value != nullptr ? value : ""; }
    const char* GetVolumeRecord() const { return volumeRecord.c_str(); }
    const std::vector<uint32_t>& GetVolumeIds() const { return volumeIds; }

protected:
    // A player came in or went out of one of the remembered volumes.
    bool HeardFrom(uint32_t volumeId, uint32_t entityId) const;

    std::string volumeRecord;

private:
    void OnGenericEntitySpawn(const GameEvent_GenericEntity& event);
    void OnGenericEntityDestroy(const GameEvent_GenericEntity& event);

    std::vector<uint32_t> volumeIds;
    EventHandler<VolumeConditionBase, GameEvent_GenericEntity> spawnHandler;
    EventHandler<VolumeConditionBase, GameEvent_GenericEntity> destroyHandler;
};

class Condition_EnterVolume : public VolumeConditionBase {
public:
    Condition_EnterVolume(uint32_t id, Trigger* parent);
    ~Condition_EnterVolume() override;
    const char* GetName() const override { return "Condition_EnterVolume"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void OnEnterBoundingVolume(const GameEvent_EnterBoundingVolume& event);
};

class Condition_ExitVolume : public VolumeConditionBase {
public:
    Condition_ExitVolume(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Condition_ExitVolume"; }
    const std::string& GetDescription() override;

private:
    void OnExitBoundingVolume(const GameEvent_ExitBoundingVolume& event);
    EventHandler<Condition_ExitVolume, GameEvent_ExitBoundingVolume> exitHandler;
};

class Condition_KillCreature : public TriggerCondition, public CreatureDeathListener {
public:
    using TriggerCondition::TriggerCondition;
    const char* GetName() const override { return "Condition_KillCreature"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(creatureRecord);
    }
    void OnCreatureDeath(const GameEvent_CreatureDeath& event) override;
    // With notify, the other machines hear that it is met.
    void Satisfy(uint32_t killer, uint32_t victim, bool notify);
    void SetCreatureRecord(const char* value) { creatureRecord = value != nullptr ? value : ""; }
    const char* GetCreatureRecord() const { return creatureRecord.c_str(); }

private:
    std::string creatureRecord;
};

class Condition_KillAllCreaturesFromProxy : public TriggerCondition, public CreatureDeathListener {
public:
    using TriggerCondition::TriggerCondition;
    const char* GetName() const override { return "Condition_KillAllCreaturesFromProxy"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(proxyRecord);
    }
    void OnCreatureDeath(const GameEvent_CreatureDeath& event) override;
    // Met when the kills counted equal the pool's head count exactly.
    void Satisfy(uint32_t siblingCount, bool notify);
    void SetProxyRecord(const char* value) { proxyRecord = value != nullptr ? value : ""; }
    const char* GetProxyRecord() const { return proxyRecord.c_str(); }
    int32_t GetKillCount() const { return killCount; }

private:
    std::string proxyRecord;
    int32_t killCount = 0;
};

class Condition_KillCreatureHerd : public TriggerCondition, public CreatureDeathListener {
public:
    using TriggerCondition::TriggerCondition;
    const char* GetName() const override { return "Condition_KillCreatureHerd"; }
    const std::string& GetDescription() override;
    void GetQuestInformation(std::vector<std::string>& lines) override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(creatureRecord);
    }
    void OnCreatureDeath(const GameEvent_CreatureDeath& event) override;
    // Counts; met once the count reaches creatureCount.
    void Satisfy(uint32_t killer, uint32_t victim, bool notify);
    void SetCreatureRecord(const char* value) { creatureRecord = value != nullptr ? value : ""; }
    const char* GetCreatureRecord() const { return creatureRecord.c_str(); }
    void SetCreatureCount(int32_t value) { creatureCount = value; }
    int32_t GetCreatureCount() const { return creatureCount; }
    void SetQuestWindowDisplay(const char* value)
    {
        questWindowDisplay = value != nullptr ? value : "";
    }
    const char* GetQuestWindowDisplay() const { return questWindowDisplay.c_str(); }
    int32_t GetKillCount() const { return killCount; }

private:
    std::string creatureRecord;
    int32_t creatureCount = 0;
    std::string questWindowDisplay;
    int32_t killCount = 0;
};

class Condition_UseFixedItem : public TriggerCondition {
public:
    Condition_UseFixedItem(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Condition_UseFixedItem"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(itemRecord);
    }
    void SetItemRecord(const char* value) { itemRecord = value != nullptr ? value : ""; }
    const char* GetItemRecord() const { return itemRecord.c_str(); }

private:
    void OnFixedItemUse(const GameEvent_FixedItemUse& event);
    std::string itemRecord;
    EventHandler<Condition_UseFixedItem, GameEvent_FixedItemUse> useHandler;
};

class Condition_PickupItem : public TriggerCondition {
public:
    Condition_PickupItem(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Condition_PickupItem"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(itemRecord);
    }
    void SetItemRecord(const char* value) { itemRecord = value != nullptr ? value : ""; }
    const char* GetItemRecord() const { return itemRecord.c_str(); }

private:
    void OnItemAdd(const GameEvent_ItemAdd& event);
    std::string itemRecord;
    EventHandler<Condition_PickupItem, GameEvent_ItemAdd> addHandler;
};

class Condition_ConversationStart : public TriggerCondition {
public:
    using TriggerCondition::TriggerCondition;
    ~Condition_ConversationStart() override;
    const char* GetName() const override { return "Condition_ConversationStart"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(personRecord);
    }
    void OnConversationBegin(const GameEvent_GenericEntity& event);
    // With notify, a trigger that fired tells the other machines once delayed work goes out.
    void Satisfy(uint32_t player, bool notify, bool statusFlag);
    void SetPersonRecord(const char* value) { personRecord = value != nullptr ? value : ""; }
    const char* GetPersonRecord() const { return personRecord.c_str(); }

private:
    std::string personRecord;
};

// Token conditions name a token, not a record; they show it in the second highlight.
using TokenConditionBase = TokenNamed<TriggerCondition>;

class Condition_OwnsTriggerToken : public TokenConditionBase {
public:
    using TokenConditionBase::TokenConditionBase;
    const char* GetName() const override { return "Condition_OwnsTriggerToken"; }
    const std::string& GetDescription() override;
    // Polled: the local player holds the token, inverted when negated.
    bool IsSatisfied(bool& flag) override;
};

class Condition_GotToken : public TokenConditionBase {
public:
    Condition_GotToken(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Condition_GotToken"; }
    const std::string& GetDescription() override;

private:
    void OnGotToken(const GameEvent_GotToken& event);
    EventHandler<Condition_GotToken, GameEvent_GotToken> tokenHandler;
};

class Condition_CharacterHasItem : public TriggerCondition {
public:
    using TriggerCondition::TriggerCondition;
    const char* GetName() const override { return "Condition_CharacterHasItem"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(itemName);
    }
    // Polled: the trigger's instigator carries the item, inverted when negated.
    bool IsSatisfied(bool& flag) override;
    void SetItemName(const char* value) { itemName = value != nullptr ? value : ""; }
    const char* GetItemName() const { return itemName.c_str(); }

private:
    std::string itemName;
};

class Condition_OnLevelLoad : public TriggerCondition {
public:
    Condition_OnLevelLoad(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Condition_OnLevelLoad"; }
    const std::string& GetDescription() override;

private:
    void OnPreRun(const GameEvent& event);
    EventHandler<Condition_OnLevelLoad, GameEvent> preRunHandler;
};

class Condition_OnQuestComplete : public TriggerCondition {
public:
    Condition_OnQuestComplete(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Condition_OnQuestComplete"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void SetQuestFile(const char* value) { questFile = value != nullptr ? value : ""; }
    const char* GetQuestFile() const { return questFile.c_str(); }

private:
    void OnQuestComplete(const GameEvent_QuestComplete& event);
    std::string questFile;
    EventHandler<Condition_OnQuestComplete, GameEvent_QuestComplete> completeHandler;
};

// Waits for a named character, or any of a proxy's primary objects, to finish a scripted order.
class CompletionConditionBase : public TriggerCondition {
public:
    CompletionConditionBase(uint32_t id, Trigger* parent, const char* completionEvent);
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(characterRecord);
    }
    void SetCharacterRecord(const char* value) { characterRecord = value != nullptr ? value : ""; }
    const char* GetCharacterRecord() const { return characterRecord.c_str(); }

private:
    void OnInitialUpdate(const GameEvent_GenericEntity& event);
    void OnCompleted(const GameEvent_GenericEntity& event);

    std::string characterRecord;
    std::vector<uint32_t> objectIds;
    EventHandler<CompletionConditionBase, GameEvent_GenericEntity> completedHandler;
    EventHandler<CompletionConditionBase, GameEvent_GenericEntity> initialUpdateHandler;
};

class Condition_MoveCompleted : public CompletionConditionBase {
public:
    Condition_MoveCompleted(uint32_t id, Trigger* parent)
        : CompletionConditionBase(id, parent, "GameEvent_MoveCompleted")
    {}
    const char* GetName() const override { return "Condition_MoveCompleted"; }
    const std::string& GetDescription() override;
};

class Condition_AnimationCompleted : public CompletionConditionBase {
public:
    Condition_AnimationCompleted(uint32_t id, Trigger* parent)
        : CompletionConditionBase(id, parent, "GameEvent_AnimationCompleted")
    {}
    const char* GetName() const override { return "Condition_AnimationCompleted"; }
    const std::string& GetDescription() override;
};

} // namespace GAME
