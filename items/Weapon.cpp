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

std::wstring Weapon::GetGameDescription(bool /*flag*/) const
{
    return GetGameDescriptionFrom("RandomMagicalWeaponFormat", "CommonWeaponFormat");
}

void Weapon::GetUIGameDescription(std::vector<GameTextLine>& lines) const
{
    AddNameLine("RandomMagicalWeaponFormat", "CommonWeaponFormat", lines);
}

void Weapon::CreateUIAttributeText(std::vector<GameTextLine>& lines) const
{
    StoreText text;
    CreateStoreText(text);
    AddLines(text.damage[0], GameTextClass::ItemBaseStats, lines);
    AddLines(text.character[0], GameTextClass::ItemBaseStats, lines);
    AddSeparator(lines);
    for (const auto* list : {&text.damage[1], &text.damage[2], &text.defense[0], &text.defense[1],
                             &text.retaliation[0], &text.retaliation[1], &text.retaliation[2],
                             &text.character[1], &text.skill})
        AddLines(*list, GameTextClass::ItemBonuses, lines);
    RemoveTrailingSeparator(lines);
}

void Weapon::EnableWeaponTrail()
{
    trailEnabled = true;
}

void Weapon::DisableWeaponTrail()
{
    trailEnabled = false;
}

void Weapon::PlaySwipeSound(const WorldVec3& position) const
{
    PlaySoundPak(swipeSound, WorldCoords(position));
}

void Weapon::PlayHitSound(const WorldVec3& position) const
{
    PlaySoundPak(hitSound, WorldCoords(position));
}

} // namespace GAME
