#include "engine/Jukebox.h"

namespace GAME {

Jukebox& Jukebox::Instance()
{
    static Jukebox instance;
    return instance;
}

void Jukebox::SetTrackedPlayer(uint32_t playerId)
{
    if (playerId != trackedPlayer)
        trackedPlayerDead = false;
    trackedPlayer = playerId;
}

void Jukebox::SetTrackedBoss(uint32_t monsterId)
{
    if (monsterId != trackedBoss)
        trackedBossDead = false;
    trackedBoss = monsterId;
}

void Jukebox::PlayEventMusic(const std::string& musicRecord, bool flag)
{
    Request request;
    request.type = PlayEventMusicRequest;
    request.name = musicRecord;
    request.flag = flag;
    requests.push_back(request);
}

void Jukebox::FadeOutMusic(int32_t milliseconds)
{
    Request request;
    request.type = FadeOutMusicRequest;
    request.milliseconds = milliseconds;
    requests.push_back(request);
}

void Jukebox::FadeInMusic()
{
    Add(FadeInMusicRequest);
}

void Jukebox::EndEventMusic(int32_t milliseconds)
{
    Add(EndEventMusicRequest, "", milliseconds);
}

void Jukebox::LoadAmbientPlaylist(const std::string& playlist, bool flag)
{
    Add(LoadAmbientPlaylistRequest, playlist, 0, flag);
}

void Jukebox::LoadMusicPlaylist(const std::string& playlist)
{
    Add(LoadMusicPlaylistRequest, playlist);
}

void Jukebox::Add(RequestType type, const std::string& name, int32_t milliseconds, bool flag)
{
    requests.push_back(Request{type, name, milliseconds, flag});
}

void Jukebox::AbsoluteMusicFade()
{
    Request request;
    request.type = AbsoluteMusicFadeRequest;
    requests.push_back(request);
}

void Jukebox::InitiateBossMusic(const std::string& musicRecord)
{
    Request request;
    request.type = InitiateBossMusicRequest;
    request.name = musicRecord;
    requests.push_back(request);
    bossMusic = musicRecord;
}

void Jukebox::BossMusicLeave()
{
    Request request;
    request.type = BossMusicLeaveRequest;
    request.name = bossMusic;
    requests.push_back(request);
    bossMusic.clear();
}

void Jukebox::Reset()
{
    *this = Jukebox();
}

} // namespace GAME
