#include "world/FixedItemLook.h"

#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "items/Item.h"
#include "world/FxPak.h"

namespace GAME {

FixedItemLook::~FixedItemLook()
{
    Item::DestroySoundPak(soundId, "Project/Game/FixedItem", __LINE__);
}

void FixedItemLook::Load(const LoadTable& table, const std::string& stem)
{
    const std::string name = table.GetString((stem + "Animation").c_str(), "");
    if (!name.empty())
        animation.AddAnimation(name, table.GetFloat((stem + "AnimationSpeed").c_str(), 0.0f), 0.0f,
                               "");
    LoadSound(table, (stem + "Sound").c_str());
    LoadEffect(table, (stem + "FxPakName").c_str());
}

void FixedItemLook::LoadSound(const LoadTable& table, const char* key)
{
    Item::DestroySoundPak(soundId, "Project/Game/FixedItem", __LINE__);
    soundId = Item::LoadSoundPakFromTable(table, key);
}

void FixedItemLook::LoadEffect(const LoadTable& table, const char* key)
{
    effect = table.GetString(key, "");
}

void FixedItemLook::PreLoad(bool flag)
{
    animation.PreLoad(flag);
    Item::PreLoadSoundPak(soundId, flag);
}

void FixedItemLook::PlaySoundAndEffect(const WorldCoords& coords) const
{
    PlaySound(coords, false);
    PlaceEffect(coords);
}

void FixedItemLook::PlaySound(const WorldCoords& coords, bool loop) const
{
    if (soundId == 0)
        return;
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(soundId))
        sound->Play(coords, loop, true);
}

void FixedItemLook::PlaceEffect(const WorldCoords& coords) const
{
    PlaceFxPak(effect, coords);
}

} // namespace GAME
