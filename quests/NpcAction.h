#pragma once

#include "engine/TriggerAction.h"
#include "quests/QuestListeners.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Npc;

// An action on a named NPC that may fire before the NPC exists: it stays pending until the NPC
// announces itself ("GameEvent_CreatureInitialUpdate" under its name), then acts.
class NpcAction : public TriggerAction, public CreatureInitialUpdateListener {
public:
    using TriggerAction::TriggerAction;

    void Fire(uint32_t targetId, bool reFire) override;
    // The NPC is known from now on; a pending firing completes.
    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event) override;
    void GetRecordNames(std::vector<std::string>& names) const override { names.push_back(npc); }

    // The NPC's object id once it has announced itself; 0 while unknown.
    void SetNpcId(uint32_t objectId) { npcId = objectId; }
    uint32_t GetNpcId() const { return npcId; }
    bool IsPendingFire() const { return isPendingFire; }
    // Acts when the id names an NPC, and is no longer pending then.
    void Apply();

protected:
    // Registers with the repository for the NPC's announcement; after the properties are read.
    void ListenForNpc();
    // False when the id names nothing of the class the action works on.
    virtual bool ApplyToObject(uint32_t objectId);
    virtual void ApplyTo(Npc& npc) = 0;

    std::string npc;
    uint32_t npcId = 0;
    bool isPendingFire = false;
};

} // namespace GAME
