#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/DamageAttributeKinds.h"
#include "combat/DamageAttributeStore.h"
#include "combat/RetaliationAttributeKinds.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace GAME {
namespace {

// Tags without texts show as the tag and its numbers, so lines compare exactly.
class RetaliationAttributeTest : public ::testing::Test {
protected:
    void SetUp() override { LocalizationManager::Instance().Clear(); }

    DamageAttribute* Load(std::unique_ptr<DamageAttribute> attribute, const std::string& text)
    {
        return DamageAttribute::LoadInto(std::move(attribute), store, GAME::Test::Record(text));
    }
    DamageAttribute* Load(const char* className, const std::string& text)
    {
        return Load(CreateRetaliationAttribute(className), text);
    }

    // The attack's damage as (class of combat attribute, type, value).
    struct Added {
        std::type_index kind;
        CombatAttributeType type;
        float value;
        bool operator==(const Added&) const = default;
    };
    std::vector<Added> Damage() const
    {
        std::vector<Added> added;
        for (const auto& attribute : accumulator.GetDamage()) {
            const CombatAttribute& held = *attribute;
            float value = 0.0f;
            if (auto* abs = dynamic_cast<const CombatAttributeAbsDamage*>(&held))
                value = abs->GetValue();
            else if (auto* dur = dynamic_cast<const CombatAttributeDurDamage*>(&held))
                value = dur->GetValue();
            added.push_back({typeid(held), held.GetType(), value});
        }
        return added;
    }

    DamageAttributeStore store;
    CombatAttributeAccumulator accumulator;
};

TEST_F(RetaliationAttributeTest, RetaliationAddsPlainDamageWhereOffenseAddsElemental)
{
    std::pair<std::unique_ptr<DamageAttribute>, const char*> records[] = {
        {CreateRetaliationAttribute("RetaliationAttributeAbs_ElementalDamage"),
         "retaliationElementalMin = 30\nretaliationElementalMax = 30\n"},
        {CreateRetaliationAttribute("RetaliationAttributeAbs_Fire"), "retaliationFireMin = 20\n"},
        {std::make_unique<DamageAttributeAbs_Fire>(), "offensiveFireMin = 20\n"},
        {CreateRetaliationAttribute("RetaliationAttributeDur_Lightning"),
         "retaliationSlowLightningMin = 4\nretaliationSlowLightningDurationMin = 3\n"},
        {CreateRetaliationAttribute("RetaliationAttributeAbs_PercentCurrentLife"),
         "retaliationPercentCurrentLifeMin = 15\n"},
        {CreateRetaliationAttribute("RetaliationAttributeReflex_Stun"), "retaliationStunMin = 2\n"},
        {CreateRetaliationAttribute("RetaliationAttributeDur_RunSpeed"),
         "retaliationSlowRunSpeedMin = 30\nretaliationSlowRunSpeedDurationMin = 5\n"}};
    for (auto& [attribute, keys] : records)
        Load(std::move(attribute), keys)
            ->AddDamageToAccumulator(accumulator, 1, accumulator.GetRandomGen(), false);
    // The elemental equation is for the character's own blows only.
    const std::type_index plain = typeid(CombatAttributeAbsDamage);
    EXPECT_EQ(Damage(),
              (std::vector<Added>{
                  {plain, CombatAttributeType_Cold, 10.0f},
                  {plain, CombatAttributeType_Fire, 10.0f},
                  {plain, CombatAttributeType_Lightning, 10.0f},
                  {plain, CombatAttributeType_Fire, 20.0f},
                  {typeid(CombatAttributeAbsDamageElemental), CombatAttributeType_Fire, 20.0f},
                  {typeid(CombatAttributeDurDamage), CombatAttributeType_Lightning, 4.0f},
                  {typeid(CombatAttributeAbsDamage_PercentLife),
                   CombatAttributeType_PercentCurrentLife, 15.0f},
                  {typeid(CombatAttributeReflexDamage), CombatAttributeType_Stun, 2.0f},
                  {typeid(CombatAttributeDurFixedDamage), CombatAttributeType_RunSpeed, 30.0f}}));
}

TEST_F(RetaliationAttributeTest, HugeRecordValuesSaturateWhenScaledOrJittered)
{
    DamageAttribute* physical =
        Load("RetaliationAttributeAbs_Physical",
             "retaliationPhysicalMin = 1e12\nretaliationPhysicalMax = 1e12\n");
    physical->ScaleAttribute(10.0f);
    auto& flat = dynamic_cast<DamageAttributeAbs&>(*physical);
    EXPECT_EQ(flat.GetValueMin(1), 1e12f + static_cast<float>(INT32_MAX));

    RandomUniform random;
    physical->AddJitter(50.0f, &random);
    EXPECT_TRUE(std::isfinite(flat.GetValueMin(1)));
}

} // namespace
} // namespace GAME
