#pragma once

#include "engine/EventHandler.h"
#include "quests/WaitingAction.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class GameEvent_FixedItemSpawn;

// Opens or closes the door of a name for good. Waits for the door's spawn, but not across a
// reload: a restored quest fires the action again instead.
class DoorAction : public WaitingAction {
public:
    DoorAction(uint32_t id, Trigger* parent, bool open);
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    // "door" comes out with forward slashes, whatever the designer typed.
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override { names.push_back(door); }
    void Apply() override;
    void OnFixedItemSpawn(const GameEvent_FixedItemSpawn& event);

    // Stored as given: only the quest file's text is mended.
    void SetDoor(const char* value) { door = value != nullptr ? value : ""; }
    const char* GetDoor() const { return door.c_str(); }
    void SetCanReFire(bool value) { canReFire = value; }
    bool GetCanReFire() const { return canReFire; }

protected:
    bool AcceptFire(bool reFire) override;

private:
    bool open;
    std::string door;
    bool canReFire = true;
    bool reFired = false;
    uint32_t doorId = 0;
    EventHandler<DoorAction, GameEvent_FixedItemSpawn> spawnListener;
};

// A client's restored quest leaves the door to the server's level state.
class Action_OpenDoor : public DoorAction {
public:
    Action_OpenDoor(uint32_t id, Trigger* parent) : DoorAction(id, parent, true) {}
    const char* GetName() const override { return "Action_OpenDoor"; }
};

class Action_CloseDoor : public DoorAction {
public:
    Action_CloseDoor(uint32_t id, Trigger* parent) : DoorAction(id, parent, false) {}
    const char* GetName() const override { return "Action_CloseDoor"; }
};

// Locks or unlocks the fixed items of a name: those that spawn under it, or a spawn pool's
// accessory objects. A client tells the server first, then every machine sets the lock.
class LockAction : public WaitingAction {
public:
    LockAction(uint32_t id, Trigger* parent, bool lock);
    bool CanDelay() const override { return true; }
    void Apply() override;
    void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) override;
    void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message) override;
    void OnFixedItemSpawn(const GameEvent_FixedItemSpawn& event);

    void SetFixedItem(const char* value) { fixedItem = value != nullptr ? value : ""; }
    const char* GetFixedItem() const { return fixedItem.c_str(); }
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(fixedItem);
    }
    const std::vector<uint32_t>& GetFixedItemIds() const { return fixedItemIds; }

protected:
    // Streams "fixedItem" and listens under it.
    bool StreamFixedItem(IOStream* stream);

    std::string fixedItem;

private:
    bool lock;
    std::vector<uint32_t> fixedItemIds;
    EventHandler<LockAction, GameEvent_FixedItemSpawn> spawnListener;
};

class Action_LockFixedItem : public LockAction {
public:
    Action_LockFixedItem(uint32_t id, Trigger* parent) : LockAction(id, parent, true) {}
    const char* GetName() const override { return "Action_LockFixedItem"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override { return StreamFixedItem(stream); }
};

class Action_UnlockFixedItem : public LockAction {
public:
    Action_UnlockFixedItem(uint32_t id, Trigger* parent) : LockAction(id, parent, false) {}
    const char* GetName() const override { return "Action_UnlockFixedItem"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;

    void SetCanReFire(bool value) { canReFire = value; }
    bool GetCanReFire() const { return canReFire; }

protected:
    bool AcceptFire(bool reFire) override { return !reFire || canReFire; }

private:
    bool canReFire = true;
};

} // namespace GAME
