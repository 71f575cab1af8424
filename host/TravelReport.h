#pragma once

#include <cstdint>
#include <iosfwd>

namespace GAME {

struct HostOptions;
class GameActivity;
class Player;

// A session's teleport, respawn and portal requests for its main player: started at their
// frames, then, while the activity runs, its state, fade, the rendering and teleport-mode
// switches and the needs-sleep count printed frame by frame.
class TravelReport {
public:
    static constexpr int64_t kFirstPortalFrame = 5;
    static constexpr int64_t kActionFrame = 10;

    TravelReport(const HostOptions& options, std::ostream& out);

    // Before the frame's update: starts what this frame asks for.
    void Act(int64_t frame, Player& player);
    // After the frame's update.
    void Report(int64_t frame, const Player& player);

private:
    void PrintSwitches(const char* prefix);
    void PrintActivity(const char* prefix, GameActivity& activity) const;

    const HostOptions& options;
    std::ostream& out;
    uint32_t activityId = 0;
    const char* kind = "";
    bool rendering = true;
    bool teleportMode = false;
    bool needsSleep = false;
};

} // namespace GAME
