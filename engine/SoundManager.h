#pragma once

#include "engine/SoundDescriptor.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace GAME {

// Sounds by descriptor. Nothing is heard: the manager records every request, and a played sound
// stays playing for the length set for its file until `Update` has run past it.
class SoundManager {
public:
    enum RequestType {
        LoadRequest,
        UnloadRequest,
        Play2DRequest,
        FadeRequest,
        VolumeRequest,
        StopRequest
    };

    struct Request {
        RequestType type = LoadRequest;
        std::string file;
        float volume = 0.0f;
        int32_t kind = 0;
        bool flag = false;
        int32_t fadeMs = 0;
        int32_t fadeTarget = 0;
    };

    static SoundManager& Instance();

    // Forgets every sound, length and request.
    void Reset();

    // -1 (the default) is a length the manager cannot tell.
    void SetFileLength(const std::string& file, int32_t milliseconds);

    bool Load(SoundDescriptor& sound, const std::string& file);
    void Unload(SoundDescriptor& sound);
    void Play2D(SoundDescriptor& sound, bool flag);
    // The loaded file's length in milliseconds, -1 when unknown or nothing is loaded.
    int32_t PlayLength(const SoundDescriptor& sound) const;
    bool IsPlaying(const SoundDescriptor& sound) const;
    void FadeSound(SoundDescriptor& sound, int32_t milliseconds, int32_t target, bool flag);
    void UpdateVolume(SoundDescriptor& sound, float volume);
    void Stop(SoundDescriptor& sound);

    // Runs the playing sounds on by the milliseconds.
    void Update(int32_t milliseconds);

    const std::vector<Request>& GetRequests() const { return requests; }

    // Where the listener stands; without a region nobody listens, and placed sounds stay silent.
    const WorldVec3& GetEarsPosition() const { return ears; }
    void SetEarsPosition(const WorldVec3& position) { ears = position; }

private:
    struct Playing {
        int32_t left = 0;
    };

    std::map<std::string, int32_t> lengths;
    std::map<uint32_t, Playing> playing;
    std::vector<Request> requests;
    uint32_t nextHandle = 1;
    WorldVec3 ears;
};

} // namespace GAME
