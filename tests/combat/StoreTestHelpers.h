#pragma once

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeType.h"
#include "combat/DamageAttributeAbs.h"
#include "combat/DamageAttributeAbsMod.h"
#include "combat/DamageAttributeDur.h"
#include "combat/DamageAttributeDurMod.h"
#include "combat/DamageAttributeKinds.h"
#include "combat/DamageAttributeStore.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "items/CostInfo_DamageAttributes.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace GAME::Test {

using Lines = std::vector<std::wstring>;
using Calls = std::vector<std::pair<float, float>>;
using IntCalls = std::vector<std::pair<int, int>>;

// Tags without texts show as the tag and its numbers, so lines can be compared exactly.
class DamageAttributeFixture : public ::testing::Test {
protected:
    void SetUp() override { LocalizationManager::Instance().Clear(); }

    template <typename T> T* Load(const std::string& text)
    {
        return static_cast<T*>(
            DamageAttribute::LoadInto(std::make_unique<T>(), store, Record(text)));
    }

    // For records that must load: a refusal ends the test there rather than at a null.
    template <typename T> T* Loaded(const std::string& text)
    {
        T* attribute = Load<T>(text);
        if (attribute == nullptr)
            throw std::runtime_error("record refused: " + text);
        return attribute;
    }

    DamageAttributeStore store;
    CombatAttributeAccumulator accumulator;
    ScriptedRandom random;
};

// The price fields in their order, the count last, to compare in one piece.
inline std::vector<float> CostFields(const CostInfo_DamageAttributes& info)
{
    return {info.avgBase, info.avgPierceRatio,           info.avgBonus, info.avgOverTime, info.mod,
            info.modDur,  static_cast<float>(info.count)};
}

// The one line the attribute shows at the level.
template <typename Kind> std::wstring TextOf(const Kind& attribute, uint32_t level)
{
    std::wstring line;
    attribute.GetText(line, level);
    return line;
}

// The type, keys and display tag of a kind; empty keys are the ones its family does not read.
struct KindKeys {
    CombatAttributeType type = CombatAttributeType_Unknown;
    std::string chance, xorKey, global, display;
    std::string modifier, durationModifier, valueMin, valueMax, durationMin, durationMax;
};

inline void ExpectKeys(std::unique_ptr<DamageAttribute> attribute, const std::string& className,
                       const KindKeys& e)
{
    SCOPED_TRACE(className);
    ASSERT_NE(attribute, nullptr);
    EXPECT_EQ(attribute->GetType(), e.type);
    EXPECT_EQ(attribute->GetLoadChanceTag(), e.chance);
    EXPECT_EQ(attribute->GetLoadXorTag(), e.xorKey);
    EXPECT_EQ(attribute->GetLoadGlobalTag(), e.global);
    EXPECT_EQ(attribute->GetDisplayTag(), e.display);
    if (auto* mod = dynamic_cast<DamageAttributeAbsMod*>(attribute.get())) {
        EXPECT_EQ(mod->GetLoadModifierTag(), e.modifier);
        EXPECT_TRUE(e.durationModifier.empty());
    } else if (auto* durMod = dynamic_cast<DamageAttributeDurMod*>(attribute.get())) {
        EXPECT_EQ(durMod->GetLoadModifierTag(), e.modifier);
        EXPECT_EQ(durMod->GetLoadDurationModifierTag(), e.durationModifier);
    } else if (auto* flat = dynamic_cast<DamageAttributeAbs*>(attribute.get())) {
        EXPECT_EQ(flat->GetLoadValueMinTag(), e.valueMin);
        EXPECT_EQ(flat->GetLoadValueMaxTag(), e.valueMax);
        EXPECT_TRUE(e.durationMin.empty());
    } else if (auto* dur = dynamic_cast<DamageAttributeDur*>(attribute.get())) {
        EXPECT_EQ(dur->GetLoadValueMinTag(), e.valueMin);
        EXPECT_EQ(dur->GetLoadValueMaxTag(), e.valueMax);
        EXPECT_EQ(dur->GetLoadDurationMinTag(), e.durationMin);
        EXPECT_EQ(dur->GetLoadDurationMaxTag(), e.durationMax);
    } else {
        ADD_FAILURE() << "no family";
    }
}

template <typename Store> class Exposed : public Store {
public:
    using DamageAttributeStore::GetGlobalChance;
};

inline std::vector<CombatAttributeType> Types(const CombatAttributeAccumulator::AttributeList& list)
{
    std::vector<CombatAttributeType> types;
    for (const auto& attribute : list)
        types.push_back(attribute->GetType());
    return types;
}

using Pairs = std::vector<std::pair<int32_t, float>>;

// The defenses (type, value) the attack holds, in order.
inline Pairs DefensesOf(const CombatAttributeAccumulator& accumulator)
{
    Pairs result;
    for (const auto& defense : accumulator.GetDefenses())
        result.emplace_back(defense->GetType(), defense->GetDefense());
    return result;
}

using Names = std::vector<std::string>;

template <typename... Parts> Names Join(const Parts&... parts)
{
    Names names;
    (names.insert(names.end(), parts.begin(), parts.end()), ...);
    return names;
}

// Damage, damage over time and the modifier of each, for one element.
inline Names Element(const std::string& name)
{
    return {"Abs_" + name, "Dur_" + name, "AbsMod_" + name, "DurMod_" + name};
}

// The class names, without the head, of what a group holds, looked up in the registry.
inline Names HeldKinds(const DamageAttributeStore::AttributeList& list,
                       const std::vector<DamageAttributeKindInfo>& kinds, const char* head)
{
    Names names;
    for (const auto& attribute : list) {
        const DamageAttribute& held = *attribute;
        std::string name = "DamageAttribute_BasePhysical";
        for (const DamageAttributeKindInfo& kind : kinds) {
            const std::unique_ptr<DamageAttribute> made = kind.create();
            const DamageAttribute& sample = *made;
            if (typeid(sample) == typeid(held))
                name = kind.className;
        }
        names.push_back(name.erase(0, strlen(head)));
    }
    return names;
}

// A record that gives every kind a value under the keys the kind reads.
inline LoadTable EveryKind(const std::vector<DamageAttributeKindInfo>& kinds)
{
    std::string text;
    for (const DamageAttributeKindInfo& kind : kinds) {
        const DamageAttributeKeys& keys = kind.create()->GetKeys();
        for (const char* key : {keys.valueMin, keys.durationMin, keys.modifier})
            if (key != nullptr)
                text += std::string(key) + " = 5\n";
    }
    return Record(text);
}

} // namespace GAME::Test
