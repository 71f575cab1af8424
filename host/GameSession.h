#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace GAME {

struct HostOptions;
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

    // False when the role is unknown, the main player cannot be made or its save file cannot
    // be read or written; `error` then says why in one line.
    bool Run(std::string& error);

private:
    // The main player, made and placed in the world, then read from its save file.
    bool StartMainPlayer(std::string& error);
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
    EventHandler<GameSession, GameEvent_TutorialUnlock> tutorialListener;
};

} // namespace GAME
