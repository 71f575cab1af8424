#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The music player. It plays nothing here: it keeps whom it follows (the player and boss whose
// deaths change the music) and records every music request in order.
class Jukebox {
public:
    enum RequestType {
        PlayEventMusicRequest,
        FadeOutMusicRequest,
        AbsoluteMusicFadeRequest,
        InitiateBossMusicRequest,
        BossMusicLeaveRequest,
        LoadAmbientPlaylistRequest,
        LoadMusicPlaylistRequest,
        FadeInMusicRequest,
        EndEventMusicRequest
    };

    struct Request {
        RequestType type = PlayEventMusicRequest;
        std::string name; // the music record, for event music
        int32_t milliseconds = 0;
        bool flag = false;
    };

    static Jukebox& Instance();

    // 0 follows nobody. Choosing another character forgets whether the previous one died.
    void SetTrackedPlayer(uint32_t playerId);
    uint32_t GetTrackedPlayer() const { return trackedPlayer; }
    void SetTrackedBoss(uint32_t monsterId);
    uint32_t GetTrackedBoss() const { return trackedBoss; }

    void SetTrackedPlayerDead(bool dead) { trackedPlayerDead = dead; }
    bool IsTrackedPlayerDead() const { return trackedPlayerDead; }
    void SetTrackedBossDead(bool dead) { trackedBossDead = dead; }
    bool IsTrackedBossDead() const { return trackedBossDead; }

    void PlayEventMusic(const std::string& musicRecord, bool flag);
    void FadeOutMusic(int32_t milliseconds);
    void FadeInMusic();
    // The event music fades out over the milliseconds and the playlist takes over again.
    void EndEventMusic(int32_t milliseconds);
    // Playlists by record name; the ambience one carries the caller's flag.
    void LoadAmbientPlaylist(const std::string& playlist, bool flag);
    void LoadMusicPlaylist(const std::string& playlist);
    const std::vector<Request>& GetRequests() const { return requests; }

    // Boss music: started by name, left when the player walks out of its zone.
    void AbsoluteMusicFade();
    void InitiateBossMusic(const std::string& musicRecord);
    void BossMusicLeave();
    bool IsBossMusicPlaying() const { return !bossMusic.empty(); }
    const std::string& GetBossMusic() const { return bossMusic; }

    // Forgets the tracked characters and the requests: a new game starts silent.
    void Reset();

private:
    void Add(RequestType type, const std::string& name = "", int32_t milliseconds = 0,
             bool flag = false);

    uint32_t trackedPlayer = 0;
    uint32_t trackedBoss = 0;
    bool trackedPlayerDead = false;
    bool trackedBossDead = false;
    std::vector<Request> requests;
    std::string bossMusic;
};

} // namespace GAME
