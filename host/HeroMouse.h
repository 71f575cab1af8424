#pragma once

#include <cstdint>

namespace GAME {

class ControllerPlayer;
class Player;
struct ScriptOrder;
class WorldVec3;

// The hero's mouse and bar as an order script plays them: clicks and right clicks on a place or a
// thing, a held button that repeats the last click, bar slots and pet orders, handed to the player
// controller as the user's input would be.
class HeroMouse {
public:
    // Gives one order landing on `target` at `point`; the answer is the controller's (for a bar
    // slot, whether the slot is active).
    bool Give(const ScriptOrder& order, Player& hero, ControllerPlayer& controller, uint32_t target,
              const WorldVec3& point);

    // Whether a held button has a click to repeat, and where that click went.
    bool IsRepeating() const { return held && hasLastClick; }
    uint32_t GetLastTarget() const { return lastTarget; }
    float GetLastX() const { return lastX; }
    float GetLastZ() const { return lastZ; }

    // The last click again, at `point`, as a button held down.
    void Repeat(ControllerPlayer& controller, const WorldVec3& point) const;

private:
    bool held = false;
    bool lastPrimary = true;
    uint32_t lastTarget = 0;
    float lastX = 0.0f;
    float lastZ = 0.0f;
    bool hasLastClick = false;
};

} // namespace GAME
