#include "host/DuelSpellReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

std::string SpellPart(const HostRun& run)
{
    const size_t begin = run.out.find("duel spells as server, seed 17:\n");
    return begin == std::string::npos ? std::string() : run.out.substr(begin);
}

// The line that starts with `prefix`, without it.
std::string LineAfter(const std::string& text, const std::string& prefix)
{
    const size_t at = text.find(prefix);
    if (at == std::string::npos)
        return std::string();
    const size_t begin = at + prefix.size();
    return text.substr(begin, text.find('\n', begin) - begin);
}

// The shield soaks the aura's first pulse and breaks under the charged swing; the fireball flies
// to the hero, whose armed burst answers, and the bolt lands; the fourth bone pushes out the
// first.
TEST(DuelSpellReport, SwitchesPulsesShieldProjectilesAndPetsPrintInOrder)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--duel", "1", "--seed", "17"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string spells = SpellPart(run);
    ASSERT_FALSE(spells.empty()) << run.out;
    const std::string lines[] = {
        "  hero 769 at (0.00, 0.00, 0.00), jackalman 770 at (0.00, 0.00, 4.00)\n",
        "    770 uses StoneShield on 769\n",
        // The aura strikes at once, 3 physical, into a pool of 30.
        "  ^bShield: Absorbed (3.000000) of (3.000000) damage, shield remaining (27.000000)\n",
        "    switch: StoneShield on\n    switch: BattleAura on\n    switch: Retribution on\n"
        "    targets: BattleAura [770]\n",
        "  after 1000 ms: hero 300.0 life, 145.5 mana; jackalman 120.0 life, 35.1 mana\n",
        "shield remaining (0.000000)\n",
        "    launch: Fireball projectile ",
        "    switch: StoneShield off\n",
        // Launched at the jackalman, 4 ahead of the hero, at 12 a second.
        " at (0.00, 0.00, 2.80)\n",
        " at (0.00, 0.00, 1.60)\n",
        "    targets: Fireball [769]\n    switch: Retribution on\n",
        "  after 2000 ms: hero 286.5 life",
        "    targets: LightningStrike [769]\n",
        // Lightning is not a quality the stone shield stops.
        "  ^bShield: Ignored non-qualified damage (",
        // The bolt lands a fifth of a second after it was called: 13.2 on the hero.
        "  ^y    Damage 12.420623 to Defender 0x301\n",
        "    targets: ChaosBeam [770]\n",
        "  after 3000 ms: hero 280.1 life",
        "    spawn: RaiseBones [",
        "    targets: Retribution [770]\n",
        "  lives equal: yes\n",
    };
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = spells.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << spells;
        at = found + line.size();
    }
    // Two bones at a time, three at most: the first raised is the one that falls.
    const std::string first = LineAfter(spells, "    spawn: RaiseBones [");
    ASSERT_FALSE(first.empty());
    const std::string firstId = first.substr(0, first.find(','));
    EXPECT_EQ(LineAfter(spells, "    pet "), firstId + " dies");
    EXPECT_EQ(spells.find("    pet ", spells.find("    pet ") + 1), std::string::npos) << spells;
}

// Whatever the server decided reaches the client as commands; replayed there, every packet is
// taken and both machines end with the same lives, the hero's wounded by the jackalman's spells.
TEST(DuelSpellReport, TheClientReplaysEveryPacketAndEndsWithTheServersLives)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--duel", "1", "--seed", "17"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string spells = SpellPart(run);
    const std::string sent = LineAfter(spells, "  client: a fresh engine replays the ");
    ASSERT_FALSE(sent.empty()) << spells;
    EXPECT_EQ(LineAfter(spells, "  client ran "), sent.substr(0, sent.find(' ')) + " of them");
    const std::string server = LineAfter(spells, "  server lives: ");
    EXPECT_EQ(server, "hero 280.3 life, 146.0 mana; jackalman 49.3 life, 10.6 mana");
    EXPECT_EQ(LineAfter(spells, "  client lives: "), server);
}

} // namespace
} // namespace GAME::Test
