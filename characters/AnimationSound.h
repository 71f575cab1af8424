#pragma once

#include "engine/Name.h"

#include <cstdint>
#include <map>
#include <string>

namespace GAME {

class Entity;
class SoundPak;
class WorldCoords;

// Sounds that go with animations, by animation name, each played at a chance in percent.
// Owns its sound packs. They are held by object id: when every object is torn down at once a
// pack may go before its owner, and a pointer would then dangle.
class AnimationSound {
public:
    AnimationSound() = default;
    AnimationSound(const AnimationSound&) = delete;
    AnimationSound& operator=(const AnimationSound&) = delete;
    ~AnimationSound();

    // Skipped for an empty record or a chance not above 0; a name already held keeps its sound.
    void AddSound(const Name& animation, const std::string& soundRecord, float chance);
    // True when the name has a sound and the draw in [0.1, 100] falls within its chance; plays
    // at the position, or where the entity stands.
    bool PlaySound(Entity& entity, const Name& animation, const WorldCoords* position);
    void PreLoad();

    // Null for a name without a sound.
    SoundPak* GetSound(const Name& animation) const;

private:
    struct Entry {
        uint32_t soundId = 0;
        float chance = 0.0f;
    };

    std::map<Name, Entry> sounds;
};

} // namespace GAME
