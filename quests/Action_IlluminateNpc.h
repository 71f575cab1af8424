#pragma once

#include "engine/TriggerAction.h"
#include "quests/QuestListeners.h"

#include <cstdint>
#include <string>

namespace GAME {

// Marks a named NPC (type 1 exclamation, 2 question, 3 glow). Once the NPC has ended the marking
// it sets the deluminate flag here, so a restored quest firing again leaves the NPC unmarked.
class Action_IlluminateNpc : public TriggerAction, public CreatureInitialUpdateListener {
public:
    Action_IlluminateNpc(uint32_t id, Trigger* parent);
    ~Action_IlluminateNpc() override;

    // Waits for the NPC when it is not known yet.
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_IlluminateNpc"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override;
    // Also waits there for the NPC to announce itself.
    bool SerializeChildProperties(IOStream* stream) override;
    // The NPC is known from now on; a pending firing completes.
    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event) override;

    void SetNpc(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNpc() const { return npc.c_str(); }
    void SetType(int32_t value) { type = value; }
    int32_t GetType() const { return type; }
    void SetDeluminate() { isDeluminate = true; }
    bool IsDeluminate() const { return isDeluminate; }

    // The NPC's object id once it has announced itself; 0 while unknown.
    void SetNpcId(uint32_t objectId) { npcId = objectId; }
    uint32_t GetNpcId() const { return npcId; }
    bool IsPendingFire() const { return isPendingFire; }
    // Marks the NPC when the id names one.
    void Apply();

private:
    std::string npc;
    int32_t type = 1;
    uint32_t npcId = 0;
    bool isPendingFire = false;
    bool isDeluminate = false;
};

} // namespace GAME
