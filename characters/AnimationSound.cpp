#include "characters/AnimationSound.h"

#include "core/RandomHelpers.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"

namespace GAME {

AnimationSound::~AnimationSound()
{
    ObjectManager& objects = ObjectManager::Instance();
    for (const auto& [animation, entry] : sounds)
        objects.DestroyObjectEx(objects.GetObject<SoundPak>(entry.soundId),
                                "Project/Game/AnimationSound", 36);
}

void AnimationSound::AddSound(const Name& animation, const std::string& soundRecord, float chance)
{
    if (soundRecord.empty() || !(chance > 0.0f))
        return;
    // Checked before the pack is made: a second pack for the name would never be destroyed.
    if (sounds.count(animation) != 0)
        return;
    SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(soundRecord);
    if (sound != nullptr)
        sounds.emplace(animation, Entry{sound->GetObjectId(), chance});
}

bool AnimationSound::PlaySound(Entity& entity, const Name& animation, const WorldCoords* position)
{
    const auto found = sounds.find(animation);
    if (found == sounds.end())
        return false;
    if (RandomFloat(0.1f, 100.0f) > found->second.chance)
        return false;
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(found->second.soundId))
        sound->Play(position != nullptr ? *position : entity.GetCoords(), false, false);
    return true;
}

void AnimationSound::PreLoad()
{
    for (const auto& [animation, entry] : sounds) {
        if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(entry.soundId))
            sound->PreLoad(false);
    }
}

SoundPak* AnimationSound::GetSound(const Name& animation) const
{
    const auto found = sounds.find(animation);
    if (found == sounds.end())
        return nullptr;
    return ObjectManager::Instance().GetObject<SoundPak>(found->second.soundId);
}

} // namespace GAME
