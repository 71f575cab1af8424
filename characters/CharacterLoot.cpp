#include "characters/Character.h"

#include "core/RTTI_ClassInfo.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/Weapon.h"

#include <string>

namespace GAME {

namespace {

// Places of the slots in `LootStruct::itemIds`.
enum LootIdSlot : uint32_t {
    LootId_Head = 0,
    LootId_Neck = 1,
    LootId_RightHand = 2,
    LootId_LeftHand = 3,
    LootId_Torso = 4,
    LootId_LowerBody = 5,
    LootId_Forearm = 6,
    LootId_Finger1 = 7,
    LootId_Finger2 = 8
};

struct LootSlot {
    const char* chanceKey;
    LootLoader::Location location;
    EquipLocations equipLocation;
    LootIdSlot idSlot;
};

// Rolling order; replicas must keep it or they draw different items.
constexpr LootSlot kLootSlots[Character::kNumLootSlots] = {
    {"chanceToEquipHead", LootLoader::Head, EquipLocations_Head, LootId_Head},
    {"chanceToEquipNeck", LootLoader::Neck, EquipLocations_Neck, LootId_Neck},
    {"chanceToEquipTorso", LootLoader::Torso, EquipLocations_UpperBody, LootId_Torso},
    {"chanceToEquipLowerBody", LootLoader::LowerBody, EquipLocations_LowerBody, LootId_LowerBody},
    {"chanceToEquipForearm", LootLoader::Forearm, EquipLocations_Forearm, LootId_Forearm},
    {"chanceToEquipLeftHand", LootLoader::LeftHand, EquipLocations_LeftHand, LootId_LeftHand},
    {"chanceToEquipRightHand", LootLoader::RightHand, EquipLocations_RightHand, LootId_RightHand},
    {"chanceToEquipFinger1", LootLoader::Finger1, EquipLocations_Finger, LootId_Finger1},
    {"chanceToEquipFinger2", LootLoader::Finger2, EquipLocations_Finger, LootId_Finger2},
};

// A bow or a staff takes both hands.
bool IsTwoHanded(const Item* item)
{
    const Weapon* weapon = DynamicCast<Weapon>(item);
    if (weapon == nullptr)
        return false;
    const Weapon_Type type = weapon->GetWeaponType();
    return type == Weapon_Type_Bow || type == Weapon_Type_Staff;
}

} // namespace

void Character::LoadLootFromSeed(uint16_t seed, uint16_t levelArgument)
{
    lootState.seed = seed;
    lootState.levelArgument = levelArgument;
    for (uint32_t& id : lootState.itemIds)
        id = ObjectManager::Instance().CreateObjectID();
    LoadLoot();
    AllocateAnimSets();
    LoadAnimations();
}

void Character::LoadLootFromStruct(const LootStruct& loot)
{
    lootState = loot;
    LoadLoot();
    AllocateAnimSets();
    LoadAnimations();
}

void Character::LoadLoot()
{
    ObjectManager& objects = ObjectManager::Instance();
    const LoadTable& record = objects.GetLoadTable(GetObjectName());
    RandomUniform random;
    random.Seed(lootState.seed);

    bool handsTaken = false;
    for (const LootSlot& slot : kLootSlots) {
        // No draw either: the following slots take the draws the right hand would have.
        if (slot.location == LootLoader::RightHand && handsTaken)
            continue;
        Item* item = CreateItemFromLootTable(record, slot.chanceKey, slot.location,
                                             lootState.itemIds[slot.idSlot], random);
        if (slot.location == LootLoader::LeftHand)
            handsTaken = IsTwoHanded(item);
        AttachItem(item, slot.equipLocation);
    }
}

Item* Character::CreateItemFromLootTable(const LoadTable& table, const char* chanceKey,
                                         LootLoader::Location location, uint32_t& itemId,
                                         RandomUniform& random)
{
    LootLoader loader;
    loader.SetLevel(experienceLevelControl.GetCharLevel(), lootState.levelArgument);
    loader.SetRandomizerWeightModifiers(lootWeightModifiers);
    if (classifiedLoot)
        loader.SetNoBrokenItems();

    const float chance = table.GetFloat(chanceKey, 0.0f);
    const float roll = random.FGenerate(0.1f, 100.0f);
    // Written so that a chance that is not a number never rolls.
    if (!(roll <= chance))
        return nullptr;

    const GameDifficulty difficulty = GameEngine::Get().GetGameDifficulty();
    loader.Load(table, location, LootLoader::kMaxLocationCount, static_cast<uint32_t>(difficulty));
    std::string prefix;
    std::string suffix;
    ItemReplicaInfo info;
    loader.GetLootName(info.baseName, prefix, suffix, random);
    if (info.baseName.empty())
        return nullptr;

    info.id = itemId;
    info.prefixName = std::move(prefix);
    info.suffixName = std::move(suffix);
    info.seed = static_cast<uint32_t>(random.IGenerate(0, 10000));
    Item* item = Item::CreateItem(info);
    if (item == nullptr)
        return nullptr;
    itemId = item->GetObjectId();
    return item;
}

} // namespace GAME
