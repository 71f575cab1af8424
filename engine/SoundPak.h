#pragma once

#include "engine/Object.h"
#include "engine/WorldCoords.h"

#include <string>
#include <vector>

namespace GAME {

class LoadTable;

// A record-defined group of sounds. Nothing is heard here: the pack keeps the sound files its
// record names and records every play request, so that callers can be checked.
class SoundPak : public Object {
    GAME_DECLARE_CLASS(SoundPak)

public:
    struct PlayRequest {
        // False for the listener-relative form (interface sounds), which has no place.
        bool positioned = false;
        WorldCoords coords;
        bool loop = false;
        bool flag = false;
    };

    SoundPak() = default;
    ~SoundPak() override;

    // "soundFiles": the pack's sounds, one of which a play would pick.
    void Load(const LoadTable& table) override;
    const std::vector<std::string>& GetSoundFiles() const { return soundFiles; }

    void Play(bool flag);
    void Play(const WorldCoords& coords, bool loop, bool flag);
    const std::vector<PlayRequest>& GetPlayRequests() const { return playRequests; }

private:
    std::vector<std::string> soundFiles;
    std::vector<PlayRequest> playRequests;
};

} // namespace GAME
