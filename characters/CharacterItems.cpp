// A character's items: carried in the inventory, worn through the combat manager's equipment,
// taken, dropped, paid for, and the item sets their wearing adds up to.
#include "characters/CharAttributeAccumulator.h"
#include "characters/Character.h"
#include "combat/CombatAttributeAccumulator.h"
#include "core/Helpers.h"
#include "core/RandomHelpers.h"
#include "core/StringHelpers.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/SkeletalPose.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/EquipManager.h"
#include "items/InventoryReplica.h"
#include "items/Item.h"
#include "items/ItemSet.h"
#include "skills/SkillAttributeAccumulator.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr float kTwoPi = 6.28318531f;
constexpr int32_t kDroppedPhysicsType = 2;

template <typename Function>
void ForEachWornSet(const std::map<std::string, std::vector<std::string>>& itemSets,
                    Function function)
{
    for (const auto& [setName, items] : itemSets) {
        if (items.empty())
            continue;
        if (const ItemSet* set = GameEngine::Get().GetItemSet(setName))
            function(*set, static_cast<uint32_t>(items.size()));
    }
}

} // namespace

// Attaching and detaching.

void Character::AttachItem(Item* item, EquipLocations location)
{
    if (item != nullptr)
        AttachItemAction(item->GetObjectId(), location);
}

void Character::AttachItemAction(uint32_t itemId, EquipLocations location)
{
    inventory.RemoveItemFromInventory(itemId);
    combatManager.AttachItemAction(itemId, location);
    // A swing started with the old weapon would finish with the new one.
    if (IsAlive() && actionState == ActionState_Attack)
        CharacterStop();
    equipmentChanged = true;
}

void Character::DetachItemAction(uint32_t itemId)
{
    if (!combatManager.GetEquipManager().HasItem(itemId))
        return;
    combatManager.DetachItemAction(itemId);
    inventory.AddItemToInventory(itemId, false);
    if (IsAlive() && actionState == ActionState_Attack)
        CharacterStop();
    equipmentChanged = true;
}

bool Character::GetChangeOfEquipmentNotification()
{
    const bool changed = equipmentChanged;
    equipmentChanged = false;
    return changed;
}

// Taking and dropping.

void Character::TakeItemFromCharacter(uint32_t itemId)
{
    DetachItemAction(itemId);
    inventory.RemoveItemFromInventory(itemId);
    NotifyControllerItemRemovedFromInventory(itemId);
}

void Character::TakeItemFromCharacter(const std::string& recordName)
{
    const ObjectManager& objects = ObjectManager::Instance();
    auto matches = [&](uint32_t id) {
        const Item* item = objects.GetObject<Item>(id);
        return item != nullptr && FileNameEquals(item->GetObjectName(), recordName);
    };
    std::vector<uint32_t> attached;
    combatManager.GetEquipManager().GetAllAttachedItems(attached);
    for (uint32_t id : attached) {
        if (matches(id))
            TakeItemFromCharacter(id);
    }
    // Taking changes the list under the walk.
    const std::vector<uint32_t> carried = inventory.GetInventoryItems();
    for (uint32_t id : carried) {
        if (matches(id))
            TakeItemFromCharacter(id);
    }
}

void Character::DropItem(Item* item, float /*unused1*/, float /*unused2*/)
{
    if (item == nullptr)
        return;
    Coords placement = Coords::RotationAboutAxis(RandomFloat(0.0f, kTwoPi), Vec3(0, 1, 0));
    static const Name leftHand = Name::Create("L Hand");
    const WorldCoords hand = GetAttachedCoords(leftHand);
    placement.origin = hand.GetRegionCoords().origin;
    item->SetPose(SkeletalPose());
    item->SetPhysicsType(kDroppedPhysicsType);
    World* world = gEngine->GetWorld();
    if (world == nullptr ||
        !world->AddEntity(item, WorldCoords(hand.GetRegionId(), placement), false))
        return;
    PhysicsEngine& physics = gEngine->GetPhysicsEngine();
    physics.SetEntityLinearVelocity(item, Vec3(0, 4, 0));
    const float x = RandomFloat(-8.0f, 8.0f);
    const float y = RandomFloat(-8.0f, 8.0f);
    const float z = RandomFloat(-8.0f, 8.0f);
    physics.SetEntityAngularVelocity(item, Vec3(x, y, z));
    item->SetDropSoundToPlay();
    inventory.RemoveItemFromInventory(item->GetObjectId());
}

void Character::SetInventoryReplica(const std::vector<InventoryReplica>& replicas)
{
    for (const InventoryReplica& replica : replicas) {
        Item* item = Item::CreateItem(replica.item);
        if (item == nullptr)
            continue;
        inventory.AddItemToInventory(item->GetObjectId(), false);
        if (replica.location != EquipLocations_None)
            AttachItemAction(item->GetObjectId(), replica.location);
    }
}

// Queries.

bool Character::HasItem(uint32_t itemId) const
{
    return inventory.IsItemInInventory(itemId) || combatManager.GetEquipManager().HasItem(itemId);
}

bool Character::HasItem(const std::string& recordName) const
{
    return inventory.IsItemInInventory(recordName) ||
           combatManager.GetEquipManager().HasItem(recordName);
}

bool Character::IsWieldingDualWeapons() const
{
    return combatManager.GetHandState() == EquipManager_HandState_DualWielded;
}

bool Character::IsUnarmed() const
{
    return combatManager.GetHandState() == EquipManager_HandState_Unarmed;
}

// Money.

void Character::AddMoney(uint32_t amount)
{
    // Summed wide: two large amounts would wrap in 32 bits and slip under the cap.
    currentMoney = static_cast<uint32_t>(
        Min<uint64_t>(static_cast<uint64_t>(currentMoney) + amount, kMaxMoney));
}

uint32_t Character::SubtractMoney(uint32_t amount)
{
    currentMoney = amount >= currentMoney ? 0 : currentMoney - amount;
    return currentMoney;
}

// Item sets.

void Character::RemoveItemFromSet(const std::string& setName, const std::string& itemName)
{
    const auto set = itemSets.find(setName);
    if (set == itemSets.end())
        return;
    std::string name = itemName;
    NormalizeFileNameLower(name);
    std::vector<std::string>& items = set->second;
    const auto found = std::find(items.begin(), items.end(), name);
    if (found != items.end())
        items.erase(found);
}

uint32_t Character::GetNumberOfItemsInSet(const std::string& setName) const
{
    const auto set = itemSets.find(setName);
    return set == itemSets.end() ? 0 : static_cast<uint32_t>(set->second.size());
}

void Character::ContributeItemSetCharAttributes(CharAttributeAccumulator& accumulator) const
{
    ForEachWornSet(itemSets, [&](const ItemSet& set, uint32_t count) {
        set.GetCharAttributes(accumulator, count);
    });
}

void Character::ContributeItemSetSkillAttributes(SkillAttributeAccumulator& accumulator) const
{
    ForEachWornSet(itemSets, [&](const ItemSet& set, uint32_t count) {
        set.GetSkillAttributes(accumulator, count);
    });
}

void Character::ContributeItemSetDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachWornSet(itemSets, [&](const ItemSet& set, uint32_t count) {
        set.GetDefenseAttributes(accumulator, count);
    });
}

void Character::ContributeItemSetOffensiveDamageAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    ForEachWornSet(itemSets, [&](const ItemSet& set, uint32_t count) {
        set.GetOffensiveDamageAttributes(accumulator, count);
    });
}

void Character::ContributeItemSetOffensiveModifierAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    ForEachWornSet(itemSets, [&](const ItemSet& set, uint32_t count) {
        set.GetOffensiveModifierAttributes(accumulator, count);
    });
}

void Character::ContributeItemSetRetaliationAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    ForEachWornSet(itemSets, [&](const ItemSet& set, uint32_t count) {
        set.GetRetaliationAttributes(accumulator, count);
    });
}

} // namespace GAME
