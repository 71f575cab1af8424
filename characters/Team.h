#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace GAME {

// A character's side: a major team (0 friendly or invisible, 1 hostile, 2 human, 3 monster) and
// a minor team (a human's party or side, a monster's colour). Copied freely.
class Team {
public:
    Team() = default;
    ~Team() = default;

    void Set(uint32_t major, uint32_t minor);
    bool IsInitialized() const { return initialized; }
    uint32_t GetTeamMajor() const { return major; }
    uint32_t GetTeamMinor() const { return minor; }

    bool IsFoe(const Team& other) const;
    bool IsFriend(const Team& other) const;

    // The world's mark (see World) a character of this team bears, and the marks of every team
    // that may be this one's foe or friend. Teams past the few majors and minors the game names
    // share a mark, so these take in more teams than they should, never fewer.
    uint32_t GetWorldMark() const;
    uint32_t GetFoeMarks() const;
    uint32_t GetFriendMarks() const;

    // Old records name their team in words; names it does not know leave the team as it was.
    void ConvertFromHistoricalTeam(const std::string& majorName, const std::string& minorName);

    // The 12-byte wire record: major and minor little-endian, the flag as 0 or 1, three zero
    // bytes. Reading takes any non-zero flag byte as true, so a peer's byte never lands in a bool.
    std::array<uint8_t, 12> ToRaw() const;
    static Team FromRaw(const std::array<uint8_t, 12>& bytes);

private:
    uint32_t major = 0;
    uint32_t minor = 0;
    bool initialized = false;
};

} // namespace GAME
