#pragma once

#include "engine/TriggerAction.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// What the local machine plays or shows: music, a sound, the screen, the camera, a teleport
// request, the time of day and a debug line. Each acts at once on the machine where its trigger
// fires.

// A music or ambience record named by "playlist".
class PlaylistAction : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(playlist);
    }
    void SetPlaylist(const char* value) { playlist = value != nullptr ? value : ""; }
    const char* GetPlaylist() const { return playlist.c_str(); }

protected:
    const std::string& Describe(const char* prefix);

    std::string playlist;
};

class Action_LoadAmbientPlaylist : public PlaylistAction {
public:
    using PlaylistAction::PlaylistAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_LoadAmbientPlaylist"; }
    const std::string& GetDescription() override { return Describe("Load Ambient Playlist "); }
};

class Action_LoadMusicPlaylist : public PlaylistAction {
public:
    using PlaylistAction::PlaylistAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_LoadMusicPlaylist"; }
    const std::string& GetDescription() override { return Describe("Load Music Playlist "); }
};

class Action_LoadEventMusic : public PlaylistAction {
public:
    using PlaylistAction::PlaylistAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_LoadEventMusic"; }
    const std::string& GetDescription() override { return Describe("Play Music Event "); }
};

// An action with no properties and a fixed description.
class PlainPresentationAction : public TriggerAction {
public:
    PlainPresentationAction(uint32_t id, Trigger* parent, const char* text)
        : TriggerAction(id, parent)
    {
        description = text;
    }
    const std::string& GetDescription() override { return description; }
    bool CanDelay() const override { return true; }
};

class Action_FadeInMusic : public PlainPresentationAction {
public:
    Action_FadeInMusic(uint32_t id, Trigger* parent)
        : PlainPresentationAction(id, parent, "Fade In Music")
    {}
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_FadeInMusic"; }
};

class Action_FadeOutMusic : public PlainPresentationAction {
public:
    Action_FadeOutMusic(uint32_t id, Trigger* parent)
        : PlainPresentationAction(id, parent, "Fade Out Music")
    {}
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_FadeOutMusic"; }
};

class Action_FadeOutEventMusic : public PlainPresentationAction {
public:
    Action_FadeOutEventMusic(uint32_t id, Trigger* parent)
        : PlainPresentationAction(id, parent, "Fade Out Event Music")
    {}
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_FadeOutEventMusic"; }
    bool SerializeChildProperties(IOStream* stream) override;
    void SetTime(float value) { timeInSecs = value; }
    float GetTime() const { return timeInSecs; }

private:
    float timeInSecs = 0.0f;
};

// Plays the sound pack for a character. The pack played last is kept until the next plays or
// the action goes; one that does not play goes at once.
class Action_PlaySoundEffect : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    ~Action_PlaySoundEffect() override;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_PlaySoundEffect"; }
    const std::string& GetDescription() override;
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override
    {
        names.push_back(soundEffect);
    }
    void SetEffect(const char* value) { soundEffect = value != nullptr ? value : ""; }
    const char* GetEffect() const { return soundEffect.c_str(); }
    // The kept pack's object id; 0 for none.
    uint32_t GetPlayedPakId() const { return playedPakId; }

private:
    void ReleasePlayedPak();

    std::string soundEffect;
    uint32_t playedPakId = 0;
};

class Action_ScreenFade : public PlainPresentationAction {
public:
    Action_ScreenFade(uint32_t id, Trigger* parent)
        : PlainPresentationAction(id, parent, "Screen Fade")
    {}
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_ScreenFade"; }
    bool SerializeChildProperties(IOStream* stream) override;
    void SetFadeInOut(float value) { fadeInOutInSecs = value; }
    float GetFadeInOut() const { return fadeInOutInSecs; }
    void SetBlackout(float value) { blackoutInSecs = value; }
    float GetBlackout() const { return blackoutInSecs; }

private:
    float fadeInOutInSecs = 0.0f;
    float blackoutInSecs = 0.0f;
};

class Action_ScreenShake : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    // Nothing unless both duration and amplitude are set.
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_ScreenShake"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void SetDuration(int32_t value) { duration = value; }
    int32_t GetDuration() const { return duration; }
    void SetAmplitude(int32_t value) { amplitude = value; }
    int32_t GetAmplitude() const { return amplitude; }

private:
    int32_t duration = 0;
    int32_t amplitude = 0;
};

class Action_TeleportPlayer : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_TeleportPlayer"; }
    const std::string& GetDescription() override;
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;
    void SetTeleportXCoord(float value) { x = value; }
    float GetTeleportXCoord() const { return x; }
    void SetTeleportYCoord(float value) { y = value; }
    float GetTeleportYCoord() const { return y; }
    void SetTeleportZCoord(float value) { z = value; }
    float GetTeleportZCoord() const { return z; }
    void SetRegionId(int32_t value) { regionId = value; }
    float GetRegionId() const { return static_cast<float>(regionId); }

private:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int32_t regionId = -1;
};

class Action_SetTimeOfDay : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_SetTimeOfDay"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void SetTime(float value) { timeOfDay = value; }
    float GetTime() const { return timeOfDay; }
    void SetEnableProgression(bool value) { enableTimeProgression = value ? 1 : 0; }
    bool GetEnableProgression() const { return enableTimeProgression != 0; }

private:
    float timeOfDay = 0.0f;
    int32_t enableTimeProgression = 1;
};

// A line for the designers on the local screen; nothing where there is no screen.
class Action_DebugText : public TriggerAction {
public:
    static constexpr size_t kMaxCharacters = 512;

    using TriggerAction::TriggerAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_DebugText"; }
    const std::string& GetDescription() override;
    bool SerializeChildProperties(IOStream* stream) override;
    void SetDebugText(const char* value) { debugText = value != nullptr ? value : ""; }
    const char* GetDebugText() const { return debugText.c_str(); }

private:
    std::string debugText;
};

} // namespace GAME
