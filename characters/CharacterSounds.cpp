#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"

#include <algorithm>
#include <memory>

namespace GAME {

void Character::RegisterNetSound(SoundPak* pack)
{
    if (pack == nullptr)
        return;
    const uint32_t id = pack->GetObjectId();
    // A repeat would give one pack two numbers; the first stands.
    if (std::find(netSounds.begin(), netSounds.end(), id) == netSounds.end())
        netSounds.push_back(id);
}

void Character::PlayNetSound(SoundPak* pack)
{
    if (pack == nullptr)
        return;
    const auto found = std::find(netSounds.begin(), netSounds.end(), pack->GetObjectId());
    if (found == netSounds.end()) {
        gEngine->Log(2, "%s attempted to play an invalid Net Sound.", GetObjectName().c_str());
        return;
    }
    const auto index = static_cast<uint32_t>(found - netSounds.begin());
    Enqueue(std::make_unique<PlaySoundConfigCmd>(GetObjectId(), index));
}

void Character::OnPlayNetSound(uint32_t index)
{
    // The index comes from a peer.
    if (index >= netSounds.size()) {
        gEngine->Log(2, "%s received config cmd to play an invalid Net Sound.",
                     GetObjectName().c_str());
        return;
    }
    if (SoundPak* sound = GetSoundPak(netSounds[index]))
        sound->Play(GetCoords(), false, true);
}

} // namespace GAME
