#include "items/Item.h"

#include "characters/Character.h"
#include "engine/Coords.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldCoords.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Item, Actor);

Item::~Item() = default;

void Item::Load(const LoadTable& table)
{
    Actor::Load(table);
    cannotPickUpMultiple = table.GetBool("cannotPickUpMultiple", false);
    bitmapName = table.GetString("bitmap", "");
}

GraphicsTexture* Item::GetBitmap() const
{
    return nullptr;
}

GraphicsTexture* Item::LoadBitmap() const
{
    return GraphicsEngine::Instance().LoadTexture(bitmapName);
}

Item* Item::CreateItem(const ItemReplicaInfo& info)
{
    Item* item = ObjectManager::Instance().CreateObjectFromFile<Item>(info.baseName, info.id, true);
    if (item == nullptr)
        return nullptr;
    item->SetItemReplicaInfo(info);
    item->InitializeItem();
    return item;
}

void Item::SetItemReplicaInfo(const ItemReplicaInfo& info)
{
    itemInfo = info;
    itemInfo.id = GetObjectId();
    itemInfo.baseName = GetObjectName();
}

void Item::GetItemReplicaInfo(ItemReplicaInfo& info) const
{
    info = itemInfo;
    // Until a record is applied the item's own id and name still name it.
    info.id = GetObjectId();
    info.baseName = GetObjectName();
}

void Item::InitializeItem()
{
    initialized = true;
}

void Item::SetDropSoundToPlay()
{
    dropSoundPending = true;
}

void Item::AttachItem(Character& character, const char* attachPoint)
{
    if (attachPoint == nullptr || *attachPoint == '\0') {
        SetVisibility(false);
        attachPoint = "";
    }
    character.Attach(this, Coords::Identity(), attachPoint);
    attachedTo = character.GetObjectId();
}

void Item::DetachItem(Character& character)
{
    character.Detach(this);
    SetVisibility(true);
    attachedTo = 0;
}

void Item::GetDefenseAttributes(CombatAttributeAccumulator&) const {}

void Item::GetRetaliationAttributes(CombatAttributeAccumulator&) const {}

void Item::ContributeRacialBonusDefense(const std::vector<std::string>&, RacialBonus_Defense&) const
{}

void Item::GetSkillAttributes(SkillAttributeAccumulator&) const {}

void Item::GetOffensiveDamageAttributes(CombatAttributeAccumulator&) const {}

void Item::GetOffensiveModifierAttributes(CombatAttributeAccumulator&) const {}

void Item::ContributeRacialBonusDamage(const std::vector<std::string>&, RacialBonus_Damage&) const
{}

Character* Item::GetCharacter() const
{
    return ObjectManager::Instance().GetObject<Character>(attachedTo);
}

uint32_t Item::LoadSoundPakFromTable(const LoadTable& table, const char* key)
{
    const std::string record = table.GetString(key);
    if (record.empty())
        return 0;
    const SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record);
    return sound != nullptr ? sound->GetObjectId() : 0;
}

void Item::DestroySoundPak(uint32_t& soundId, const char* sourceFile, int line)
{
    if (soundId == 0)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject<SoundPak>(soundId), sourceFile, line);
    soundId = 0;
}

void Item::PlaySoundPak(uint32_t soundId, const WorldCoords& position)
{
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(soundId))
        sound->Play(position, false, true);
}

} // namespace GAME
