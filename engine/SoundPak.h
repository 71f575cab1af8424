#pragma once

#include "engine/BoundedLog.h"
#include "engine/Object.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <functional>
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

    // "soundFiles": the pack's sounds, one of which a play would pick; "falloff": the distance
    // over which a placed sound dies away (default 10.0).
    void Load(const LoadTable& table) override;
    const std::vector<std::string>& GetSoundFiles() const { return soundFiles; }

    // Told of every play of every pack (a host's transcript); empty for none.
    using PlayObserver = std::function<void(const SoundPak& pak, const PlayRequest& request)>;
    static void SetPlayObserver(PlayObserver observer);

    void Play(bool flag);
    void Play(const WorldCoords& coords, bool loop, bool flag);
    // The latest plays; a pack may play at every blow for as long as a session runs.
    const BoundedLog<PlayRequest>& GetPlayRequests() const { return playRequests; }

    // Where a sound played at the coordinates is heard from.
    WorldVec3 GetPlayLocation(const WorldCoords& coords) const { return coords.GetPosition(); }
    // Silences a looping sound that the listener has walked away from; only counted here.
    void DoFalloffCheck(bool /*flag*/) { ++falloffChecks; }
    uint32_t GetFalloffCheckCount() const { return falloffChecks; }
    float GetFalloff() const { return falloff; }
    void SetFalloff(float value) { falloff = value; }
    // A sound played while this is set repeats until stopped.
    void SetInfiniteLoop(bool value) { infiniteLoop = value; }
    bool GetInfiniteLoop() const { return infiniteLoop; }

    // Warms the pack's sounds; only the requests' flags are kept.
    void PreLoad(bool flag) override { preLoadRequests.push_back(flag); }
    const std::vector<bool>& GetPreLoadRequests() const { return preLoadRequests; }

    // The pack's sounds follow the object (0: they stay where they were played).
    void Track(uint32_t objectId) { trackedObjectId = objectId; }
    void StopTracking() { trackedObjectId = 0; }
    uint32_t GetTrackedObjectId() const { return trackedObjectId; }
    // Fades out the sound played last over the milliseconds; each request's time is kept.
    void FadeLastPlayedSound(int32_t fadeMs)
    {
        fadeRequests.push_back(fadeMs);
        looping = false;
        held = false;
    }
    const std::vector<int32_t>& GetFadeRequests() const { return fadeRequests; }
    void Stop()
    {
        ++stopCount;
        looping = false;
        held = false;
    }
    // Nothing is heard, so a one-shot is over at once; a loop plays until faded or stopped. A
    // test may hold a sound playing, as if it were long.
    bool IsPlaying() const { return looping || held; }
    void HoldPlaying(bool value) { held = value; }
    uint32_t GetStopCount() const { return stopCount; }

private:
    std::vector<std::string> soundFiles;
    BoundedLog<PlayRequest> playRequests{16};
    std::vector<bool> preLoadRequests;
    uint32_t trackedObjectId = 0;
    std::vector<int32_t> fadeRequests;
    uint32_t stopCount = 0;
    bool looping = false;
    bool held = false;
    bool infiniteLoop = false;
    uint32_t falloffChecks = 0;
    float falloff = 10.0f;
};

} // namespace GAME
