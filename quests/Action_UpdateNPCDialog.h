#pragma once

#include "quests/NpcAction.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// Gives a named NPC a new dialog record. The NPC remembers the action and tells it when the
// player has heard the primary line, so a restored quest hands the dialog back as it was.
class Action_UpdateNPCDialog : public NpcAction {
public:
    Action_UpdateNPCDialog(uint32_t id, Trigger* parent);
    ~Action_UpdateNPCDialog() override;

    const char* GetName() const override { return "Action_UpdateNPCDialog"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return false; }
    bool StreamChildProperties(IOStream* stream) override;
    // Also waits there for the NPC to announce itself.
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.insert(names.end(), {npc, dialogFile});
    }

    void SetDialogFile(const char* value) { dialogFile = value != nullptr ? value : ""; }
    const char* GetDialogFile() const { return dialogFile.c_str(); }
    void SetNPC(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNPC() const { return npc.c_str(); }
    void SetNoPrimaryDialog(bool value) { noPrimaryDialog = value; }
    bool GetNoPrimaryDialog() const { return noPrimaryDialog; }

private:
    void ApplyTo(Npc& target) override;

    std::string dialogFile;
    bool noPrimaryDialog = false;
};

} // namespace GAME
