#include "host/SkillReport.h"

#include "engine/ObjectManager.h"
#include "host/CharacterReport.h"
#include "host/GameHost.h"
#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

void ExpectInOrder(const std::string& text, std::initializer_list<std::string> lines)
{
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << text;
        at = found + line.size();
    }
}

TEST(SkillReport, TheSampleTreesLoadGroupAndReplicate)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--skills", "--seed", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    // Every record the trees name makes its skill.
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    ExpectInOrder(
        run.out,
        {
            "    2: Skill_Mastery, Records/Skills/Warfare/WarfareMastery.dbr, level 4, current 4\n",
            "    6: Skill_Passive, Records/Skills/Warfare/Brawn.dbr, level 0, current 0\n",
            "    4096: Skill_Passive, Records/Skills/Item/IronWill.dbr, level 2, current 2, item "
            "skill\n",
            "  unknown skill id 1 has reference 0xFFFFFFFF; reference 4095 names id 0\n",
            // The default attacks come first; the unlearnt passive stays off.
            "  active list: #0 DefaultWPBasicAttack.dbr, #1 DefaultWeaponAttack.dbr, "
            "#2 WarfareMastery.dbr, #3 Toughness.dbr, #4 HardenedSkin.dbr, #5 Counterblow.dbr, "
            "#7 BattleRage.dbr, #8 LastStand.dbr\n",
            "    #3 Toughness.dbr: mastery #2 WarfareMastery.dbr; base none; modifiers "
            "#4 HardenedSkin.dbr; secondaries #5 Counterblow.dbr\n",
            // A mana refund prints, a life cost of -5 does not; a shrinking radius and cooldown
            // announce nothing for the next level.
            "    level 1:\n"
            "      SkillStatsCurrent: -5 Energy Cost\n"
            "      SkillStatsCurrent: 4.0 Meter Radius\n"
            "    level 2 changes:\n"
            "      SkillStatsNext: -6 Energy Cost\n"
            "    level 2:\n",
            "  the levels match the server's: yes\n",
            "  weapon pool: #2 PoolRake.dbr weight 30 #3 PoolMaul.dbr weight 20; default weight "
            "10\n",
            "  server and client draw alike: yes\n",
        });
}

TEST(SkillReport, CostsTooltipsAndTheOnHitBuff)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--skills", "--seed", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(
        run.out,
        {
            // The modifier's refund of 6 would take the passive's cost below 0.
            "  #3 Toughness.dbr (Skill_Passive): level 3, current 3, max 8, ultimate 10\n"
            "    level 1: current 1, reason 0, mana cost 0.0, cooldown 8000 ms\n",
            "    tooltip at level 0:\n"
            "      SkillName: Toughness\n"
            "      SkillDescription: Hardens the body against fire.\n"
            "      SkillLevelTitles: Next Level: 1\n",
            // At the ultimate level the next-level heading stays, alone.
            "    tooltip at level 10:\n",
            "      SkillStatsCurrent: +50% Fire Resistance\n"
            "      SkillLevelTitles: Next Level: 11\n"
            "  #4 HardenedSkin.dbr",
            "    level 1: current 1, reason 0, mana cost 12.0, cooldown 6000 ms\n"
            "    level 2: current 2, reason 0, mana cost 14.0, cooldown 5500 ms\n",
            "    hit 1 fires it: life 200.0 -> 220.0, active for 3000 ms, combat filters 1\n"
            "    a blow of 40.0: life 220.0 -> 196.0\n"
            "    combat log: ^bShield: Reduced (40.000000) Damage by (25.000000%) percent, "
            "remaining damage (30.000000)\n"
            "    combat log: ^bShield: Absorbed (6.000000) of (30.000000) damage, max absorption "
            "(6.000000)\n"
            "    a blow of 10.0: life 196.0 -> 194.5\n",
            // The filter goes with the rage; the cooldown starts then.
            "    over after 3000 ms: active 0, cooldown 8000 of 8000 ms, combat filters 0 before, "
            "0 after\n",
            "objects: 0\n",
        });
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), 0u);
}

TEST(SkillReport, AnotherSeedDrawsOtherwiseButAlikeOnBothMachines)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--skills", "--seed", "9"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {
                               "  pool draws as server, seed 9: #2 #0 #2 #3 #2 #3 #0 #3\n",
                               "  pool draws as client, seed 9: #2 #0 #2 #3 #2 #3 #0 #3\n",
                               "  server and client draw alike: yes\n",
                           });
}

TEST(SkillReport, ADatabaseWithoutTheSamplePlayerIsRefused)
{
    TempDatabase database;
    database.WriteRecord(GameHost::kSettingsRecord, {"meleeRange = 1.5"});
    database.WriteFile("Text/English.txt", "tagHostTest = hi\n");
    const HostRun run = RunHost({"--db", database.GetRoot(), "--skills"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(std::string("gamehost: sample character record '") +
                           CharacterReport::kSamplePlayer + "' cannot be read\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), 0u);
    ObjectManager::Instance().GetDatabase().SetRoot("");
}

} // namespace
} // namespace GAME::Test
