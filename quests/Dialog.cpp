#include "quests/Dialog.h"

#include "core/Saturate.h"
#include "engine/LocalizationManager.h"
#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"

namespace GAME {

Dialog::~Dialog()
{
    if (speaking)
        SoundManager::Instance().Unload(sound);
}

void Dialog::SetVolume(float value)
{
    volume = value;
    baseVolume = value;
}

void Dialog::Speak(VoidCallbackFunctor* callback)
{
    if (speaking)
        return;
    playbackTime = -1;
    onComplete = callback;
    // A silent line said again must stay up as long as the first time, not vanish at once.
    silentTimeLeft = kSilentTime;
    if (!audioFile.empty()) {
        SoundManager& sounds = SoundManager::Instance();
        sounds.Unload(sound);
        sounds.Load(sound, audioFile);
        sound.volume = volume;
        sound.kind = 2;
        sounds.Play2D(sound, true);
        playbackTime = sounds.PlayLength(sound);
        speaking = playbackTime != -1;
    }
    played = true;
}

void Dialog::Update(int ms)
{
    bool over = false;
    if (!speaking) {
        silentTimeLeft = AddSaturating(silentTimeLeft, ms < 0 ? 0 : -ms);
        over = silentTimeLeft < 1;
    } else {
        over = !SoundManager::Instance().IsPlaying(sound);
    }
    if (over && onComplete != nullptr)
        OnDialogComplete();
}

void Dialog::Stop()
{
    if (speaking)
        SoundManager::Instance().FadeSound(sound, 100, 0, false);
    OnDialogComplete();
}

void Dialog::SetVolumeFade(float fade)
{
    volume = fade * baseVolume;
    if (speaking)
        SoundManager::Instance().UpdateVolume(sound, volume);
}

std::wstring Dialog::GetText()
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    return texts.Format("SimpleStringFormat", texts.Format(textTag));
}

void Dialog::Reset()
{
    playbackTime = -1;
    played = false;
    silentTimeLeft = kSilentTime;
}

void Dialog::OnDialogComplete()
{
    speaking = false;
    // Cleared first: the callback may start the next line, and a line ends only once.
    VoidCallbackFunctor* callback = onComplete;
    onComplete = nullptr;
    if (callback != nullptr)
        (*callback)(0);
}

} // namespace GAME
