#pragma once

#include "engine/TriggerAction.h"
#include "quests/QuestListeners.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class GameEvent_GenericEntity;
class IOStream;
class QuestNetMsg_ProxySpawn;

// A quest action that names world objects which may not exist yet when its trigger fires. It is
// then pending: every announcement of a named object (its own initial update, its spawn pool's,
// or the server's news of that pool) tells the action the ids, and a pending action tries again.
class WaitingAction : public TriggerAction,
                      public CreatureInitialUpdateListener,
                      public GenericEntityInitialUpdateListener {
public:
    using TriggerAction::TriggerAction;

    // Sets pending and tries at once, unless the firing is refused.
    void Fire(uint32_t targetId, bool reFire) override;
    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& /*event*/) override {}
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& /*event*/) override {}
    bool IsPendingFire() const { return isPendingFire; }
    // Acts on what is known, and is no longer pending once it has.
    virtual void Apply() = 0;

    static uint32_t LocalPlayerId();
    // A network client, where the server carries quest commands out.
    static bool IsClient();
    static int Difficulty();

protected:
    // False refuses a firing, such as a refire the action does not repeat.
    virtual bool AcceptFire(bool /*reFire*/) { return true; }
    bool StreamPending(IOStream* stream) { return StreamFlag(stream, isPendingFire); }
    static bool StreamFlag(IOStream* stream, bool& flag);
    // Creature and spawn pool announcements under the name.
    void ListenForCreatures(const std::string& name);
    void ListenForEntities(const std::string& name);
    void TryIfPending();

    bool isPendingFire = false;
};

// An announced name against a designer's: an empty one names nothing.
bool NameMatches(const std::string& name, const std::string& announced);

// The ids of the creatures one name stands for.
struct NamedCreatures {
    // Each answers whether the announcement was under the name.
    bool TakeCreature(const std::string& name, const std::string& announced, uint32_t id);
    // A spawn pool's creatures replace the list; an announcement of anything else leaves it.
    bool TakeProxy(const std::string& name, const GameEvent_GenericEntity& event);
    bool TakeNet(const std::string& name, const QuestNetMsg_ProxySpawn& message);

    std::vector<uint32_t> ids;
};

// A waiting action on the creatures of one name ("npc"), collected as `NamedCreatures`.
class CreatureListAction : public WaitingAction {
public:
    using WaitingAction::WaitingAction;

    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event) override;
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override;
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override;

    void SetNpc(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNpc() const { return npc.c_str(); }
    void GetRecordNames(std::vector<std::string>& names) const override { names.push_back(npc); }
    const std::vector<uint32_t>& GetCreatureIds() const { return creatures.ids; }

protected:
    // Streams "npc" and listens under it.
    bool StreamNpc(IOStream* stream);

    std::string npc;
    NamedCreatures creatures;
};

} // namespace GAME
