#include "items/OneShot_Dye.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/LoadTable.h"
#include "items/CursorHandlerOneShotUse.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_Dye, OneShot);

OneShot_Dye::OneShot_Dye()
{
    SetDirectionsTag("tagDyeDirections");
}

OneShot_Dye::~OneShot_Dye() = default;

void OneShot_Dye::Load(const LoadTable& table)
{
    OneShot::Load(table);
    maleTexture = table.GetString("maleTexture", "");
    femaleTexture = table.GetString("femaleTexture", "");
}

void OneShot_Dye::Use(Character* character)
{
    OneShot::Use(character);
    auto* player = DynamicCast<Player>(character);
    if (player == nullptr)
        return;
    const Character_Gender gender = player->GetGender();
    const std::string* texture = gender == 1   ? &maleTexture
                                 : gender == 2 ? &femaleTexture
                                               : nullptr;
    if (texture != nullptr && !texture->empty())
        player->SetPlayerTexture(*texture);
}

std::unique_ptr<CursorHandler>
OneShot_Dye::CreateSecondaryCursorHandler(const Character* /*character*/)
{
    return std::make_unique<CursorHandlerOneShotUse>();
}

} // namespace GAME
