#pragma once

#include "host/OrderScript.h"
#include "host/scenarios/DropCatcher.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Monster;
class UniqueId;
class WorldCoords;
class GameEngineNetworkInterface;
class HeroMouse;
class ScriptCast;
class GraphicsAnim;
class World;
struct HostOptions;

// What the scenarios that play an order script in a world of their own (arena, town) share:
// reading the orders, the world and its seeds, the frames in which the orders are given, and
// the printing of each character whose line changed, its death and what dropped.
class ScriptedStage {
public:
    static constexpr uint32_t kRegion = 1;
    static constexpr int32_t kTrailingFrames = 30;

    // One character of the cast, with the line it printed last.
    struct Member {
        std::string name;
        uint32_t id = 0;
        std::string printed;
        bool dead = false;
    };
    using LineOf = std::function<std::string(const Character&, const Member&)>;

    // Reads `--input FILE`, else the built-in orders, and plays them with the library started:
    // 0, or 2 with one line on `err` when the script cannot be used or the play fails.
    static int Run(const HostOptions& options, const std::vector<std::string>& names,
                   const char* builtInOrders, std::ostream& err,
                   const std::function<bool(const std::vector<ScriptOrder>&)>& play);

    // Both generators seeded with the run's seed, a world of one region 60 across, the sample
    // hit events marked and the drops caught; all undone when the stage goes.
    ScriptedStage(const HostOptions& options, std::ostream& out, const std::string& scenario);
    ~ScriptedStage();
    ScriptedStage(const ScriptedStage&) = delete;
    ScriptedStage& operator=(const ScriptedStage&) = delete;

    // Each frame: its orders, `beforeFrame`, the engine's and the game's frame, then the changes.
    void Play(const std::vector<ScriptOrder>& orders,
              const std::function<void(const ScriptOrder&)>& give,
              const std::function<void()>& beforeFrame, std::vector<Member>& cast,
              const LineOf& lineOf);

    // Gives a script order to the hero's mouse (a quest order to its character) and prints it
    // with the answer.
    static void Give(std::ostream& out, const ScriptOrder& order, HeroMouse& mouse,
                     const ScriptCast& roster);
    // A held button repeats the last click each frame.
    static void RepeatHeld(HeroMouse& mouse, const ScriptCast& roster);
    // A monster of the record entering the world at the place, set up and thinking with a
    // monster controller; null, with one line on `err`, otherwise. A unique id other than zero
    // is its own before its controller attaches.
    static Monster* EnterMonster(const char* record, const WorldCoords& place,
                                 const UniqueId& uniqueId, std::ostream& err);

private:
    void PrintFrame(int32_t frame, std::vector<Member>& cast, const LineOf& lineOf);

    const HostOptions& options;
    std::ostream& out;
    std::vector<std::string> drops;
    DropCatcher catcher;
    std::unique_ptr<World> previousWorld;
    GameEngineNetworkInterface* previousNetwork = nullptr;
    GraphicsAnim* punch = nullptr;
    GraphicsAnim* claw = nullptr;
};

} // namespace GAME
