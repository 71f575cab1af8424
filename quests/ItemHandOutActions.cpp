#include "quests/ItemHandOutActions.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "core/RandomUniform.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "quests/TriggerMarkup.h"
#include "world/FixedItem.h"

namespace GAME {

bool NpcItemAction::SerializeChildProperties(IOStream* stream)
{
    const bool read = StreamNpc(stream);
    return item.Stream(stream, "item") && read;
}

const std::string& NpcItemAction::Describe(const char* verb, const char* from)
{
    description = verb + ItemValues() + from + TriggerMarkup::Record(npc);
    return description;
}

void Action_DispenseItemFromNpc::Apply()
{
    const std::string& record = item[Difficulty()];
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : creatures.ids) {
        if (Npc* npcObject = objects.GetObject<Npc>(id)) {
            npcObject->SetDispenseItem(LocalPlayerId(), record);
            isPendingFire = false;
        } else if (Monster* monster = objects.GetObject<Monster>(id)) {
            monster->SetTreasureProxy(record);
            isPendingFire = false;
        }
    }
}

Item* Action_DropItemFromNpc::MakeItem(const std::string& record) const
{
    ItemReplicaInfo info;
    RandomUniform& random = gGameEngine->GetRandomGen();
    if (!DrawLootItemNames(record, info, random))
        return ObjectManager::Instance().CreateObjectFromFile<Item>(record, 0);
    if (info.baseName.empty())
        return nullptr;
    info.id = ObjectManager::Instance().CreateObjectID();
    info.seed = static_cast<uint32_t>(random.IGenerate(0, 10000));
    return Item::CreateItem(info);
}

void Action_DropItemFromNpc::Apply()
{
    const std::string& record = item[Difficulty()];
    if (record.empty() || creatures.ids.empty() || gGameEngine == nullptr)
        return;
    for (uint32_t id : creatures.ids) {
        if (Character* character = ObjectManager::Instance().GetObject<Character>(id)) {
            if (Item* dropped = MakeItem(record)) {
                itemId = dropped->GetObjectId();
                character->DropItem(dropped, 0.5f, 0.5f);
            }
        }
        isPendingFire = false;
    }
}

Action_DispenseItemFromChest::Action_DispenseItemFromChest(uint32_t id, Trigger* parent)
    : WaitingAction(id, parent),
      spawnListener("GameEvent_FixedItemSpawn", &Action_DispenseItemFromChest::OnFixedItemSpawn,
                    this)
{}

const std::string& Action_DispenseItemFromChest::GetDescription()
{
    description = "Dispense Item " + ItemValues() + " From Chest " + TriggerMarkup::Record(chest);
    return description;
}

bool Action_DispenseItemFromChest::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("chest", chest);
    return item.Stream(stream, "item") && read;
}

void Action_DispenseItemFromChest::OnFixedItemSpawn(const GameEvent_FixedItemSpawn& event)
{
    if (!NameMatches(chest, event.objectName))
        return;
    chestId = event.objectId;
    TryIfPending();
}

void Action_DispenseItemFromChest::Apply()
{
    FixedItem* fixedItem = ObjectManager::Instance().GetObject<FixedItem>(chestId);
    if (fixedItem == nullptr)
        return;
    ItemReplicaInfo info;
    info.baseName = item[Difficulty()];
    fixedItem->SetDropPerPartyMemberItem(info);
    isPendingFire = false;
}

void Action_RemoveItemFromInventory::Fire(uint32_t /*targetId*/, bool /*reFire*/)
{
    if (Player* player =
            ObjectManager::Instance().GetObject<Player>(WaitingAction::LocalPlayerId()))
        player->TakeItemFromCharacter(itemName);
}

const std::string& Action_RemoveItemFromInventory::GetDescription()
{
    description = "Remove Item {B" + TriggerMarkup::RecordName(itemName) + "} From Inventory";
    return description;
}

bool Action_RemoveItemFromInventory::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("itemName", itemName);
}

} // namespace GAME
