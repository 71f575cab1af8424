#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// A sound as the sound manager knows it: the file it was loaded from and how it is to be played.
// Handle 0 is a descriptor with nothing loaded.
class SoundDescriptor {
public:
    uint32_t handle = 0;
    std::string file;
    float volume = 1.0f;
    int32_t kind = 0;
};

} // namespace GAME
