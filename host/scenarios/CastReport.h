#pragma once

#include "host/HostSamples.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Monster;
class Npc;
struct HostOptions;

// `gamehost --scenario cast`: in single player a monster serves the hero for a while and goes
// back to its old leader and side; the hero talks to a townsman; the level state of both is
// saved, the world cleared, and the state restored into fresh characters; a guard and a
// scenery creature show what sets them apart. Times are game milliseconds since the start.
class CastReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kMonster =
        "Records/Creatures/Monster/Jackalman/JackalmanChieftain.dbr";
    static constexpr const char* kNpc = "Records/Creatures/Npc/Townsfolk/VillageElder.dbr";
    static constexpr const char* kGuard = "Records/Creatures/Npc/Guard/TownGuard.dbr";
    static constexpr const char* kAmbient = "Records/Creatures/Ambient/Deer.dbr";
    static constexpr int32_t kPetMilliseconds = 5000;
    static constexpr int32_t kFrameMilliseconds = 500;

    CastReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    CastReport(const CastReport&) = delete;
    CastReport& operator=(const CastReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its character.
    bool Run();

private:
    bool Play();
    void ShowPet(Monster& monster, uint32_t playerId);
    void ShowConversation(Npc& npc, uint32_t playerId);
    bool ShowLevelState(Monster*& monster, Npc*& npc);
    void ShowGuardAndAmbient();
    // Puts the character in the world and prints its changes from now on.
    void Place(Character& character, float x);
    // Runs frames for `milliseconds`, printing the changes of the characters placed.
    void RunFor(int32_t milliseconds);
    void PrintChanges();
    std::string Time() const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    uint64_t startTime = 0;
    struct Watched {
        uint32_t id;
        HostSamples::CastView view;
    };
    std::vector<Watched> watched;
};

} // namespace GAME
