#include "host/CharacterReport.h"
#include "host/DeathReport.h"
#include "host/SkillReport.h"

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

TEST(CharacterReport, TheSampleCharactersLoadCleanlyAndShowWhatTheyLoaded)
{
    const HostRun run = RunSample({"--characters"});
    EXPECT_EQ(run.status, 0);
    // Every record the two characters name is there and well formed.
    EXPECT_EQ(DataErrors(run.err), "") << run.err;

    const std::string player = std::string("player: ") + CharacterReport::kSamplePlayer +
                               "\n"
                               "  class: Player\n"
                               "  level: 1 (experience 0)\n"
                               "  life: 300.0 of 300.0\n"
                               "  mana: 150.0 of 150.0\n"
                               "  gender: Male\n"
                               "  pathing size: Small (extents 0.5)\n"
                               "  team: human, minor 0\n"
                               "  animation sets: unarmed (current), single-handed, dual-wielded, "
                               "spear, bow, staff\n"
                               "  death handlers: Default\n";
    const std::string monster = std::string("monster: ") + CharacterReport::kSampleMonster +
                                "\n"
                                "  class: Monster\n"
                                "  level: 3 (experience 0)\n"
                                "  life: 120.0 of 120.0\n"
                                "  mana: 40.0 of 40.0\n"
                                "  gender: JackalMan\n"
                                "  pathing size: Medium (extents 1.0)\n"
                                "  team: monster, minor 2\n"
                                "  animation sets: unarmed (current)\n"
                                "  death handlers: Default, Fade, PlayEffect\n";
    // Both rows of the settings name every shared pack; the fire pack makes two effects. A
    // monster also carries its confusion pack.
    const std::string packs = " row, 19 particle effects, 8 absorption effects with 8 sounds\n";
    const std::string monsterPacks =
        " row, 20 particle effects, 8 absorption effects with 8 sounds\n";
    ExpectInOrder(
        run.out,
        {
            player,
            "  effect packs: 18 of 18 from the Small" + packs,
            "  experience table: 1 -> 0, 2 -> 500, 3 -> 1500, 4 -> 3000, 5 -> 5000 (first 5 of 50 "
            "levels)\n",
            monster,
            "  effect packs: 18 of 18 from the Medium" + monsterPacks,
            "  experience table: none\n",
            // Six life a second, with no refill once wounded.
            std::string("bio of ") + CharacterReport::kSamplePlayer +
                " after losing 120.0 life (life each 500 ms):\n"
                "  0 ms: 180.0\n"
                "  500 ms: 183.0\n"
                "  1000 ms: 186.0\n"
                "  1500 ms: 189.0\n"
                "  2000 ms: 192.0\n"
                "  2500 ms: 195.0\n"
                "  3000 ms: 198.0\n",
            // Both characters went, with every sound pack and effect they made.
            "objects: 0\n",
        });
}

TEST(DeathReport, TheSampleMonstersDieFrameByFrameAndLeaveNothingBehind)
{
    const HostRun run = RunSample({"--deaths"});
    EXPECT_EQ(run.status, 0);
    // Every record the deaths name is there and well formed.
    EXPECT_EQ(DataErrors(run.err), "") << run.err;

    const std::string die = "animation Creatures/Monster/Jackalman/Animations/Die.anm";
    const std::string warrior = DeathReport::kFadingMonster;
    const std::string bones = "Records/Creatures/Monster/Jackalman/JackalmanBones.dbr";
    ExpectInOrder(
        run.out,
        {
            // The glow dims 5 a second; "End" lets the dissolve take the body before its 1.5 s.
            std::string("death of ") + DeathReport::kDissolvingMonster +
                " (handlers: Default, Dissolve):\n"
                "  0 ms: " +
                die +
                "; dissolve over 1.5 s; light radius 10.0\n"
                "  500 ms: light radius 7.5\n"
                "  1000 ms: \"End\"; body removed; death over\n",
            // Two seconds of fading from white; the animation's end alone does not take the body.
            "death of " + warrior +
                " (handlers: Default, Fade, PlayEffect):\n"
                "  0 ms: " +
                die +
                "\n"
                "  500 ms: tint 0.8 0.8 0.8\n"
                "  1000 ms: \"End\"; tint 0.5 0.5 0.5\n"
                "  1500 ms: tint 0.2 0.2 0.2\n"
                "  2000 ms: body removed; death over\n",
            std::string("death of ") + DeathReport::kSpawningMonster +
                " (handlers: Default, Dissolve, SpawnActor, SpawnMyBones):\n"
                "  0 ms: " +
                die + "; spawned " + warrior + " in the world; spawned " + bones +
                " on the body\n"
                "  1000 ms: \"End\"; body removed; spawned " +
                bones + " in the world; death over\n",
            std::string("aura ") + DeathReport::kAura + " on " + warrior +
                " for 1 s:\n"
                "  1000 ms: aura gone\n",
            // 45 beats 30 and 20, whatever the others lost to it.
            "hate list of " + warrior +
                ":\n"
                "  attacker 1 adds anger 20.0\n"
                "  attacker 2 adds anger 45.0\n"
                "  attacker 3 adds anger 30.0\n"
                "  target: attacker 2\n",
            // The bodies, what they spawned, their effects and the attackers all went.
            "objects: 0\n",
        });
}

TEST(SkillReport, TheSampleTreesLoadGroupReplicateAndShowCostsTooltipsAndTheOnHitBuff)
{
    const HostRun run = RunSample({"--skills", "--seed", "1"});
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
    // Costs, tooltips and the on-hit buff follow, in an order of their own.
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
