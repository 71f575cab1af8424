#include "host/scenarios/CharacterReport.h"
#include "host/scenarios/DeathReport.h"
#include "host/scenarios/SkillReport.h"

#include "engine/ObjectManager.h"
#include "host/GameHost.h"
#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

// The library's own start may log what the small database lacks; the refusal comes last.
std::string LastLine(const std::string& text)
{
    const size_t start = text.size() < 2 ? std::string::npos : text.rfind('\n', text.size() - 2);
    return start == std::string::npos ? text : text.substr(start + 1);
}

TEST(CharacterReport, ThePlayerRegeneratesAndEveryObjectGoes)
{
    const HostRun run = RunSample({"--characters"});
    EXPECT_EQ(run.status, 0);
    // The records themselves are the level play's to cover; the bio's ticks are the report's.
    ExpectInOrder(run.out, {
                               // Six life a second, with no refill once wounded.
                               std::string("bio of ") + CharacterReport::kSamplePlayer +
                                   " after losing 120.0 life (life each 500 ms):\n"
                                   "  0 ms: 180.0\n"
                                   "  500 ms: 183.0\n",
                               "  3000 ms: 198.0\n",
                               // Both characters went, with every sound pack and effect they made.
                               "objects: 0\n",
                           });
}

TEST(DeathReport, TheSampleMonstersDieFrameByFrameAndLeaveNothingBehind)
{
    const HostRun run = RunSample({"--deaths"});
    EXPECT_EQ(run.status, 0);
    const std::string warrior = DeathReport::kFadingMonster;
    const std::string bones = "Records/Creatures/Monster/Jackalman/JackalmanBones.dbr";
    // "End" lets the dissolve take the body before its 1.5 s; the fade alone keeps it two seconds.
    ExpectInOrder(run.out,
                  {
                      std::string("death of ") + DeathReport::kDissolvingMonster,
                      "  1000 ms: \"End\"; body removed; death over\n",
                      "death of " + warrior,
                      "  1000 ms: \"End\"; tint 0.5 0.5 0.5\n",
                      "  2000 ms: body removed; death over\n",
                      std::string("death of ") + DeathReport::kSpawningMonster,
                      "; spawned " + warrior + " in the world; spawned " + bones +
                          " on the body\n" + "  1000 ms: \"End\"; body removed; spawned " + bones +
                          " in the world; death over\n",
                      "  1000 ms: aura gone\n",
                      // 45 beats 30 and 20, whatever the others lost to it.
                      "  attacker 2 adds anger 45.0\n"
                      "  attacker 3 adds anger 30.0\n"
                      "  target: attacker 2\n",
                      // The bodies, what they spawned, their effects and the attackers all went.
                      "objects: 0\n",
                  });
}

TEST(SkillReport, TheSampleTreesLoadGroupReplicateAndShowCostsAndTheOnHitBuff)
{
    const HostRun run = RunSample({"--skills", "--seed", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
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
    // Costs and the on-hit buff follow, in an order of their own.
    ExpectInOrder(
        run.out,
        {
            // The modifier's refund of 6 would take the passive's cost below 0.
            "  #3 Toughness.dbr (Skill_Passive): level 3, current 3, max 8, ultimate 10\n"
            "    level 1: current 1, reason 0, mana cost 0.0, cooldown 8000 ms\n",
            "  #4 HardenedSkin.dbr",
            "    level 1: current 1, reason 0, mana cost 12.0, cooldown 6000 ms\n"
            "    level 2: current 2, reason 0, mana cost 14.0, cooldown 5500 ms\n",
            "    hit 1 fires it: life 200.0 -> 220.0, active for 3000 ms, combat filters 1\n"
            "    a blow of 40.0: life 220.0 -> 196.0\n",
            "    a blow of 10.0: life 196.0 -> 194.5\n",
            // The filter goes with the rage; the cooldown starts then.
            "    over after 3000 ms: active 0, cooldown 8000 of 8000 ms, combat filters 0 before, "
            "0 after\n",
            "objects: 0\n",
        });
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), 0u);
}

TEST(CharacterReport, ADatabaseWithoutTheSamplesIsRefusedInOneLine)
{
    TempDatabase database;
    database.WriteRecord(GameHost::kSettingsRecord, {"meleeRange = 1.5"});
    database.WriteFile("Text/English.txt", "tagHostTest = hi\n");
    const std::string record =
        std::string("gamehost: sample character record '") + CharacterReport::kSamplePlayer + "' ";
    const std::pair<const char*, const char*> rows[] = {
        {"--characters", ""}, {"--skills", "skills of the sample player and monster, seed 1:\n"}};
    for (const auto& [report, out] : rows) {
        SCOPED_TRACE(report);
        const HostRun run = RunHost({"--db", database.GetRoot(), report});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(LastLine(run.err), record + "cannot be read\n");
        EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), 0u);
    }
    database.WriteRecord(CharacterReport::kSamplePlayer, {"Class = Monster"});
    const HostRun run = RunHost({"--db", database.GetRoot(), "--characters"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(LastLine(run.err), record + "names class 'Monster', not Player\n");
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), 0u);
    ObjectManager::Instance().GetDatabase().SetRoot("");
}

} // namespace
} // namespace GAME::Test
