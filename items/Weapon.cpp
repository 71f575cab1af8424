#include "items/Weapon.h"

#include "engine/LoadTable.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"

namespace GAME {

namespace {

constexpr const char* kSourceFile = "Project/Game/Weapon";

} // namespace

GAME_IMPLEMENT_CLASS(Weapon, ItemEquipment);

Weapon::Weapon()
{
    costEquationKey = "weaponCostEquation";
    familyStrengthReduction = CharAttribute_WeaponStrengthReqReduction;
    familyDexterityReduction = CharAttribute_WeaponDexterityReqReduction;
    familyIntelligenceReduction = CharAttribute_WeaponIntelligenceReqReduction;
}

Weapon::~Weapon()
{
    DestroySoundPak(swipeSound, kSourceFile, __LINE__);
    DestroySoundPak(hitSound, kSourceFile, __LINE__);
}

void Weapon::Load(const LoadTable& table)
{
    ItemEquipment::Load(table);
    // Loading again replaces the packs rather than leaking them.
    DestroySoundPak(hitSound, kSourceFile, __LINE__);
    hitSound = LoadSoundPakFromTable(table, "hitSound");
    DestroySoundPak(swipeSound, kSourceFile, __LINE__);
    swipeSound = LoadSoundPakFromTable(table, "swipeSound");
    basicProjectileName = table.GetString("basicProjectileName", "");
    piercingChance = table.GetFloat("piercingProjectile", 0.0f);
}

void Weapon::EnableWeaponTrail()
{
    trailEnabled = true;
}

void Weapon::DisableWeaponTrail()
{
    trailEnabled = false;
}

void Weapon::PlaySwipeSound(const WorldCoords& position) const
{
    PlaySoundPak(swipeSound, position);
}

void Weapon::PlayHitSound(const WorldVec3& position) const
{
    PlaySoundPak(hitSound, WorldCoords(position));
}

} // namespace GAME
