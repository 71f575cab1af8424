#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemRelic.h"
#include "items/OneShot.h"

namespace GAME {

namespace {

constexpr const char* kCharacterItemUseSource = "Project/Game/Character";

} // namespace

// Ids reach these from peers' commands: only what the character holds may be used.

void Character::UseInventoryItem(uint32_t itemId, bool destroy)
{
    if (!HasItem(itemId)) {
        gEngine->Log(2, "Character %u asked to use item %u it does not hold.", GetObjectId(),
                     itemId);
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    OneShot* oneShot = objects.GetObject<OneShot>(itemId);
    if (oneShot == nullptr)
        return;
    oneShot->Use(this);
    playStats.IncrementPotion(oneShot);
    if (destroy) {
        TakeItemFromCharacter(itemId);
        objects.DestroyObjectEx(oneShot, kCharacterItemUseSource, __LINE__);
    }
}

void Character::UseRelic(uint32_t relicId, uint32_t itemId)
{
    if (!HasItem(relicId) || !HasItem(itemId)) {
        gEngine->Log(2, "Character %u asked to use relic %u on item %u it does not hold.",
                     GetObjectId(), relicId, itemId);
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    ItemRelic* relic = objects.GetObject<ItemRelic>(relicId);
    Item* item = objects.GetObject<Item>(itemId);
    if (relic == nullptr || item == nullptr)
        return;
    relic->UseRelicOn(item);
    if (relic->GetRelicLevel() != 0)
        return;
    TakeItemFromCharacter(relicId);
    objects.DestroyObjectEx(relic, kCharacterItemUseSource, __LINE__);
}

} // namespace GAME
