#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "host/HostSamples.h"
#include "host/TravelReport.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

struct HostOptions;
class Character;
class Player;
class World;

// One run of the game as the host drives it: the library is initialised, takes its role and
// plays frame after frame; whatever the game asks of the host (tutorial pages by their text tag,
// notifications, dialogs, network packets by their class) is printed with the frame it happened
// in, and questions are answered.
class GameSession {
public:
    GameSession(const HostOptions& options, std::ostream& out);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // False when the role is unknown, the main player or a placed character cannot be made or
    // the main player's save file cannot be read or written; `error` then says why in one line.
    bool Run(std::string& error);

private:
    // The main player, made and placed in the world, then read from its save file.
    bool StartMainPlayer(std::string& error);
    // The characters of `--spawn`, placed in the world.
    bool PlaceSpawns(std::string& error);
    void ReportCast();
    void Play();
    void ReportPlayer(const char* what, const std::string& path) const;
    void OnTutorialUnlock(const GameEvent_TutorialUnlock& event);
    void ReportBalance();
    void ReportFrame();
    void ReportNotifications();
    void ReportDialogs();
    void ReportPackets();

    const HostOptions& options;
    std::ostream& out;
    // 64 bits: the last of 2^31 - 1 frames must not wrap the counter.
    int64_t frame = 0;
    size_t packets = 0;
    size_t notices = 0;
    Player* mainPlayer = nullptr;
    // Placed characters by id (they may die and go), with what was last printed of each.
    struct Placed {
        uint32_t id;
        std::string where;
        HostSamples::CastView view;
    };
    std::vector<Placed> placed;
    EventHandler<GameSession, GameEvent_TutorialUnlock> tutorialListener;
    TravelReport travel;
};

} // namespace GAME
