#pragma once

#include "engine/EventHandler.h"
#include "quests/WaitingAction.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class GameEvent_CreatureSpawn;

// Sends the creatures of a name to a quest location (or to the local player) on foot, fighting
// on the way or not.
class Action_TaskCreatureToLocation : public WaitingAction {
public:
    using WaitingAction::WaitingAction;
    const char* GetName() const override { return "Action_TaskCreatureToLocation"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override { return StreamPending(stream); }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.insert(names.end(), {creature, location});
    }
    void Apply() override;
    // Any news may complete the pair of creatures and place, matched or not.
    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event) override;
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override;
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override;

    void SetCreature(const char* value) { creature = value != nullptr ? value : ""; }
    const char* GetCreature() const { return creature.c_str(); }
    void SetLocation(const char* value) { location = value != nullptr ? value : ""; }
    const char* GetLocation() const { return location.c_str(); }
    void SetFight(bool value) { fight = value; }
    bool GetFight() const { return fight; }
    void SetCanReFire(bool value) { canReFire = value; }
    bool GetCanReFire() const { return canReFire; }

protected:
    bool AcceptFire(bool reFire) override { return !reFire || canReFire; }

private:
    std::string creature;
    std::string location;
    bool fight = false;
    bool canReFire = true;
    uint32_t locationId = 0;
    NamedCreatures creatures;
};

// Places an entity at a quest location, on the machine that runs the game logic.
class Action_SpawnEntityAtLocation : public WaitingAction {
public:
    using WaitingAction::WaitingAction;
    const char* GetName() const override { return "Action_SpawnEntityAtLocation"; }
    const std::string& GetDescription() override;
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override { return StreamPending(stream); }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.insert(names.end(), {entity, location});
    }
    void Apply() override;
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override;
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override;

    void SetEntity(const char* value) { entity = value != nullptr ? value : ""; }
    const char* GetEntity() const { return entity.c_str(); }
    void SetLocation(const char* value) { location = value != nullptr ? value : ""; }
    const char* GetLocation() const { return location.c_str(); }

private:
    std::string entity;
    std::string location;
    uint32_t locationId = 0;
};

// Kills the creatures of a record. Its pending firing is not saved.
class Action_KillCreature : public WaitingAction {
public:
    Action_KillCreature(uint32_t id, Trigger* parent);
    const char* GetName() const override { return "Action_KillCreature"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(creatureRecord);
    }
    void Apply() override;
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override;
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override;
    void OnCreatureSpawn(const GameEvent_CreatureSpawn& event);

    void SetCreatureRecord(const char* value) { creatureRecord = value != nullptr ? value : ""; }
    const char* GetCreatureRecord() const { return creatureRecord.c_str(); }
    void SetCanReFire(bool value) { canReFire = value; }
    bool GetCanReFire() const { return canReFire; }

protected:
    bool AcceptFire(bool reFire) override { return !reFire || canReFire; }

private:
    std::string creatureRecord;
    bool canReFire = true;
    NamedCreatures creatures;
    EventHandler<Action_KillCreature, GameEvent_CreatureSpawn> spawnListener;
};

// Switches invincibility of the named creatures' controllers; an empty name means the local
// player.
class Action_SetCharacterInvincible : public CreatureListAction {
public:
    using CreatureListAction::CreatureListAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_SetCharacterInvincible"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override { return StreamPending(stream); }
    bool SerializeChildProperties(IOStream* stream) override;
    void Apply() override;

    void SetInvincible(bool value) { invincible = value; }
    bool GetInvincible() const { return invincible; }
    void SetCanReFire(bool value) { canReFire = value; }
    bool GetCanReFire() const { return canReFire; }

protected:
    bool AcceptFire(bool reFire) override { return !reFire || canReFire; }

private:
    bool invincible = true;
    bool canReFire = true;
};

class Action_NpcPlayAnimation : public CreatureListAction {
public:
    using CreatureListAction::CreatureListAction;
    const char* GetName() const override { return "Action_NpcPlayAnimation"; }
    const std::string& GetDescription() override;
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override { return StreamPending(stream); }
    bool SerializeChildProperties(IOStream* stream) override;
    void Apply() override;

    void SetAnimation(int32_t value) { animation = value; }
    int32_t GetAnimation() const { return animation; }
    void SetAllowInterruptions(bool value) { allowInterruptions = value; }
    bool GetAllowInterruptions() const { return allowInterruptions; }
    void SetLooping(bool value) { looping = value; }
    bool GetLooping() const { return looping; }

private:
    int32_t animation = 0;
    bool allowInterruptions = false;
    bool looping = false;
};

// Switches a spawn pool off for good, where the game logic runs.
class Action_DisableProxy : public WaitingAction {
public:
    using WaitingAction::WaitingAction;
    const char* GetName() const override { return "Action_DisableProxy"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override { return StreamPending(stream); }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override { names.push_back(proxy); }
    void Apply() override;
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override;
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override;

    void SetProxy(const char* value) { proxy = value != nullptr ? value : ""; }
    const char* GetProxy() const { return proxy.c_str(); }

private:
    std::string proxy;
    uint32_t proxyId = 0;
};

// Every source creature uses the skill on every target; an empty name means the local player.
// Its pending firing is not saved.
class Action_FireSkill : public WaitingAction {
public:
    using WaitingAction::WaitingAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_FireSkill"; }
    const std::string& GetDescription() override;
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.insert(names.end(), {skill, source, target});
    }
    void Apply() override;
    void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event) override;
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override;
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override;

    void SetSkill(const char* value) { skill = value != nullptr ? value : ""; }
    const char* GetSkill() const { return skill.c_str(); }
    void SetSource(const char* value) { source = value != nullptr ? value : ""; }
    const char* GetSource() const { return source.c_str(); }
    void SetTarget(const char* value) { target = value != nullptr ? value : ""; }
    const char* GetTarget() const { return target.c_str(); }
    void SetAllowInterruptions(bool value) { allowInterruptions = value; }
    bool GetAllowInterruptions() const { return allowInterruptions; }

private:
    std::string skill;
    std::string source;
    std::string target;
    bool allowInterruptions = false;
    NamedCreatures targets;
    NamedCreatures sources;
};

} // namespace GAME
