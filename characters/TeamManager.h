#pragma once

#include "characters/Team.h"
#include "engine/CriticalSection.h"

#include <cstdint>

namespace GAME {

class Character;

// Builds the standard teams and answers the friend-or-foe questions for teams, characters and
// object ids. The game engine owns one.
class TeamManager {
public:
    TeamManager();
    ~TeamManager();
    TeamManager(const TeamManager&) = delete;
    TeamManager& operator=(const TeamManager&) = delete;

    static Team BuildTeam(uint32_t major, uint32_t minor);
    static Team DefaultPlayerTeam();
    static Team DefaultMonsterTeam();
    static Team InvisibleTeam();

    bool IsFriend(const Team& a, const Team& b) const;
    bool IsFoe(const Team& a, const Team& b) const;
    bool IsFriend(const Character& a, const Character& b) const;
    bool IsFoe(const Character& a, const Character& b) const;
    // Ids that do not name characters are neither friends nor foes.
    bool IsFriend(uint32_t id1, uint32_t id2) const;
    // A character is never its own foe, not even a hostile one.
    bool IsFoe(uint32_t id1, uint32_t id2) const;

private:
    // Teams are plain values read on the game thread: no operation here takes it.
    CriticalSection lock;
};

} // namespace GAME
