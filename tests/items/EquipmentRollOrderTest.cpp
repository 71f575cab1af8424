#include "items/WeaponMelee_Sword.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

struct RolledSword : WeaponMelee_Sword {
    void Roll(RandomUniform& random, const LoadTable& base, const LoadTable& prefix)
    {
        LendGenerator(&random);
        RollStores(base, &prefix, nullptr);
        LendGenerator(nullptr);
    }
};

using EquipmentRollOrderTest = EngineFixture;

// A tenth of each affix value, truncated, is the range of its draw and names its store.
TEST_F(EquipmentRollOrderTest, AScriptedGeneratorSeesTheFiveStoresInTheirOrder)
{
    ScriptedRandom random;
    RolledSword().Roll(random, Record("Class = WeaponMelee_Sword\n"),
                       Record("lootRandomizerJitter = 10\ndefensivePhysical = 505\n"
                              "retaliationPhysicalMin = 405\noffensiveColdMin = 305\n"
                              "skillCooldownReduction = 205\ncharacterStrength = 105\n"));
    std::vector<int> stores;
    for (const auto& call : random.intCalls)
        if (stores.empty() || stores.back() != call.second)
            stores.push_back(call.second);
    EXPECT_EQ(stores, (std::vector<int>{10, 20, 30, 40, 50}));
}

} // namespace
} // namespace GAME::Test
