#pragma once

#include "engine/Vec3.h"
#include "host/OrderScript.h"
#include "host/scenarios/LandmarkReport.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace GAME {

class Jukebox;
class LevelFixedItems;
class Player;
struct HostOptions;

// `gamehost --scenario level`: the level of the sample database's "Levels/Walkthrough.lvl" is
// made by the engine's world, and the hero walks built-in waypoints (or the ground clicks of an
// order script given with --input) past a river's sound and a
// bell, through a playlist volume, a gate's one-shot sound and effect pack, a daylight volume,
// and into the heart of a music event's three nested volumes, using the gate, chests, shrine,
// altar, well and boat on the way (`LevelFixedItems`), past a spawner's pack and chest, an
// ambush, a marker, a healing respawn shrine, a teleport shrine and torches, the camera following
// (`LandmarkReport`); at the difficulty of --difficulty. Each line starts "frame N: ".
class LevelReport {
public:
    static constexpr const char* kLevel = "Levels/Walkthrough.lvl";
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr int32_t kFrameMilliseconds = 100;
    // World units a frame.
    static constexpr float kStep = 0.5f;

    LevelReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    LevelReport(const LevelReport&) = delete;
    LevelReport& operator=(const LevelReport&) = delete;

    // A scripted walk ends this many frames after its last order even if the hero is still
    // on his way.
    static constexpr int64_t kMaxFramesAfterLastOrder = 2000;

    // False, with one line on `err`, when the order script is refused, the library does not
    // start, the level is refused or the hero is not made.
    bool Run();

private:
    bool Play();
    void Walk(Player& hero);
    void WalkOrders(Player& hero);
    // One frame of the hero's walk toward `target` from `at`.
    void Step(Player& hero, Vec3& at, const Vec3& target);
    void PrintJukebox();
    void PrintDaylight();
    void PrintEffects();

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    int64_t frame = 0;
    LandmarkReport landmarks{out, frame};
    // The ground clicks of --input, when given.
    std::vector<ScriptOrder> orders;
    // The hour last printed, as printed.
    std::string daylight;
    // Effects in the world by id, with their records.
    std::map<uint32_t, std::string> effects;
    // The fixed items on the way, while the hero walks.
    LevelFixedItems* fixedItems = nullptr;
};

} // namespace GAME
