#pragma once

#include "engine/SoundDescriptor.h"
#include "quests/Speakable.h"

#include <cstdint>
#include <string>

namespace GAME {

// One spoken line: a localised text and, optionally, the sound of it being said. A silent line
// stays up for a fixed time instead.
class Dialog : public Speakable {
public:
    static constexpr int32_t kSilentTime = 5000;

    Dialog() = default;
    Dialog(const Dialog& other) = default;
    Dialog& operator=(const Dialog& other) = default;
    ~Dialog() override;

    void SetTextTag(const std::string& tag) { textTag = tag; }
    const std::string& GetTextTag() const { return textTag; }
    void SetAudioFile(const std::string& file) { audioFile = file; }
    const std::string& GetAudioFile() const { return audioFile; }
    // Sets the base volume and the current one.
    void SetVolume(float value);
    float GetVolume() const { return volume; }
    float GetBaseVolume() const { return baseVolume; }

    void Update(int ms) override;
    void Speak(VoidCallbackFunctor* onComplete) override;
    void Stop() override;
    void SetVolumeFade(float fade) override;
    std::wstring GetText() override;
    int32_t GetPlaybackTime() override { return playbackTime; }
    bool IsSpeaking() override { return speaking; }

    bool HasBeenPlayed() const { return played; }
    void SetHasBeenPlayed(bool value) { played = value; }
    int32_t GetSilentTimeLeft() const { return silentTimeLeft; }
    // Ready to be said again as if fresh.
    void Reset();
    // Ends the line and invokes the kept callback, once.
    void OnDialogComplete();

private:
    std::string textTag;
    std::string audioFile;
    int32_t playbackTime = -1;
    int32_t silentTimeLeft = kSilentTime;
    SoundDescriptor sound;
    bool speaking = false;
    bool played = false;
    float volume = 1.0f;
    float baseVolume = 1.0f;
    VoidCallbackFunctor* onComplete = nullptr;
};

} // namespace GAME
