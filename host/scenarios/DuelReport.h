#pragma once

#include "combat/ParametersCombat.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace GAME {

class Character;

// `gamehost --duel N`: the sample player and monster exchange N seeded hits, one a second of
// game time, the player first. Each hit prints its combat transcript (retaliation and reflection
// included), both lives and the defender's damage over time as its replication data carries it;
// each second between hits prints the ticks it dealt. The duel stops early when a side has no
// life left. Then the skills take over (`DuelSkillReport`), then the spells (`DuelSpellReport`).
class DuelReport {
public:
    // Worn by the monster: dodge, retaliation and a reflect defense.
    static constexpr const char* kMonsterItemSet = "Records/Items/Sets/JackalmanWarGear.dbr";
    static constexpr int32_t kSecondMs = 1000;
    static constexpr int32_t kFrameMs = 250;
    // What the player's blows carry besides its hands: poison, per second, for seconds.
    static constexpr float kPoisonPerSecond = 5.0f;
    static constexpr float kPoisonSeconds = 2.0f;
    // The category word the duel gives the combat trace while it runs.
    static constexpr uint32_t kCombatLogWord = 1;

    // While it lives, the combat trace goes to `out`, one log call a line, whenever its category
    // is switched on; every other line goes where it went before.
    class Transcript {
    public:
        explicit Transcript(std::ostream& out);
        ~Transcript();
        Transcript(const Transcript&) = delete;
        Transcript& operator=(const Transcript&) = delete;

    private:
        void Write(int level, const std::string& line);

        std::ostream& out;
        uint32_t previousWord;
        std::function<void(int, const std::string&)> previous;
    };

    DuelReport(std::ostream& out, std::ostream& err, int32_t hits, uint32_t seed);
    DuelReport(const DuelReport&) = delete;
    DuelReport& operator=(const DuelReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record cannot
    // be used. The library is shut down again either way.
    bool Run();

private:
    bool ShowDuel();
    bool DressMonster(Character& monster);
    void ShowHit(int32_t hit, Character& attacker, Character& defender,
                 ParametersCombatStyle style);
    void ShowSecond(Character& player, Character& monster);
    void ShowReplica(Character& defender);
    const char* RoleOf(const Character& character) const;

    std::ostream& out;
    std::ostream& err;
    int32_t hits;
    uint32_t seed;
    uint32_t playerId = 0;
};

} // namespace GAME
