#pragma once

#include "characters/Npc.h"

#include <cstdint>
#include <vector>

namespace GAME {

class MerchantDialogPak;

// The townsperson who opens the skill reallocation window. Its merchant pak only greets and
// bids farewell; its mark never changes and it keeps no per-player record.
class NpcSkillReallocator : public Npc {
    GAME_DECLARE_CLASS(NpcSkillReallocator)

public:
    NpcSkillReallocator();
    ~NpcSkillReallocator() override;

    void Load(const LoadTable& table) override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;
    bool IsOfInterest() const override { return true; }
    void OnPlayerInteract(uint32_t playerId, bool flag1, bool flag2) override;
    void Dialog_ReplaceStatic(const char* fileName, Action_UpdateNPCDialog* action,
                              bool played) override;

    void Dialog_Hello();
    void Dialog_Goodbye();
};

} // namespace GAME
