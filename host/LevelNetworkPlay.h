#pragma once

#include "engine/LevelFile.h"
#include "host/LevelPlay.h"
#include "host/NetworkPlay.h"
#include "host/RouteHero.h"

#include <string>
#include <vector>

namespace GAME {

class World;

// The network session on the sample level. The server loads the level and its quest; each client
// holds the level's regions and the quest and is sent what stands in them. Every machine runs
// its own copy of the quest, and the party, formed as soon as every player is in, carries each
// member's news to the others. Every hero follows his own route: the server's the level's, a
// client's the one numbered after its host ("Levels/Village.client1.route"). A machine ends once
// its route is done and its quest complete, or its hero has fought on for a while past the
// route's end with the quest still open, and all end on one world: each machine keeps its own
// clock, and a busy one falls behind the others, so a client whose route is done tells the
// server so and waits; once every client still here has, and its own route is done, the server
// ends and tells them, and they end on the world as it stood then.
class LevelNetworkPlay final : public NetworkPlay {
public:
    // Wall time per frame once the routes run, unless `--realtime`: enough for the machines to
    // keep in step.
    static constexpr int kPaceMs = 4;
    // How long, in the server's running time (a stop not counted), the clients have to be done
    // once the server's route is.
    static constexpr int kClientDoneMs = 30000;

    LevelNetworkPlay(const HostOptions& options, std::ostream& out, std::ostream& err);

    // The route of a client's hero beside a level: "Levels/Village.lvl" and host 1 go with
    // "Levels/Village.client1.route".
    static std::string ClientRouteOf(const std::string& level, int host);

private:
    bool MakeRegions() override;
    bool HasClientRoutes() const;
    bool HasPlaceFor(int host) const override;
    bool StageServer() override;
    WorldVec3 StartOf(int host) const override;
    bool IsDone() const override;
    void Unstage() override;
    void OnHeroMade(Player& hero) override;
    void StageHero(Player& hero) override;
    const char* HeroRecord() const override { return LevelPlay::kPlayer; }
    void Act() override;
    bool ReadyToInvite() const override { return true; }
    void AddEndLines(std::ostream& lines) const override;
    uint32_t EndOutcome() const override;
    void PrintSummary() const override;
    int PaceMs() const override;
    // The routes take five minutes of a machine's own time, and a client may wait as long again
    // for a busy server.
    int64_t MaxSessionMs() const override { return 2 * kMaxSessionMs; }

    bool KeepFixedParts(World& world);
    bool IsQuestComplete() const;
    bool IsRouteDone() const;
    // What the quest still waits to see killed, by record.
    static std::vector<std::string> WantedRecords();
    // The server's: every client still here said its route is done.
    bool AreClientsDone() const;
    void LetLateClientsGo();
    int32_t CurrentFrame() const;

    std::string levelPath;
    LevelFile level;
    RouteHero route;
    // When the party first held every player: the routes start then, so that the quest's news
    // of each step reaches every member.
    int64_t startMs = -1;
    bool toldDone = false;
    // The server's: when its own route was done, in running time.
    int64_t serverDoneMs = -1;
    // The server's: every client still here is done, and so is it.
    bool everyoneDone = false;
};

} // namespace GAME
