#pragma once

#include "engine/TriggerAction.h"
#include "quests/QuestListeners.h"

#include <cstdint>
#include <string>

namespace GAME {

// Gives a named NPC a new dialog record. The NPC remembers the action and tells it when the
// player has heard the primary line, so a restored quest hands the dialog back as it was.
class Action_UpdateNPCDialog : public TriggerAction, public CreatureInitialUpdateListener {
public:
    Action_UpdateNPCDialog(uint32_t id, Trigger* parent);
    ~Action_UpdateNPCDialog() override;

    // Waits for the NPC when it is not known yet.
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_UpdateNPCDialog"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return false; }
    bool StreamChildProperties(IOStream* stream) override;
    // Also waits there for the NPC to announce itself.
    bool SerializeChildProperties(IOStream* stream) override;
    // The NPC is known from now on; a pending firing completes.
    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event) override;

    void SetDialogFile(const char* value) { dialogFile = value != nullptr ? value : ""; }
    const char* GetDialogFile() const { return dialogFile.c_str(); }
    void SetNPC(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNPC() const { return npc.c_str(); }
    void SetNoPrimaryDialog(bool value) { noPrimaryDialog = value; }
    bool GetNoPrimaryDialog() const { return noPrimaryDialog; }

    // The NPC's object id once it has announced itself; 0 while unknown.
    void SetNpcId(uint32_t objectId) { npcId = objectId; }
    uint32_t GetNpcId() const { return npcId; }
    bool IsPendingFire() const { return isPendingFire; }
    // Hands the dialog to the NPC when the id names one.
    void Apply();

private:
    std::string npc;
    std::string dialogFile;
    uint32_t npcId = 0;
    bool isPendingFire = false;
    bool noPrimaryDialog = false;
};

} // namespace GAME
