#include "combat/DefenseAttribute_BaseProtectionAbsorption.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/DefenseAttributeStore.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "game/GameEngine.h"
#include "items/CostInfo_DefenseAttributes.h"

namespace GAME {

namespace {
constexpr const char* kProtectionKey = "defensiveProtection";
}

void DefenseAttribute_BaseProtectionAbsorption::Create_BaseAbsorptionProtection(
    DefenseAttributeStore& store, const LoadTable& record, const LoadTable* prefix,
    const LoadTable* suffix, float jitter, CombatAttributeRegion region)
{
    auto attribute = std::make_unique<DefenseAttribute_BaseProtectionAbsorption>();
    if (!attribute->LoadFromTable(record, prefix, suffix, false))
        return;
    attribute->SetRegion(region);
    attribute->AddJitter(jitter, store.GetRandomGen());
    store.AddAttribute(std::move(attribute));
}

bool DefenseAttribute_BaseProtectionAbsorption::LoadFromTable(const LoadTable& record,
                                                              bool /*keepEmpty*/)
{
    // The hub's own attribute packs load while it is built, before it is published; theirs and
    // those of stores read without a game keep no absorption.
    if (gGameEngine != nullptr)
        absorption = gGameEngine->GetArmorDefensiveAbsorption();
    record.GetFloatList(kProtectionKey, protection);
    return true;
}

bool DefenseAttribute_BaseProtectionAbsorption::LoadFromTable(const LoadTable& record,
                                                              const LoadTable* prefix,
                                                              const LoadTable* suffix,
                                                              bool keepEmpty)
{
    if (prefix != nullptr)
        prefixProtection = prefix->GetFloat(kProtectionKey, 0.0f);
    if (suffix != nullptr)
        suffixProtection = suffix->GetFloat(kProtectionKey, 0.0f);
    return LoadFromTable(record, keepEmpty);
}

float DefenseAttribute_BaseProtectionAbsorption::GetTotalProtection(uint32_t level) const
{
    return GetProtection(level) + suffixProtection + prefixProtection;
}

void DefenseAttribute_BaseProtectionAbsorption::CreateText(uint32_t level, Lines& first,
                                                           Lines& second) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    const float base = GetProtection(level);
    if (base != 0.0f)
        first.push_back(text.Format("DefenseAbsorptionProtection", static_cast<double>(base)));
    const float bonus = suffixProtection + prefixProtection;
    if (bonus != 0.0f)
        second.push_back(
            text.Format("DefenseAbsorptionProtectionBonus", static_cast<double>(bonus)));
}

void DefenseAttribute_BaseProtectionAbsorption::CreateNextText(uint32_t /*level*/,
                                                               uint32_t /*nextLevel*/,
                                                               Lines& /*first*/,
                                                               Lines& /*second*/) const
{}

void DefenseAttribute_BaseProtectionAbsorption::AddToAccumulator(
    CombatAttributeAccumulator& accumulator, uint32_t level, bool /*skipChance*/) const
{
    const float total = GetTotalProtection(level);
    if (total > 0.0f && absorption > 0.0f)
        accumulator.AddDefense(std::make_unique<CombatAttributeDefense_AbsorptionProtection>(
            absorption, total, region));
}

void DefenseAttribute_BaseProtectionAbsorption::ScaleAttribute(float percent)
{
    ScaleAll(protection, percent);
}

void DefenseAttribute_BaseProtectionAbsorption::AddJitter(float percent, RandomUniform* generator)
{
    const float clamped = JitterPercent(percent, generator);
    if (clamped == 0.0f)
        return;
    if (prefixProtection > 0.0f)
        prefixProtection = Jitter(prefixProtection, clamped, *generator);
    if (suffixProtection > 0.0f)
        suffixProtection = Jitter(suffixProtection, clamped, *generator);
}

void DefenseAttribute_BaseProtectionAbsorption::GetCostInfo(CostInfo_DefenseAttributes& info) const
{
    const float total = GetTotalProtection(1);
    if (total == 0.0f)
        return;
    info.armor += total;
    ++info.count;
}

std::unique_ptr<DefenseAttribute> DefenseAttribute_BaseProtectionAbsorption::Clone() const
{
    return std::unique_ptr<DefenseAttribute>(new DefenseAttribute_BaseProtectionAbsorption(*this));
}

} // namespace GAME
