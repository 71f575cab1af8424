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

void ArmorMisc::Load(const LoadTable& table)
{
    Armor::Load(table);
    const char* bodies[3] = {"Native", "Male", "Female"};
    for (int i = 0; i < 3; ++i) {
        const std::string body = garmentKeyPrefix + bodies[i];
        mesh[i] = table.GetString((body + "Mesh").c_str(), "");
        baseTexture[i] = table.GetString((body + "BaseTexture").c_str(), "");
        bumpTexture[i] = table.GetString((body + "BumpTexture").c_str(), "");
    }
}

void ArmorMisc::AttachItem(Character& character, const char* attachPoint)
{
    const auto gender = static_cast<int32_t>(character.GetGender());
    const int i = gender == 1 ? 1 : gender == 2 ? 2 : 0;
    Dress(character, mesh[i], baseTexture[i], bumpTexture[i]);
    Armor::AttachItem(character, attachAtPoint ? attachPoint : nullptr);
}

void ArmorMisc::DetachItem(Character& character)
{
    Dress(character, "", "", "");
    Armor::DetachItem(character);
}

ArmorMisc_Vestment::ArmorMisc_Vestment()
{
    garmentKeyPrefix = "vestment";
    attachAtPoint = false;
}

void ArmorMisc_Vestment::SetVestment(Character& character, const std::string& mesh,
                                     const std::string& baseTexture, const std::string& bumpTexture)
{
    character.GetGarmentManager().SetVestment(character, mesh, baseTexture, bumpTexture);
}

ArmorMisc_Clothing::ArmorMisc_Clothing()
{
    garmentKeyPrefix = "clothing";
}

void ArmorMisc_Clothing::SetClothing(Character& character, const std::string& mesh,
                                     const std::string& baseTexture, const std::string& bumpTexture)
{
    character.GetGarmentManager().SetClothing(character, mesh, baseTexture, bumpTexture);
}

} // namespace GAME
