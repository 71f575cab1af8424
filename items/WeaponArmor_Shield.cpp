#include "items/WeaponArmor_Shield.h"

#include "core/Saturate.h"
#include "engine/LoadTable.h"

namespace GAME {

namespace {

constexpr const char* kSourceFile = "Project/Game/WeaponArmor";

} // namespace

GAME_IMPLEMENT_CLASS(WeaponArmor_Shield, WeaponArmor);

WeaponArmor_Shield::WeaponArmor_Shield()
{
    SetRequirementEquationKeys("shield");
    costEquationKey = "shieldCostEquation";
    SetKindReductions(CharAttribute_ShieldStrengthReqReduction,
                      CharAttribute_ShieldDexterityReqReduction,
                      CharAttribute_ShieldIntelligenceReqReduction);
}

WeaponArmor_Shield::~WeaponArmor_Shield()
{
    DestroySoundPak(blockSound, kSourceFile, 137);
}

void WeaponArmor_Shield::Load(const LoadTable& table)
{
    WeaponArmor::Load(table);
    DestroySoundPak(blockSound, kSourceFile, 137);
    blockSound = LoadSoundPakFromTable(table, "blockSound");
    blockChance = table.GetFloat("defensiveBlockChance", 0.0f);
    blockDefense = table.GetFloat("defensiveBlock", 0.0f);
    blockAbsorption = table.GetFloat("blockAbsorption", 0.0f);
    blockRecoveryTime = table.GetFloat("blockRecoveryTime", 0.0f);
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
