#include "characters/Team.h"
#include "characters/TeamManager.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <array>

#include <gtest/gtest.h>

namespace GAME {
namespace {

Team Make(uint32_t major, uint32_t minor)
{
    return TeamManager::BuildTeam(major, minor);
}

// Both ways round: every rule must be symmetric.
void ExpectPair(const Team& a, const Team& b, bool foes, bool friends)
{
    EXPECT_EQ(a.IsFoe(b), foes);
    EXPECT_EQ(b.IsFoe(a), foes);
    EXPECT_EQ(a.IsFriend(b), friends);
    EXPECT_EQ(b.IsFriend(a), friends);
}

void ExpectTeam(const Team& team, bool initialized, uint32_t major, uint32_t minor)
{
    EXPECT_EQ(team.IsInitialized(), initialized);
    EXPECT_EQ(team.GetTeamMajor(), major);
    EXPECT_EQ(team.GetTeamMinor(), minor);
}

TEST(Team, MajorsAndMonsterColours)
{
    ExpectPair(Make(0, 0), Make(1, 0), true, false); // hostile is checked before friendly
    ExpectPair(Make(0, 0), Make(3, 0), false, true);
    ExpectPair(Make(2, 0), Make(3, 0), true, false);

    ExpectPair(Make(3, 2), Make(3, 2), false, true);
    ExpectPair(Make(3, 2), Make(3, 5), true, false);
    ExpectPair(Make(3, 0), Make(3, 5), false, true);
    ExpectPair(Make(3, 1), Make(3, 0), true, false);
    ExpectPair(Make(3, 1), Make(3, 1), true, false);

    // Numbers no record should carry still answer without tripping anything.
    ExpectPair(Make(7, 0), Make(7, 0), true, false);
    ExpectPair(Make(3, 99), Make(3, 100), true, false);
}

// Player-versus-player lives in the engine's game info, shared by every test: put it back.
class TeamPlayers : public ::testing::Test {
protected:
    void TearDown() override { gEngine->GetGameInfo().SetPvP(false); }
};

TEST_F(TeamPlayers, FriendsShareASideFoesNeedPlayerVersusPlayer)
{
    ExpectPair(Make(2, 4), Make(2, 4), false, true);
    ExpectPair(Make(2, 0), Make(2, 0), false, false);
    ExpectPair(Make(2, 3), Make(2, 4), false, false);

    gEngine->GetGameInfo().SetPvP(true);
    ExpectPair(Make(2, 3), Make(2, 4), true, false);
    ExpectPair(Make(2, 4), Make(2, 4), false, true);
    ExpectPair(Make(2, 0), Make(2, 4), false, false);
}

// A team's foe and friend marks take in the mark of every team that is its foe or friend,
// named teams and numbers past them, with and without player-versus-player.
TEST_F(TeamPlayers, FoeAndFriendMarksTakeInEveryFoeAndFriend)
{
    for (const bool pvp : {false, true}) {
        gEngine->GetGameInfo().SetPvP(pvp);
        // Majors 0 to 6 with minors 0 to 11, every pair.
        for (uint32_t a = 0; a < 7 * 12; ++a) {
            const Team team = Make(a / 12, a % 12);
            for (uint32_t b = 0; b < 7 * 12; ++b) {
                const Team other = Make(b / 12, b % 12);
                const uint32_t mark = other.GetWorldMark();
                EXPECT_TRUE(!team.IsFoe(other) || (team.GetFoeMarks() & mark) != 0);
                EXPECT_TRUE(!team.IsFriend(other) || (team.GetFriendMarks() & mark) != 0);
            }
        }
    }
    // A crowd of plain monsters bears no mark a plain monster looks for among its foes.
    const Team monster = Make(3, 0);
    EXPECT_EQ(monster.GetFoeMarks() & monster.GetWorldMark(), 0u);
}

TEST(TeamHistorical, KnownNamesConvertAndOthersLeaveTheTeamAlone)
{
    const std::pair<const char*, uint32_t> majors[] = {{"TeamMajor_Hostile", 1},
                                                       {"TeamMajor_Friendly", 0},
                                                       {"TeamMajor_Human", 2},
                                                       {"TeamMajor_Monster", 3}};
    for (const auto& [name, major] : majors) {
        Team team;
        team.Set(9, 6);
        team.ConvertFromHistoricalTeam(name, "");
        SCOPED_TRACE(name);
        ExpectTeam(team, true, major, 6);
    }
    const std::pair<const char*, uint32_t> minors[] = {{"TeamMinorMonster_Friendly", 0},
                                                       {"TeamMinorMonster_Violet", 8}};
    for (const auto& [name, minor] : minors) {
        Team team;
        team.ConvertFromHistoricalTeam("", name);
        SCOPED_TRACE(name);
        ExpectTeam(team, true, 0, minor);
    }

    // The hostile minor unsets the team so that the loader falls back to its kind's default.
    Team hostile;
    hostile.Set(2, 5);
    hostile.ConvertFromHistoricalTeam("TeamMajor_Human", "TeamMinorMonster_Hostile");
    ExpectTeam(hostile, false, 2, 5);

    // Unknown or empty names leave the team alone.
    Team unset;
    unset.ConvertFromHistoricalTeam("", "");
    unset.ConvertFromHistoricalTeam("teammajor_monster", "TeamMinorMonster_red");
    unset.ConvertFromHistoricalTeam("TeamMajor_Elf", " TeamMinorMonster_Red");
    ExpectTeam(unset, false, 0, 0);

    Team set;
    set.Set(3, 4);
    set.ConvertFromHistoricalTeam("TeamMajor_Elf", "TeamMinorHuman_Blue");
    ExpectTeam(set, true, 3, 4);
    set.ConvertFromHistoricalTeam("TeamMajor_Elf", "TeamMinorMonster_Violet");
    ExpectTeam(set, true, 3, 8);
}

using TeamManagerTest = GAME::Test::EngineFixture;

// Objects that are not characters, or not there at all, are nobody's friend or foe.
TEST_F(TeamManagerTest, CharactersAreComparedById)
{
    const auto spawn = [](const char* className, const Team& team) {
        auto* made = DynamicCast<Character>(ObjectManager::Instance().CreateObject(className));
        made->SetTeam(team);
        return made->GetObjectId();
    };
    const TeamManager teams;
    const uint32_t player = spawn("Player", TeamManager::DefaultPlayerTeam());
    const uint32_t red = spawn("Monster", Make(3, 2));
    const uint32_t redToo = spawn("Monster", Make(3, 2));
    const uint32_t hostile = spawn("Monster", Make(1, 0));
    EXPECT_TRUE(teams.IsFoe(player, red));
    EXPECT_TRUE(teams.IsFriend(red, redToo));
    EXPECT_TRUE(teams.IsFoe(hostile, red));
    EXPECT_FALSE(teams.IsFoe(hostile, hostile)); // everyone's foe but its own

    const uint32_t marker =
        ObjectManager::Instance().CreateObject("PlayerSpawnPoint")->GetObjectId();
    const uint32_t missing = ObjectManager::Instance().CreateObjectID();
    for (uint32_t other : {marker, missing, 0u}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(teams.IsFoe(hostile, other));
        EXPECT_FALSE(teams.IsFoe(other, hostile));
        EXPECT_FALSE(teams.IsFriend(red, other));
        EXPECT_FALSE(teams.IsFriend(other, red));
    }
    EXPECT_TRUE(log.GetLines().empty());
}

TEST(TeamRaw, WritesTheFlagAsZeroOrOneAndReadsAnyNonZeroByte)
{
    Team team;
    team.Set(0x01020304, 7);
    EXPECT_EQ(team.ToRaw(), (std::array<uint8_t, 12>{4, 3, 2, 1, 7, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Team().ToRaw(), (std::array<uint8_t, 12>{}));

    const Team seven = Team::FromRaw({2, 0, 0, 0, 1, 0, 0, 0, 7, 0xAA, 0xBB, 0xCC});
    ExpectTeam(seven, true, 2, 1);
    EXPECT_EQ(seven.ToRaw()[8], 1);
    EXPECT_EQ(seven.ToRaw()[9], 0);
    EXPECT_FALSE(Team::FromRaw({}).IsInitialized());
}

} // namespace
} // namespace GAME
