#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class ControllerPlayer;
class Player;
struct ScriptOrder;
class WorldVec3;

// The characters an order script can name ("Hero", "Raider", ...), by the ids they were made
// with; the one named "Hero" is the player the script drives.
class ScriptCast {
public:
    void Add(const std::string& name, uint32_t id) { members.emplace_back(name, id); }
    // 0 for a name nobody has.
    uint32_t IdOf(const std::string& name) const;
    // The name as a line shows it, or the id as text for a character outside the cast.
    std::string Label(uint32_t id) const;
    // Null once the hero is gone.
    Player* Hero() const;
    ControllerPlayer* HeroController() const;
    // Where the order's click lands: a named thing where it stands, one gone at the hero's feet,
    // else the order's point in `region`. `target` is the named thing's id, 0 for none.
    WorldVec3 Aim(const ScriptOrder& order, const Player& hero, uint32_t region,
                  uint32_t& target) const;

private:
    std::vector<std::pair<std::string, uint32_t>> members;
};

} // namespace GAME
