#pragma once

#include "engine/SessionClock.h"
#include "engine/WorldVec3.h"
#include "host/ClientWatch.h"
#include "host/FrameCostHistogram.h"

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace GAME {

class ConnectionManager;
class NetworkSession;
class Player;
class SeenWorld;
struct HostOptions;

// `gamehost --role server --port P` and `gamehost --role client --connect ADDR:P`: one session
// played by separate processes over UDP. The server places its hero and a pack of two and waits
// for its clients; each client's hero appears beside it. Every hero attacks the nearest living
// monster once a second; when the pack is dead the server's hero invites every other hero and
// they accept. The server then prints its end lines (players, dead monsters, dropped items, the
// party) and their checksum and tells the clients, each of which prints its own on the world as
// it stood then and says so when they differ; the clients leave, and the server ends once all
// have or fallen silent for the link's bound.
// A client that leaves or is lost is taken out of the game and the party, and the others go on
// without it; once every expected client has come, one more is told the session is under way.
class NetworkPlay {
public:
    // No listening socket or connection, no client or no world in time, the server gone, or a
    // server's session cut off.
    static constexpr int kExitNoPeer = 3;
    // A client whose world is not the server's: its level or database at the welcome, its end
    // lines at the end.
    static constexpr int kExitSplit = 4;
    // The waits, on the session's clock (engine/SessionClock.cpp says why each is what it is):
    // the server's for its expected clients, and after its end for those still within the
    // link's bound (a client's are its watch's, host/ClientWatch.h).
    static constexpr int kWaitForClientsMs = SessionClock::kWaitForClientsMs;
    // A client welcomed within the wait is waited for while it loads and takes in the world, as
    // long as the door keeps it (heard from, within its join deadline), and no longer than this.
    static constexpr int kWaitForJoiningMs = kWaitForClientsMs + int(SessionClock::kJoinMs);
    static constexpr int kEndWaitMs = SessionClock::kEndWaitMs;
    // Longer than an end's usual wait for its clients to leave: then it says whom it waits for.
    static constexpr int kEndWaitToldMs = 5000;
    static constexpr int kLeaveAfterFrames = 30;
    static constexpr int kAttackEveryMs = 1000;
    // A server whose session runs away is cut off rather than left to hang: this much game time
    // before its end, the level's twice as long. A client has no cap of its own, for a server
    // slower than it is no fault of its own; its server's cap or silence ends it.
    static constexpr int kMaxSessionMs = 300000;

    NetworkPlay(const HostOptions& options, std::ostream& out, std::ostream& err);
    virtual ~NetworkPlay();
    NetworkPlay(const NetworkPlay&) = delete;
    NetworkPlay& operator=(const NetworkPlay&) = delete;

    // 0 played through; 2 a sample record unusable; 3 as above, or the session cut off.
    int Run();

protected:
    // The world every machine plays in: its regions on every machine, what stands in it on the
    // server (the clients are sent it).
    virtual bool MakeRegions();
    // A client busy outside its frames (loading its world) answers its server meanwhile.
    void KeepAlive();
    virtual bool StageServer();
    // Where a host's hero stands.
    virtual WorldVec3 StartOf(int host) const;
    // What ends the session once every player is in the party.
    virtual bool IsDone() const;
    // Undoes what staging added besides the world's entities.
    virtual void Unstage() {}
    virtual void OnHeroMade(Player& /*hero*/) {}
    // What a hero gets beyond his record, on his own machine and on every copy of him.
    virtual void StageHero(Player& /*hero*/) {}
    virtual const char* HeroRecord() const;
    // Whether a client's hero has a way to go as the host the welcome names (1 to 15).
    virtual bool HasPlaceFor(int /*host*/) const { return true; }
    // What this machine's hero does before the frame.
    virtual void Act() { Attack(); }
    virtual bool ReadyToInvite() const { return IsDone(); }
    // Lines of the end, before the digest is taken.
    virtual void AddEndLines(std::ostream& /*lines*/) const {}
    // The server's: the outcome its end tells every client.
    virtual uint32_t EndOutcome() const { return 0; }
    virtual void PrintSummary() const {}
    // Wall time between the starts of two frames.
    virtual int PaceMs() const;
    // The server's game time after which a session not yet ended is cut off.
    virtual int64_t MaxSessionMs() const { return kMaxSessionMs; }
    int GetLocalHost() const;
    Player* MakeHero(int host);
    int64_t GetElapsedMs() const { return elapsedMs; }
    // The session's clock: wall time this machine has run, a stop or a stall not counted.
    int64_t GetRunningMs() const { return runningMs; }
    // The party's leader and members once it holds every player in the game; empty before.
    std::vector<uint32_t> FullParty() const;
    // The server's: each client's hero by host, of the clients still here.
    const std::map<int, uint32_t>& GetClientHeroes() const { return clientHeroes; }
    // The server's: lets a client go, telling it it was dropped and logging why.
    void DropClient(int host, const std::string& reason);
    // The session being played; set for the length of Play.
    NetworkSession& GetSession() const { return *playing; }
    // Wall time of each frame, in microseconds.
    const FrameCostHistogram& GetFrameMicroseconds() const { return frameMicroseconds; }

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;

private:
    bool IsServer() const;
    bool Start();
    bool Listen();
    int Play(NetworkSession& session);
    void Frame(NetworkSession& session);
    void Observe();
    void Attack();
    void InviteParty();
    // The party from now on is the one that last held everyone.
    void KeepParty();
    void AnswerDialogs();
    bool IsPackDead() const;
    // The digest of the lines printed.
    uint32_t PrintEnd();
    // The server's end: its lines, then its list of players and its word to every client.
    void EndOnServer();
    // A client's end, the moment it hears the server's.
    void EndAsTheServerSaid();
    // What a client gone made leaves the end lines of every machine, as it left their worlds.
    void ForgetHost(int host);
    // The server's: 0 or a status once its wait for clients, or after the end, is over.
    int ServerWaits();
    void PrintFooter() const;
    // Why the server's welcome cannot be played: "" when it can.
    std::string WelcomeFault() const;
    // Why a client's server is gone, as the server said it or the link found it, or why the
    // client left it.
    std::string GoneText() const;
    // The server's, once: the clients its end still waits for, and how long each was silent.
    void TellEndWait();

    ConnectionManager& connection;
    NetworkSession* playing = nullptr;
    // What this machine must share with the others to play one world.
    uint32_t worldDigest = 0;
    // Why Start failed.
    int startStatus = kExitNoPeer;
    int32_t playersExpected = 1;
    uint32_t heroId = 0;
    int64_t elapsedMs = 0;
    int64_t runningMs = 0;
    int64_t endedAtMs = 0;
    bool endWaitTold = false;
    // A client's end lines differ from the server's.
    bool split = false;
    ClientWatch watch;
    int64_t nextAttackMs = 0;
    // Its world's monsters and items, for the length of Play.
    std::unique_ptr<SeenWorld> seen;
    // The server's: each client's hero by host, and the hosts that left.
    std::map<int, uint32_t> clientHeroes;
    std::vector<int> leftHosts;
    // The host indexes told gone before they played.
    std::set<int> unplayedLeft;
    // To the tenth of a microsecond the summary prints.
    FrameCostHistogram frameMicroseconds{1};
    std::vector<uint32_t> lastFullParty;
    bool partyKept = false;
    // Every client expected came once: the fight starts, and the session is under way.
    bool everyoneCame = false;
    bool invited = false;
    bool ended = false;
    int framesSinceEnd = 0;
};

} // namespace GAME
