#pragma once

#include "engine/LevelFile.h"
#include "host/HeroMouse.h"
#include "host/OrderScript.h"
#include "host/ScriptCast.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// One hero on a level driven by his route, on whichever machine holds him. The level's things are
// found by record and place in the world as it stands, so that a client, which was sent them
// under the server's ids, names them as the server does.
class RouteHero {
public:
    // Besides the level's names and the nearest monster and loot: the server's hero, whom the
    // others follow.
    static constexpr const char* kLeader = "Leader";
    static constexpr int32_t kTrailingFrames = 60;
    // Once the orders have run out: how often the hero picks his foe again, and for how long he
    // fights on before his part counts as done with the quest still open.
    static constexpr int32_t kFightOnEveryFrames = 30;
    static constexpr int32_t kFightOnFrames = 4500;

    // False with `error` when the route cannot be read or names something absent.
    bool Load(const LevelFile& level, const std::string& route, std::string& error);
    // Names the level's things the orders use after the world now holds them, and the hero.
    void Cast(uint32_t heroId);
    // This frame's orders, and the held button's repeat.
    void Frame(int32_t frame);
    bool IsFinished(int32_t frame) const;
    // After his orders: unless the route left the button held on a living monster, the hero
    // makes for the nearest living monster of `records` and holds the button on him.
    void FightOn(int32_t frame, const std::vector<std::string>& records);
    // The orders ran out long enough ago that fighting on has had its time.
    bool IsOverdue(int32_t frame) const;

private:
    uint32_t TargetOf(const std::string& name) const;
    int32_t LastFrame() const { return orders.empty() ? 0 : orders.back().frame; }
    void RepeatHeld(Player& hero, ControllerPlayer& controller);

    const LevelFile* level = nullptr;
    std::vector<std::string> names;
    std::vector<ScriptOrder> orders;
    size_t next = 0;
    int32_t nextFoeFrame = 0;
    ScriptCast roster;
    HeroMouse mouse;
};

} // namespace GAME
