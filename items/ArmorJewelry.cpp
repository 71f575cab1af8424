#include "items/ArmorJewelry.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ArmorJewelry, Armor);
GAME_IMPLEMENT_CLASS(ArmorJewelry_Ring, ArmorJewelry);
GAME_IMPLEMENT_CLASS(ArmorJewelry_Bracelet, ArmorJewelry);
GAME_IMPLEMENT_CLASS(ArmorJewelry_Amulet, ArmorJewelry);

ArmorJewelry::ArmorJewelry()
{
    costEquationKey = "jewelryCostEquation";
    SetKindReductions(CharAttribute_JewelryStrengthReqReduction,
                      CharAttribute_JewelryDexterityReqReduction,
                      CharAttribute_JewelryIntelligenceReqReduction);
}

ArmorJewelry_Ring::ArmorJewelry_Ring()
{
    SetRequirementEquationKeys("ring");
}

ArmorJewelry_Bracelet::ArmorJewelry_Bracelet()
{
    SetRequirementEquationKeys("bracelet");
}

ArmorJewelry_Amulet::ArmorJewelry_Amulet()
{
    SetRequirementEquationKeys("amulet");
}

} // namespace GAME
