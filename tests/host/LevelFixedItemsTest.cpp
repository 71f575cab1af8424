#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(LevelFixedItems, TheHeroUsesEveryItemOnHisWayAndTheirStatesComeBack)
{
    const HostRun& run = SharedSample({"--scenario", "level", "--seed", "7"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string& out = run.out;
    ExpectInOrder(out, {"use Door by", "command FixedItemStateChangeConfigCmd Door state 10",
                        "Door state 9 -> 10", "Door state 10 -> 9"});
    ExpectInOrder(out, {"use Chest by", "Chest state 1 -> 2",
                        "loot Chest Records/Items/Weapons/BronzeSword.dbr id ",
                        "loot Chest Records/Items/Weapons/BronzeSword.dbr id "});
    ExpectInOrder(out, {"use TrapChest by", "command FixedItemSkillTargetConfigCmd TrapChest",
                        "trap TrapChest spawns "
                        "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr id "});
    ExpectInOrder(out, {"use Shrine by", "Shrine state 3 -> 5",
                        "command FixedItemTargetConfigCmd Shrine", "bonus Shrine -> ",
                        "Shrine state 5 -> 7", "Shrine state 7 -> 3"});
    ExpectInOrder(out, {"use QuestAltar by", "locked QuestAltar", "use Well by", "use Boat by",
                        "question tagSBoatQuestion answered no"});
    ExpectInOrder(out, {"restored Door state 9 locked 0", "restored Chest state 2 locked 0",
                        "restored QuestAltar state 0 locked 1"});
}

} // namespace
} // namespace GAME::Test
