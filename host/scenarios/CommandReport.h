#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

struct HostOptions;

// `gamehost --scenario commands`: as a server, the sample hero equips, drops, picks up and drinks,
// a monster changes team and hides, a net sound plays and base life rises, each through a config
// command whose packet is printed. The packets are then replayed into a fresh engine started as a
// client, and the end states of both machines are printed and compared. Last, the monster dies
// under a heavy blow and its rag doll's first bodies show the impulse.
class CommandReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kMonster =
        "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
    static constexpr const char* kCuirass = "Records/Items/Armor/LeatherCuirass.dbr";
    static constexpr const char* kShield = "Records/Items/Shields/WoodenShield.dbr";
    static constexpr const char* kPotion = "Records/Items/Potions/HealthPotion.dbr";

    CommandReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    CommandReport(const CommandReport&) = delete;
    CommandReport& operator=(const CommandReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its object.
    bool Run();

private:
    bool PlayServer();
    bool ReplayClient();
    bool RagDollDeath();

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    // What the server sent, in order, as the client receives it.
    std::vector<std::vector<uint8_t>> recorded;
    std::string serverState;
    std::string clientState;
};

} // namespace GAME
