#include "items/ArmorMisc.h"

#include "characters/Character.h"
#include "engine/LoadTable.h"
#include "items/GarmentManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ArmorMisc, Armor);
GAME_IMPLEMENT_CLASS(ArmorMisc_Vestment, ArmorMisc);
GAME_IMPLEMENT_CLASS(ArmorMisc_Clothing, ArmorMisc);

ArmorMisc::ArmorMisc()
{
    SetKindReductions(CharAttribute_ArmorStrengthReqReduction,
                      CharAttribute_ArmorDexterityReqReduction,
                      CharAttribute_ArmorIntelligenceReqReduction);
}

void ArmorMisc::LoadGarment(const LoadTable& table, const std::string& prefix, Garment& garment)
{
    const char* bodies[3] = {"Native", "Male", "Female"};
    for (int i = 0; i < 3; ++i) {
        const std::string body = prefix + bodies[i];
        garment.mesh[i] = table.GetString((body + "Mesh").c_str(), "");
        garment.baseTexture[i] = table.GetString((body + "BaseTexture").c_str(), "");
        garment.bumpTexture[i] = table.GetString((body + "BumpTexture").c_str(), "");
    }
}

int ArmorMisc::GarmentIndex(const Character& character)
{
    const auto gender = static_cast<int32_t>(character.GetGender());
    return gender == 1 ? 1 : gender == 2 ? 2 : 0;
}

ArmorMisc_Vestment::ArmorMisc_Vestment() = default;

void ArmorMisc_Vestment::Load(const LoadTable& table)
{
    ArmorMisc::Load(table);
    LoadGarment(table, "vestment", garment);
}

void ArmorMisc_Vestment::AttachItem(Character& character, const char* /*attachPoint*/)
{
    const int i = GarmentIndex(character);
    SetVestment(character, garment.mesh[i], garment.baseTexture[i], garment.bumpTexture[i]);
    Armor::AttachItem(character, nullptr);
}

void ArmorMisc_Vestment::DetachItem(Character& character)
{
    SetVestment(character, "", "", "");
    Armor::DetachItem(character);
}

void ArmorMisc_Vestment::SetVestment(Character& character, const std::string& mesh,
                                     const std::string& baseTexture, const std::string& bumpTexture)
{
    character.GetGarmentManager().SetVestment(character, mesh, baseTexture, bumpTexture);
}

ArmorMisc_Clothing::ArmorMisc_Clothing() = default;

void ArmorMisc_Clothing::Load(const LoadTable& table)
{
    ArmorMisc::Load(table);
    LoadGarment(table, "clothing", garment);
}

void ArmorMisc_Clothing::AttachItem(Character& character, const char* attachPoint)
{
    const int i = GarmentIndex(character);
    SetClothing(character, garment.mesh[i], garment.baseTexture[i], garment.bumpTexture[i]);
    Armor::AttachItem(character, attachPoint);
}

void ArmorMisc_Clothing::DetachItem(Character& character)
{
    SetClothing(character, "", "", "");
    Armor::DetachItem(character);
}

void ArmorMisc_Clothing::SetClothing(Character& character, const std::string& mesh,
                                     const std::string& baseTexture, const std::string& bumpTexture)
{
    character.GetGarmentManager().SetClothing(character, mesh, baseTexture, bumpTexture);
}

} // namespace GAME
