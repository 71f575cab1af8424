#include "quests/DoorLockActions.h"

#include "core/GameEvents.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "quests/QuestNetMsg.h"
#include "quests/TriggerMarkup.h"
#include "world/FixedItemConfigCommands.h"
#include "world/FixedItemDoor.h"
#include "world/Proxy.h"

#include <algorithm>
#include <memory>

namespace GAME {

DoorAction::DoorAction(uint32_t id, Trigger* parent, bool open)
    : WaitingAction(id, parent), open(open),
      spawnListener("GameEvent_FixedItemSpawn", &DoorAction::OnFixedItemSpawn, this)
{}

const std::string& DoorAction::GetDescription()
{
    description = std::string(open ? "Open door " : "Close door ") + TriggerMarkup::Record(door);
    return description;
}

bool DoorAction::SerializeChildProperties(IOStream* stream)
{
    const bool read =
        stream->StreamString("door", door) && stream->StreamBool("canReFire", canReFire);
    std::replace(door.begin(), door.end(), '\\', '/');
    return read;
}

bool DoorAction::AcceptFire(bool reFire)
{
    // A client's door follows the server's level state; a closed door may close again anywhere.
    const bool serverOrSingle = gGameEngine != nullptr && gGameEngine->IsServerOrSingle();
    if (reFire && (!canReFire || (open && !serverOrSingle)))
        return false;
    reFired = reFire;
    return true;
}

void DoorAction::OnFixedItemSpawn(const GameEvent_FixedItemSpawn& event)
{
    if (!NameMatches(door, event.objectName))
        return;
    doorId = event.objectId;
    TryIfPending();
}

void DoorAction::Apply()
{
    FixedItemDoorBase* target =
        doorId != 0 ? ObjectManager::Instance().GetObject<FixedItemDoorBase>(doorId) : nullptr;
    if (!isPendingFire || door.empty() || target == nullptr)
        return;
    const FixedItem_State state = open ? FixedItem_DoorOpenForGood : FixedItem_DoorClosed;
    target->Enqueue(std::make_unique<FixedItemStateChangeConfigCmd>(doorId, state, 0, !reFired));
    isPendingFire = false;
}

LockAction::LockAction(uint32_t id, Trigger* parent, bool lock)
    : WaitingAction(id, parent), lock(lock),
      spawnListener("GameEvent_FixedItemSpawn", &LockAction::OnFixedItemSpawn, this)
{}

bool LockAction::StreamFixedItem(IOStream* stream)
{
    const bool read = stream->StreamString("fixedItem", fixedItem);
    ListenForEntities(fixedItem);
    return read;
}

void LockAction::OnFixedItemSpawn(const GameEvent_FixedItemSpawn& event)
{
    if (!NameMatches(fixedItem, event.objectName))
        return;
    fixedItemIds.push_back(event.objectId);
    TryIfPending();
}

void LockAction::OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event)
{
    const Proxy* pool = ObjectManager::Instance().GetObject<Proxy>(event.objectId);
    if (!NameMatches(fixedItem, event.objectName) || pool == nullptr)
        return;
    pool->GetAccessoryObjects(fixedItemIds);
    TryIfPending();
}

void LockAction::OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message)
{
    fixedItemIds = message.accessoryObjects;
    TryIfPending();
}

void LockAction::Apply()
{
    if (fixedItemIds.empty())
        return;
    const bool client = IsClient();
    for (uint32_t id : fixedItemIds) {
        if (client)
            gGameEngine->QuestCommandLockFixedItem(id, lock);
        if (FixedItem* item = ObjectManager::Instance().GetObject<FixedItem>(id))
            item->SetLock(lock);
    }
    isPendingFire = false;
}

const std::string& Action_LockFixedItem::GetDescription()
{
    description = "Lock Fixed Item " + TriggerMarkup::Record(fixedItem);
    return description;
}

const std::string& Action_UnlockFixedItem::GetDescription()
{
    description = "Unlock Fixed Item " + TriggerMarkup::Record(fixedItem) + " and {B" +
                  (canReFire ? "Refire" : "Don't Refire") + "}";
    return description;
}

bool Action_UnlockFixedItem::SerializeChildProperties(IOStream* stream)
{
    return StreamFixedItem(stream) && stream->StreamBool("canReFire", canReFire);
}

} // namespace GAME
