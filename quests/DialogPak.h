#pragma once

#include "quests/Speakable.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class Dialog;
class LoadTable;
class VoidCallbackFunctor;

// A character's set of lines, read from a dialog record. The pack owns its lines and callbacks.
class DialogPak : public Speakable {
public:
    explicit DialogPak(int32_t idlePlaybackTime);
    ~DialogPak() override;
    DialogPak(const DialogPak&) = delete;
    DialogPak& operator=(const DialogPak&) = delete;

    // Forwarded to the line being said; with none: nothing, empty text, the pack's idle playback
    // time, false.
    void Update(int ms) override;
    void Stop() override;
    void SetVolumeFade(float fade) override;
    std::wstring GetText() override;
    int32_t GetPlaybackTime() override;
    bool IsSpeaking() override;

    // The pack takes ownership of the line.
    virtual void AddDialog(Dialog* dialog) = 0;
    virtual void SetIrritationRoundTrips(int32_t roundTrips) = 0;
    virtual void ResetAllDialogs() = 0;
    // The current line is over: forget it and tell the caller.
    virtual void OnDialogComplete(int value);
    // Deletes a callback; the pack's own one is kept until the pack goes.
    virtual void DestroyFunctor(VoidCallbackFunctor* functor);
    // False when the record cannot be loaded.
    virtual bool LoadFromRecord(const std::string& recordName);
    // The owner's reset after the player walked away or the wait ran out.
    virtual void ResetRoundTrips() = 0;
    virtual bool IsIrritated() const = 0;

    // The line shown first; null when the pack has none.
    virtual Dialog* GetPrimaryDialog() const = 0;
    Dialog* GetCurrentDialog() const { return currentDialog; }
    // Whether a line was said since the last reset.
    bool IsInUse() const { return inUse; }
    // Seconds.
    int32_t GetShortGreetingTime() const { return shortGreetingTime; }
    float GetResetDistance() const { return resetDistance; }

protected:
    virtual void Load(const LoadTable& table) = 0;
    // Reads one line of a table; null when neither its tag nor its sound file is given.
    static Dialog* LoadDialog(const LoadTable& table, const std::string& tagKey,
                              const std::string& fileKey, const std::string& volumeKey);
    // Keeps the caller's callback for the next line.
    void BeginSpeaking(VoidCallbackFunctor* onComplete);
    // Makes the line current and says it; the pack hears its end.
    void SayLine(Dialog* line);

    Dialog* currentDialog = nullptr;
    VoidCallbackFunctor* callerCallback = nullptr;
    int32_t shortGreetingTime = 10;
    float resetDistance = 10.0f;
    std::unique_ptr<VoidCallbackFunctor> completionCallback;
    bool inUse = false;

private:
    int32_t idlePlaybackTime;
};

} // namespace GAME
