#include "items/WeaponArmor_Shield.h"

#include "core/Saturate.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

namespace GAME {

namespace {

constexpr const char* kWeaponArmorShieldSource = "Project\\Game\\WeaponArmor";

} // namespace

GAME_IMPLEMENT_CLASS(WeaponArmor_Shield, WeaponArmor);

WeaponArmor_Shield::WeaponArmor_Shield()
{
    enchantmentKind = WeaponEnchantment::None;
    SetRequirementEquationKeys("shield");
    costEquationKey = "shieldCostEquation";
    SetKindReductions(CharAttribute_ShieldStrengthReqReduction,
                      CharAttribute_ShieldDexterityReqReduction,
                      CharAttribute_ShieldIntelligenceReqReduction);
}

WeaponArmor_Shield::~WeaponArmor_Shield()
{
    DestroySoundPak(blockSound, kWeaponArmorShieldSource, 137);
}

void WeaponArmor_Shield::PreLoad(bool flag)
{
    WeaponArmor::PreLoad(flag);
    PreLoadSoundPak(blockSound, flag);
}

void WeaponArmor_Shield::Load(const LoadTable& table)
{
    WeaponArmor::Load(table);
    DestroySoundPak(blockSound, kWeaponArmorShieldSource, 137);
    blockSound = LoadSoundPakFromTable(table, "blockSound");
    blockChance = table.GetFloat("defensiveBlockChance", 0.0f);
    blockDefense = table.GetFloat("defensiveBlock", 0.0f);
    blockAbsorption = table.GetFloat("blockAbsorption", 0.0f);
    blockRecoveryTime = table.GetFloat("blockRecoveryTime", 0.0f);
    recordBlockChance = blockChance;
    recordBlockDefense = blockDefense;
    shieldCost.blockChance = blockChance;
    shieldCost.blockDefense = blockDefense;
    shieldCost.blockAbsorption = blockAbsorption;
    shieldCost.blockRecoveryTime = blockRecoveryTime;
}

void WeaponArmor_Shield::InitializeEquipmentSpecial(const LoadTable* prefix,
                                                    const LoadTable* suffix)
{
    // From the record's values each time, so a second roll does not raise them twice.
    blockChance = recordBlockChance;
    blockDefense = recordBlockDefense;
    float chanceSum = 0.0f;
    float blockSum = 0.0f;
    for (const LoadTable* table : {prefix, suffix}) {
        if (table == nullptr)
            continue;
        chanceSum += table->GetFloat("shieldBlockChanceModifier", 0.0f);
        blockSum += table->GetFloat("shieldBlockModifier", 0.0f);
    }
    if (chanceSum != 0.0f)
        blockChance += blockChance * chanceSum * 0.01f;
    if (blockSum != 0.0f)
        blockDefense += blockDefense * blockSum * 0.01f;
}

void WeaponArmor_Shield::GetUIArmorSpecificText(std::vector<GameTextLine>& lines) const
{
    lines.emplace_back(GameTextClass::ItemBaseStats,
                       LocalizationManager::Instance().Format("tagShieldBlockInfo",
                                                              static_cast<double>(blockChance),
                                                              static_cast<double>(blockDefense)),
                       false);
}

int32_t WeaponArmor_Shield::GetShieldRecoveryTime() const
{
    // Multiplied in single precision, as the seconds are kept: 0.7 s gives 700, not 699. A
    // record's huge or non-numeric value saturates instead of overflowing.
    return SaturateToInt(blockRecoveryTime * 1000.0f);
}

void WeaponArmor_Shield::PlayBlockSound(const WorldCoords& position)
{
    PlaySoundPak(blockSound, position);
}

} // namespace GAME
