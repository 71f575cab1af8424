#include "items/Armor.h"

#include "engine/LoadTable.h"

namespace GAME {

namespace {

constexpr const char* kSourceFile = "Project/Game/Armor";

} // namespace

GAME_IMPLEMENT_CLASS(Armor, ItemEquipment);

Armor::~Armor()
{
    DestroySoundPak(impactSound, kSourceFile, 48);
}

void Armor::Load(const LoadTable& table)
{
    ItemEquipment::Load(table);
    DestroySoundPak(impactSound, kSourceFile, 48);
    impactSound = LoadSoundPakFromTable(table, "armorImpactSound");
}

void Armor::PlayImpactSound(const WorldCoords& position)
{
    PlaySoundPak(impactSound, position);
}

} // namespace GAME
