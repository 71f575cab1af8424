#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>

namespace GAME {

class Player;

// What the level scenario prints of its spawners, landmarks and camera, each line starting
// "frame N: ": the pool each proxy chose and what it placed, the monsters an ambush releases,
// the landmarks' changes of state, the respawn shrines' heals and, every tenth frame, the
// camera. The camera follows the hero, zooms in at frame 20 and shakes at frame 60.
class LandmarkReport {
public:
    LandmarkReport(std::ostream& out, const int64_t& frame) : out(out), frame(frame) {}

    // After the level has loaded (its proxies ran then) and the hero joined it.
    void PrintLoaded(Player& hero);
    // After each frame of the walk.
    void PrintFrame();
    // Before the hero goes: the camera follows nobody.
    void Finish();

private:
    void PrintLandmarks();
    void PrintAmbushes();
    void PrintCamera();

    std::ostream& out;
    const int64_t& frame;
    // Per object id: a landmark's last state, an ambush's releases, a shrine's heals.
    std::map<uint32_t, int32_t> states;
    std::map<uint32_t, size_t> released;
    std::map<uint32_t, uint32_t> heals;
};

} // namespace GAME
