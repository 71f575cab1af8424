#include "items/WeaponMelee_Sword.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

class RolledSword : public WeaponMelee_Sword {
public:
    void Roll(RandomUniform& random, const LoadTable& base, const LoadTable& prefix)
    {
        LendGenerator(&random);
        RollStores(base, &prefix, nullptr);
        LendGenerator(nullptr);
    }
};

// Each store's affix value is jittered by a tenth, truncated, so its draw's range names the store.
using EquipmentRollOrderTest = EngineFixture;

TEST_F(EquipmentRollOrderTest, AScriptedGeneratorSeesTheFiveStoresInTheirOrder)
{
    const LoadTable base = Record("Class = WeaponMelee_Sword\n");
    const LoadTable prefix = Record("lootRandomizerJitter = 10\n"
                                    "defensivePhysical = 505\n"
                                    "retaliationPhysicalMin = 405\n"
                                    "offensiveColdMin = 305\n"
                                    "skillCooldownReduction = 205\n"
                                    "characterStrength = 105\n");
    ScriptedRandom random;
    RolledSword sword;
    sword.Roll(random, base, prefix);
    std::vector<int> stores;
    for (const auto& call : random.intCalls)
        if (stores.empty() || stores.back() != call.second)
            stores.push_back(call.second);
    // character, skill, damage, retaliation, defense
    EXPECT_EQ(stores, (std::vector<int>{10, 20, 30, 40, 50}));
}

} // namespace
} // namespace GAME::Test
