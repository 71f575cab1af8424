#include "host/scenarios/DuelReport.h"

#include "host/HostOptions.h"
#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace GAME::Test {
namespace {

// The player's object id as the transcript names it, as the replica's little-endian bytes.
std::string IdBytes(const std::string& out)
{
    const std::string mark = "attackerName = Records/Creatures/PC/Hero.dbr\n      attackerID = ";
    const size_t at = out.find(mark);
    if (at == std::string::npos)
        return "?";
    const auto id = static_cast<uint32_t>(std::stoul(out.substr(at + mark.size())));
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", (id >> shift) & 0xffu);
        text += digits;
    }
    return text;
}

TEST(DuelReport, SeededHitsShowTranscriptsLivesTicksAndReplicas)
{
    const HostRun run = RunSample({"--duel", "4", "--seed", "17"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    // A spell without its animation is told by the report's own line, not the game's log too;
    // the duel keeps its own clock, so the footer counts no frames of the engine's.
    EXPECT_NE(run.out.find("    (no animation: its callbacks run alone)\n"), std::string::npos);
    EXPECT_EQ(run.err.find("Animation failed to start"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("\nframes: "), std::string::npos);

    ExpectInOrder(
        run.out,
        {
            // The monster's war gear dodges the first blow, and still strikes back and reflects.
            "hit 1 at 0 ms: player strikes monster, style 1 (melee)\n"
            "  combat\n"
            "  [\n"
            "      attackerName = Records/Creatures/PC/Hero.dbr\n",
            "  did not land; life: monster 120.0 -> 120.0, player 300.0 -> 293.4\n"
            "  monster replica (8 bytes): 00000000 00000000\n"
            "  ticks in the next 1000 ms: player 10 Poison, 10 Bleeding (3.2 life)\n",
            "hit 2 at 1000 ms: monster strikes player, style 1 (melee)\n",
            "  landed; life: monster 120.0 -> 105.6, player 278.8 -> 271.8\n"
            // Twenty ticks of 0.5 poison from the player, no fixed levels.
            "  monster replica (28 bytes): 01000000 07000000 " +
                IdBytes(run.out) + " 01000000 0000003f 0000a041 00000000\n",
            "hit 4 at 3000 ms: monster strikes player, style 2 (projectile)\n",
            "duel over after 4 hits: player 256.9 life, monster 95.6 life\n",
            "objects: 0\n",
        });
}

constexpr const char* kShield = "Records/Skills/Buffs/WardingShield.dbr level 1";
constexpr const char* kRot = "Records/Skills/Buffs/PlagueRot.dbr level 1";

// A client replaying the server's commands ends as the server did.
TEST(DuelSkillReport, ShieldBreaksRotSpreadsAndTheClientAgrees)
{
    const HostRun& run = SharedSample({"--duel", "1", "--seed", "17"});
    EXPECT_EQ(run.status, 0);
    const size_t begin = run.out.find("duel skills as server, seed 17:\n");
    ASSERT_NE(begin, std::string::npos) << run.out;
    ExpectInOrder(run.out,
                  {
                      "  hunter 513 with bow 517 and Records/Skills/Hunting/ChargingVolley.dbr; "
                      "pack 514, 515, "
                      "516\n",
                      // 5.2 claws: a fifth cut, the rest absorbed, 15 - 5.2 left.
                      std::string("    hunter: life 300.0, buffs ") + kShield +
                          " (19.0 s left, shield left 9.8)\n",
                      std::string("    pack 515: life 120.0, buffs ") + kRot + " (7.0 s left)\n",
                      "  after 2000 ms:",
                      // The first spread: both others, with the rot's full time.
                      std::string("    pack 516: life 120.0, buffs ") + kRot + " (8.0 s left)\n",
                      "  after 3000 ms:",
                      std::string(", shield left 4.0)\n"),
                      // The third blow breaks it; the removal goes out on the next update.
                      "  after 4000 ms:",
                      "    hunter: life 300.0, buffs none\n",
                      "  server and client agree: yes\n",
                      "objects: 0\n",
                  },
                  begin);

    // Every swing that starts looses the pooled attack's three arrows at the leader; the arrows'
    // results reach the client, so both machines end with the same wounded leader.
    const std::string skills = run.out.substr(begin);
    EXPECT_NE(skills.find(": 3 arrows loosed\n"), std::string::npos) << skills;
    EXPECT_EQ(skills.find(" arrows loosed\n"), skills.find(": 3 arrows loosed\n") + 3) << skills;
    const auto leaderLife = [&skills](const char* heading) {
        const size_t at = skills.find(heading);
        const std::string mark = "    pack 514: life ";
        const size_t life = skills.find(mark, at);
        return at == std::string::npos || life == std::string::npos
                   ? -1.0f
                   : std::stof(skills.substr(life + mark.size()));
    };
    // The server rolls its arrows from the run's seed: once from the clock, so the end differed
    // from one second to the next.
    EXPECT_EQ(leaderLife("  server end state:\n"), 26.5f);
    EXPECT_EQ(leaderLife("client end state:\n"), 26.5f);
}

// Whatever the server decided reaches the client as commands: every packet is taken and both
// machines end with the same lives.
TEST(DuelSpellReport, SwitchesPulsesShieldProjectilesAndPetsPrintInOrderAndTheClientAgrees)
{
    const HostRun& run = SharedSample({"--duel", "1", "--seed", "17"});
    ASSERT_EQ(run.status, 0) << run.err;
    const size_t begin = run.out.find("duel spells as server, seed 17:\n");
    ASSERT_NE(begin, std::string::npos) << run.out;
    const std::string spells = run.out.substr(begin);
    ExpectInOrder(
        spells,
        {
            "  hero 769 at (0.00, 0.00, 0.00), jackalman 770 at (0.00, 0.00, 4.00)\n",
            "    770 uses StoneShield on 769\n",
            "    switch: StoneShield on\n    switch: BattleAura on\n    switch: Retribution on\n"
            "    targets: BattleAura [770]\n",
            "  after 1000 ms: hero 300.0 life, 145.5 mana; jackalman 120.0 life, 35.1 mana\n",
            "    launch: Fireball projectile ",
            "    switch: StoneShield off\n",
            // Launched at the jackalman, 4 ahead of the hero, at 12 a second.
            " at (0.00, 0.00, 2.80)\n",
            " at (0.00, 0.00, 1.60)\n",
            "    targets: Fireball [769]\n    switch: Retribution on\n",
            "  after 2000 ms: hero 286.5 life",
            "    targets: LightningStrike [769]\n",
            "    targets: ChaosBeam [770]\n",
            "  after 3000 ms: hero 280.1 life",
            "    spawn: RaiseBones [",
            "    targets: Retribution [770]\n",
            "  lives equal: yes\n",
        });
    // Two bones at a time, three at most: the first raised is the one that falls.
    const std::string first = LineAfter(spells, "    spawn: RaiseBones [");
    ASSERT_FALSE(first.empty());
    const std::string firstId = first.substr(0, first.find(','));
    EXPECT_EQ(LineAfter(spells, "    pet "), firstId + " dies");
    EXPECT_EQ(spells.find("    pet ", spells.find("    pet ") + 1), std::string::npos) << spells;

    const std::string sent = LineAfter(spells, "  client: a fresh engine replays the ");
    ASSERT_FALSE(sent.empty()) << spells;
    EXPECT_EQ(LineAfter(spells, "  client ran "), sent.substr(0, sent.find(' ')) + " of them");
    const std::string server = LineAfter(spells, "  server lives: ");
    EXPECT_EQ(server, "hero 280.3 life, 146.0 mana; jackalman 49.3 life, 10.6 mana");
    EXPECT_EQ(LineAfter(spells, "  client lives: "), server);
}

} // namespace
} // namespace GAME::Test
