#pragma once

#include <cstdint>
#include <iosfwd>

namespace GAME {

struct HostOptions;

// `gamehost --scenario kill`: in single player the sample hero, his pet and a stranger wound a
// monster, it dies, and the hero's share of its experience reaches him as a bonus. Prints the
// monster's equipment rolled from the seed (its low 16 bits), the damage shares, the death event,
// the hero's experience and level before and after with the level-up events, and his play
// statistics.
class KillReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kVictim =
        "Records/Creatures/Monster/Jackalman/JackalmanShaman.dbr";
    static constexpr const char* kHelper =
        "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
    // The hero's, his pet's and the stranger's hits.
    static constexpr float kPlayerDamage = 30.0f;
    static constexpr float kPetDamage = 10.0f;
    static constexpr float kStrangerDamage = 40.0f;

    KillReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    KillReport(const KillReport&) = delete;
    KillReport& operator=(const KillReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its character.
    bool Run();

private:
    bool Play();

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
