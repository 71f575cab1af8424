#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class VoidCallbackFunctor;

// Anything a character can say: one line or a pack of them.
class Speakable {
public:
    virtual ~Speakable() = default;
    virtual void Update(int ms) = 0;
    // `onComplete` is not owned; it is invoked once with 0 when the speech ends.
    virtual void Speak(VoidCallbackFunctor* onComplete) = 0;
    virtual void Stop() = 0;
    virtual void SetVolumeFade(float fade) = 0;
    virtual std::wstring GetText() = 0;
    // Milliseconds, -1 when not known.
    virtual int32_t GetPlaybackTime() = 0;
    virtual bool IsSpeaking() = 0;
};

} // namespace GAME
