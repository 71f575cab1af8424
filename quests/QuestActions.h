#pragma once

#include "engine/TriggerAction.h"
#include "quests/QuestJournalPlace.h"
#include "quests/TokenNamed.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The actions that act on the quest system itself. They fire at once; none waits for an object.

// Gives or takes a trigger token of the local player, whatever the target.
using TokenActionBase = TokenNamed<TriggerAction>;

class Action_BestowTriggerToken : public TokenActionBase {
public:
    using TokenActionBase::TokenActionBase;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_BestowTriggerToken"; }
    const std::string& GetDescription() override;
};

class Action_RemoveTriggerToken : public TokenActionBase {
public:
    using TokenActionBase::TokenActionBase;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_RemoveTriggerToken"; }
    const std::string& GetDescription() override;
};

class QuestFileActionBase : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    bool SerializeChildProperties(IOStream* stream) override;
    void SetQuestFile(const char* value) { questFile = value != nullptr ? value : ""; }
    const char* GetQuestFile() const { return questFile.c_str(); }

protected:
    std::string questFile;
};

class Action_BestowQuest : public QuestFileActionBase {
public:
    using QuestFileActionBase::QuestFileActionBase;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_BestowQuest"; }
    const std::string& GetDescription() override;
};

class Action_CompleteQuestNow : public QuestFileActionBase {
public:
    using QuestFileActionBase::QuestFileActionBase;
    // Restored state completes the quest silently.
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_CompleteQuestNow"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
};

class Action_UpdateJournalEntry : public TriggerAction, public QuestJournalPlace {
public:
    using TriggerAction::TriggerAction;
    // A restored entry plays no sound.
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_UpdateJournalEntry"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;

    void SetFullTextTag(const char* value) { fullTextTag = value != nullptr ? value : ""; }
    const char* GetFullTextTag() const { return fullTextTag.c_str(); }
    void SetDoComplete(bool value) { doComplete = value; }
    bool GetDoComplete() const { return doComplete; }
    void SetDoSound(bool value) { doSound = value; }
    bool GetDoSound() const { return doSound; }

private:
    std::string fullTextTag;
    bool doComplete = false;
    bool doSound = true;
};

// Changes what the quest step shows (its map marker or dialog tab); a restored quest shows it
// again.
class ContainerUIAction : public TriggerAction {
public:
    ContainerUIAction(uint32_t id, Trigger* parent) : TriggerAction(id, parent)
    {
        updatesContainerUI = true;
    }
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
};

class Action_UpdateMapMarker : public ContainerUIAction {
public:
    using ContainerUIAction::ContainerUIAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_UpdateMapMarker"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;

    void SetDescriptionTag(const char* value) { descriptionTag = value != nullptr ? value : ""; }
    const char* GetDescriptionTag() const { return descriptionTag.c_str(); }
    void SetBulletPointTag(const char* value) { bulletPointTag = value != nullptr ? value : ""; }
    const char* GetBulletPointTag() const { return bulletPointTag.c_str(); }
    void SetDoComplete(int value) { doComplete = value > 0; }
    int GetDoComplete() const { return doComplete ? 1 : 0; }
    void SetDoSound(bool value) { doSound = value; }
    bool GetDoSound() const { return doSound; }

private:
    std::string descriptionTag;
    std::string bulletPointTag;
    bool doComplete = false;
    bool doSound = true;
};

class Action_ClearMapMarker : public ContainerUIAction {
public:
    using ContainerUIAction::ContainerUIAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_ClearMapMarker"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void SetDoSound(bool value) { doSound = value; }
    bool GetDoSound() const { return doSound; }

private:
    bool doSound = true;
};

class Action_UpdateDialogTab : public ContainerUIAction {
public:
    using ContainerUIAction::ContainerUIAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_UpdateDialogTab"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(dialogPak);
    }
    void SetDialogPak(const char* value) { dialogPak = value != nullptr ? value : ""; }
    const char* GetDialogPak() const { return dialogPak.c_str(); }

private:
    std::string dialogPak;
};

class Action_SendTutorialEvent : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    // Only for the local player's own target (0 counts as the local player).
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_SendTutorialEvent"; }
    const std::string& GetDescription() override;
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;
    void SetIndex(int32_t value) { index = value; }
    int32_t GetIndex() const { return index; }

private:
    int32_t index = 0;
};

} // namespace GAME
