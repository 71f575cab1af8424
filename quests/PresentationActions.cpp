#include "quests/PresentationActions.h"

#include "characters/Character.h"
#include "core/GameEvents.h"
#include "core/Saturate.h"
#include "core/StringHelpers.h"
#include "engine/DayNightManager.h"
#include "engine/EventManager.h"
#include "engine/IOStream.h"
#include "engine/Jukebox.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "game/GameUIInterface.h"
#include "quests/TriggerMarkup.h"

namespace GAME {

namespace {

Jukebox& TheJukebox()
{
    return gGameEngine != nullptr ? gGameEngine->GetJukebox() : Jukebox::Instance();
}

// Designers' seconds as whole milliseconds; absurd or broken values cannot overflow.
int32_t ToMilliseconds(float seconds)
{
    return SaturateToInt(static_cast<double>(seconds) * 1000.0);
}

} // namespace

bool PlaylistAction::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("playlist", playlist);
}

const std::string& PlaylistAction::Describe(const char* prefix)
{
    description = prefix + TriggerMarkup::Record(playlist);
    return description;
}

void Action_LoadAmbientPlaylist::Fire(uint32_t, bool)
{
    TheJukebox().LoadAmbientPlaylist(playlist, false);
}

void Action_LoadMusicPlaylist::Fire(uint32_t, bool)
{
    TheJukebox().LoadMusicPlaylist(playlist);
}

void Action_LoadEventMusic::Fire(uint32_t, bool)
{
    TheJukebox().PlayEventMusic(playlist, false);
}

void Action_FadeInMusic::Fire(uint32_t, bool)
{
    TheJukebox().FadeInMusic();
}

void Action_FadeOutMusic::Fire(uint32_t, bool)
{
    TheJukebox().FadeOutMusic(5000);
}

void Action_FadeOutEventMusic::Fire(uint32_t, bool)
{
    TheJukebox().EndEventMusic(ToMilliseconds(timeInSecs));
}

bool Action_FadeOutEventMusic::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamFloat("timeInSecs", timeInSecs);
}

Action_PlaySoundEffect::~Action_PlaySoundEffect()
{
    ReleasePlayedPak();
}

void Action_PlaySoundEffect::ReleasePlayedPak()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (SoundPak* pak = playedPakId != 0 ? objects.GetObject<SoundPak>(playedPakId) : nullptr)
        objects.DestroyObjectEx(pak, "Quests/Action_PlaySoundEffect", 1);
    playedPakId = 0;
}

void Action_PlaySoundEffect::Fire(uint32_t targetId, bool)
{
    if (soundEffect.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    SoundPak* pak = objects.CreateObjectFromFile<SoundPak>(soundEffect, 0);
    if (pak == nullptr)
        return;
    if (targetId == 0 || objects.GetObject<Character>(targetId) == nullptr) {
        objects.DestroyObjectEx(pak, "Quests/Action_PlaySoundEffect", 2);
        return;
    }
    ReleasePlayedPak();
    pak->Play(true);
    playedPakId = pak->GetObjectId();
}

const std::string& Action_PlaySoundEffect::GetDescription()
{
    description = "Play Sound Effect " + TriggerMarkup::Record(soundEffect);
    return description;
}

bool Action_PlaySoundEffect::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("soundEffect", soundEffect);
}

void Action_ScreenFade::Fire(uint32_t, bool)
{
    GameEvent_ScreenFade fade;
    fade.fadeInOutMs = ToMilliseconds(fadeInOutInSecs);
    fade.blackoutMs = ToMilliseconds(blackoutInSecs);
    EventManager::Instance().Send("GameEvent_ScreenFade", fade);
}

bool Action_ScreenFade::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamFloat("fadeInOutInSecs", fadeInOutInSecs) &&
           stream->StreamFloat("blackoutInSecs", blackoutInSecs);
}

void Action_ScreenShake::Fire(uint32_t, bool)
{
    if (duration == 0 || amplitude == 0)
        return;
    GameEvent_CameraShake shake;
    shake.durationMs = duration;
    shake.amplitude = static_cast<float>(amplitude);
    EventManager::Instance().Send("GameEvent_CameraShake", shake);
}

const std::string& Action_ScreenShake::GetDescription()
{
    description = "Screen Shake {B" + IntToString(amplitude) + "} amplitude for {B" +
                  IntToString(duration) + "}ms";
    return description;
}

bool Action_ScreenShake::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamInt("duration", duration) && stream->StreamInt("amplitude", amplitude);
}

void Action_TeleportPlayer::Fire(uint32_t, bool)
{
    GameEvent_TeleportPlayer teleport;
    teleport.x = x;
    teleport.y = y;
    teleport.z = z;
    teleport.regionId = regionId;
    EventManager::Instance().Send("GameEvent_TeleportPlayer", teleport);
}

const std::string& Action_TeleportPlayer::GetDescription()
{
    description = "Teleport Player to {(" + FloatToString(x) + "," + FloatToString(y) + "," +
                  FloatToString(z) + ")}";
    return description;
}

bool Action_TeleportPlayer::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamFloat("xCoord", x) && stream->StreamFloat("yCoord", y) &&
           stream->StreamFloat("zCoord", z) && stream->StreamInt("regionId", regionId);
}

void Action_SetTimeOfDay::Fire(uint32_t, bool)
{
    DayNightManager& clock = DayNightManager::Instance();
    clock.SetStartTime(timeOfDay);
    clock.Enable(enableTimeProgression != 0);
}

const std::string& Action_SetTimeOfDay::GetDescription()
{
    description = "Set Time Of Day to {B" + FloatToString(timeOfDay) + "} Hour";
    return description;
}

bool Action_SetTimeOfDay::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamFloat("timeOfDay", timeOfDay) &&
           stream->StreamInt("enableTimeProgression", enableTimeProgression);
}

void Action_DebugText::Fire(uint32_t, bool)
{
    std::wstring text = LocalizationManager::ToWChar(debugText);
    if (text.size() > kMaxCharacters)
        text.resize(kMaxCharacters);
    GameUIInterface* ui = gGameEngine != nullptr ? gGameEngine->GetUI() : nullptr;
    if (ui != nullptr)
        ui->DisplayDebugText(text, Color(0.6f, 0.6f, 1.0f, 1.0f), 100.0f, 100.0f);
}

const std::string& Action_DebugText::GetDescription()
{
    description = "Display Debug Text {B\"" + debugText + "\"}";
    return description;
}

bool Action_DebugText::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("debugText", debugText);
}

} // namespace GAME
