#pragma once

#include "quests/NpcAction.h"

#include <cstdint>
#include <string>

namespace GAME {

// Marks a named NPC (type 1 exclamation, 2 question, 3 glow). Once the NPC has ended the marking
// it sets the deluminate flag here, so a restored quest firing again leaves the NPC unmarked.
class Action_IlluminateNpc : public NpcAction {
public:
    Action_IlluminateNpc(uint32_t id, Trigger* parent);
    ~Action_IlluminateNpc() override;

    const char* GetName() const override { return "Action_IlluminateNpc"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override;
    // Also waits there for the NPC to announce itself.
    bool SerializeChildProperties(IOStream* stream) override;

    void SetNpc(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNpc() const { return npc.c_str(); }
    void SetType(int32_t value) { type = value; }
    int32_t GetType() const { return type; }
    void SetDeluminate() { isDeluminate = true; }
    bool IsDeluminate() const { return isDeluminate; }

private:
    void ApplyTo(Npc& target) override;

    int32_t type = 1;
    bool isDeluminate = false;
};

} // namespace GAME
