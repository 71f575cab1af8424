#include "items/Armor.h"

#include "characters/Character.h"
#include "engine/LoadTable.h"
#include "engine/ResourceLoader.h"

namespace GAME {

namespace {

constexpr const char* kArmorSource = "Project\\Game\\Armor";

constexpr const char* kBodyKeys[6][3] = {
    {"armorNativeMesh", "armorNativeBumpTexture", "armorNativeBaseTexture"},
    {"armorMaleMesh", "armorMaleBumpTexture", "armorMaleBaseTexture"},
    {"armorFemaleMesh", "armorFemaleBumpTexture", "armorFemaleBaseTexture"},
    {"armorSatyrMeshName", "armorSatyrBumpTextureName", "armorSatyrBaseTextureName"},
    {"armorJackalManMeshName", "armorJackalManBumpTextureName", "armorJackalManBaseTextureName"},
    {"armorTigermanMeshName", "armorTigermanBumpTextureName", "armorTigermanBaseTextureName"},
};

// The body set of a gender: 1 male, 2 female, 3 native, 4 satyr, 5 jackal man, 6 tigerman.
int BodyIndex(int32_t gender)
{
    constexpr int indexes[] = {1, 2, 0, 3, 4, 5};
    return gender >= 1 && gender <= 6 ? indexes[gender - 1] : -1;
}

} // namespace

GAME_IMPLEMENT_CLASS(Armor, ItemEquipment);

Armor::Armor()
{
    isArmor = true;
    costEquationKey = "armorCostEquation";
}

Armor::~Armor()
{
    DestroySoundPak(blockSound, kArmorSource, 47);
    DestroySoundPak(impactSound, kArmorSource, 48);
}

void Armor::Load(const LoadTable& table)
{
    ItemEquipment::Load(table);
    DestroySoundPak(blockSound, kArmorSource, 47);
    blockSound = LoadSoundPakFromTable(table, "blockSound");
    DestroySoundPak(impactSound, kArmorSource, 48);
    impactSound = LoadSoundPakFromTable(table, "armorImpactSound");
    for (int i = 0; i < 6; ++i) {
        bodies[i].mesh = table.GetString(kBodyKeys[i][0], "");
        bodies[i].bumpTexture = table.GetString(kBodyKeys[i][1], "");
        bodies[i].baseTexture = table.GetString(kBodyKeys[i][2], "");
    }
}

void Armor::PreLoad(bool flag)
{
    ItemEquipment::PreLoad(flag);
    PreLoadSoundPak(blockSound, flag);
    PreLoadSoundPak(impactSound, flag);
}

void Armor::PlayBlockSound(const WorldCoords& position)
{
    PlaySoundPak(blockSound, position);
}

void Armor::PlayImpactSound(const WorldCoords& position)
{
    PlaySoundPak(impactSound, position);
}

void Armor::AttachItem(Character& character, const char* attachPoint)
{
    SetArmorGender(character);
    ItemEquipment::AttachItem(character, attachPoint);
}

void Armor::DetachItem(Character& character)
{
    ResetArmorGender(character);
    ItemEquipment::DetachItem(character);
}

void Armor::SetArmorGender(Character& character)
{
    const int index = BodyIndex(static_cast<int32_t>(character.GetGender()));
    static const Body none;
    const Body& body = index >= 0 ? bodies[index] : none;
    ChangeArmorMesh(body.mesh, body.baseTexture, body.bumpTexture);
}

void Armor::ResetArmorGender(Character& /*character*/)
{
    ChangeArmorMesh("", "", "");
}

void Armor::ChangeArmorMesh(const std::string& mesh, const std::string& baseTexture,
                            const std::string& bumpTexture)
{
    if (mesh.empty()) {
        RestoreMesh();
        SetBaseTexture("");
        SetBumpTexture("");
        return;
    }
    SetMesh(mesh);
    SetBaseTexture(baseTexture);
    SetBumpTexture(bumpTexture);
    ResourceLoader::Instance().EnqueueResource(mesh, true);
}

std::wstring Armor::GetGameDescription(bool /*flag*/) const
{
    return GetGameDescriptionFrom("RandomMagicalArmorFormat", "CommonArmorFormat");
}

void Armor::GetUIGameDescription(std::vector<GameTextLine>& lines) const
{
    AddNameLine("RandomMagicalArmorFormat", "CommonArmorFormat", lines);
}

void Armor::CreateUIAttributeText(std::vector<GameTextLine>& lines) const
{
    StoreText text;
    CreateStoreText(text);
    AddLines(text.defense[0], GameTextClass::ItemBaseStats, lines);
    AddSeparator(lines);
    for (const auto* list : {&text.defense[1], &text.retaliation[0], &text.retaliation[1],
                             &text.retaliation[2], &text.damage[0], &text.damage[1],
                             &text.damage[2], &text.character[0], &text.character[1], &text.skill})
        AddLines(*list, GameTextClass::ItemBonuses, lines);
    RemoveTrailingSeparator(lines);
}

} // namespace GAME
