#include "characters/Team.h"

#include "engine/Engine.h"

#include <algorithm>
#include <cstddef>

namespace GAME {

namespace {

enum : uint32_t { MajorFriendly = 0, MajorHostile = 1, MajorHuman = 2, MajorMonster = 3 };
enum : uint32_t { MinorNone = 0, MinorMonsterHostile = 1 };

struct NamedValue {
    const char* name;
    uint32_t value;
};

const NamedValue kMajorNames[] = {
    {"TeamMajor_Hostile", MajorHostile},
    {"TeamMajor_Friendly", MajorFriendly},
    {"TeamMajor_Human", MajorHuman},
    {"TeamMajor_Monster", MajorMonster},
};

// "TeamMinorMonster_Hostile" is missing on purpose: it un-sets the team instead, so that the
// loading character falls back to its kind's default team.
const NamedValue kMinorNames[] = {
    {"TeamMinorMonster_Friendly", 0}, {"TeamMinorMonster_Red", 2},
    {"TeamMinorMonster_Orange", 3},   {"TeamMinorMonster_Yellow", 4},
    {"TeamMinorMonster_Green", 5},    {"TeamMinorMonster_Blue", 6},
    {"TeamMinorMonster_Indigo", 7},   {"TeamMinorMonster_Violet", 8},
};

template <size_t N>
const NamedValue* FindName(const NamedValue (&table)[N], const std::string& name)
{
    for (const NamedValue& entry : table) {
        if (name == entry.name)
            return &entry;
    }
    return nullptr;
}

bool HumansAreFoes(uint32_t a, uint32_t b)
{
    if (!gEngine->GetGameInfo().GetPvP())
        return false;
    return a != MinorNone && b != MinorNone && a != b;
}

bool MonstersAreFoes(uint32_t a, uint32_t b)
{
    if (a == MinorMonsterHostile || b == MinorMonsterHostile)
        return true;
    if (a == MinorNone || b == MinorNone)
        return false;
    return a != b;
}

// Four majors and five minors have a mark each; every team past them shares its major's last
// mark, and every major past them the marks after.
constexpr uint32_t kMarkedMajors = 4;
constexpr uint32_t kMarkedMinors = 5;

uint32_t MarkOf(uint32_t major, uint32_t minor)
{
    return 1u << (std::min(major, kMarkedMajors) * (kMarkedMinors + 1) +
                  std::min(minor, kMarkedMinors));
}

// The marks of the teams `related` accepts; a shared mark is always among them.
template <typename Related> uint32_t MarksOf(const Related& related)
{
    uint32_t marks = 0;
    for (uint32_t major = 0; major <= kMarkedMajors; ++major) {
        for (uint32_t minor = 0; minor <= kMarkedMinors; ++minor) {
            Team team;
            team.Set(major, minor);
            if (major == kMarkedMajors || minor == kMarkedMinors || related(team))
                marks |= MarkOf(major, minor);
        }
    }
    return marks;
}

} // namespace

uint32_t Team::GetWorldMark() const
{
    return MarkOf(major, minor);
}

uint32_t Team::GetFoeMarks() const
{
    return MarksOf([this](const Team& other) { return IsFoe(other); });
}

uint32_t Team::GetFriendMarks() const
{
    return MarksOf([this](const Team& other) { return IsFriend(other); });
}

void Team::Set(uint32_t majorTeam, uint32_t minorTeam)
{
    major = majorTeam;
    minor = minorTeam;
    initialized = true;
}

bool Team::IsFoe(const Team& other) const
{
    if (major == MajorHostile || other.major == MajorHostile)
        return true;
    if (major == MajorFriendly || other.major == MajorFriendly)
        return false;
    if (major != other.major)
        return true;
    if (major == MajorHuman)
        return HumansAreFoes(minor, other.minor);
    if (major == MajorMonster)
        return MonstersAreFoes(minor, other.minor);
    // No record should carry another major; one that does fights even its own kind.
    return true;
}

bool Team::IsFriend(const Team& other) const
{
    // Players are friends only by sharing a side, whatever the player-versus-player rule says.
    if (major == MajorHuman && other.major == MajorHuman)
        return minor == other.minor && minor != MinorNone;
    return !IsFoe(other);
}

void Team::ConvertFromHistoricalTeam(const std::string& majorName, const std::string& minorName)
{
    if (majorName.empty() && minorName.empty())
        return;
    if (const NamedValue* found = FindName(kMajorNames, majorName)) {
        major = found->value;
        initialized = true;
    }
    if (minorName == "TeamMinorMonster_Hostile") {
        initialized = false;
    } else if (const NamedValue* found = FindName(kMinorNames, minorName)) {
        minor = found->value;
        initialized = true;
    }
}

} // namespace GAME

namespace GAME {

namespace {
void PutWord(std::array<uint8_t, 12>& bytes, size_t at, uint32_t word)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(word >> (8 * i));
}

uint32_t GetWord(const std::array<uint8_t, 12>& bytes, size_t at)
{
    uint32_t word = 0;
    for (size_t i = 0; i < 4; ++i)
        word |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return word;
}
} // namespace

std::array<uint8_t, 12> Team::ToRaw() const
{
    std::array<uint8_t, 12> bytes{};
    PutWord(bytes, 0, major);
    PutWord(bytes, 4, minor);
    bytes[8] = initialized ? 1 : 0;
    return bytes;
}

Team Team::FromRaw(const std::array<uint8_t, 12>& bytes)
{
    Team team;
    team.major = GetWord(bytes, 0);
    team.minor = GetWord(bytes, 4);
    team.initialized = bytes[8] != 0;
    return team;
}

} // namespace GAME
