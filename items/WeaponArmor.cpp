#include "items/WeaponArmor.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(WeaponArmor, Weapon);

WeaponArmor::~WeaponArmor() = default;

void WeaponArmor::CreateUIAttributeText(std::vector<GameTextLine>& lines) const
{
    StoreText text;
    CreateStoreText(text);
    GetUIArmorSpecificText(lines);
    AddLines(text.damage[0], GameTextClass::ItemBaseStats, lines);
    AddSeparator(lines);
    AddLines(text.defense[0], GameTextClass::ItemBaseStats, lines);
    for (const auto* list :
         {&text.defense[1], &text.damage[1], &text.damage[2], &text.retaliation[0],
          &text.retaliation[1], &text.retaliation[2], &text.character[1], &text.skill})
        AddLines(*list, GameTextClass::ItemBonuses, lines);
    RemoveTrailingSeparator(lines);
}

} // namespace GAME
