#include "items/ArmorProtective.h"

#include "characters/Character.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ArmorProtective, Armor);
GAME_IMPLEMENT_CLASS(ArmorProtective_Head, ArmorProtective);
GAME_IMPLEMENT_CLASS(ArmorProtective_UpperBody, ArmorProtective);
GAME_IMPLEMENT_CLASS(ArmorProtective_LowerBody, ArmorProtective);
GAME_IMPLEMENT_CLASS(ArmorProtective_Forearm, ArmorProtective);

ArmorProtective::ArmorProtective()
{
    SetKindReductions(CharAttribute_ArmorStrengthReqReduction,
                      CharAttribute_ArmorDexterityReqReduction,
                      CharAttribute_ArmorIntelligenceReqReduction);
}

ArmorProtective_Head::ArmorProtective_Head()
{
    SetRequirementEquationKeys("head");
    bodyRegion = 2;
}

ArmorProtective_UpperBody::ArmorProtective_UpperBody()
{
    SetRequirementEquationKeys("upperBody");
    bodyRegion = 3;
}

ArmorProtective_LowerBody::ArmorProtective_LowerBody()
{
    SetRequirementEquationKeys("lowerBody");
    bodyRegion = 5;
}

ArmorProtective_Forearm::ArmorProtective_Forearm()
{
    SetRequirementEquationKeys("forearm");
    bodyRegion = 4;
    if (gGameEngine != nullptr)
        idleAnimationName = gGameEngine->GetItemForearmAnimationName();
}

void ArmorProtective_UpperBody::SetArmorGender(Character& character)
{
    Armor::SetArmorGender(character);
    character.SetBreastSupport(1.0f);
}

void ArmorProtective_UpperBody::ResetArmorGender(Character& character)
{
    Armor::ResetArmorGender(character);
    character.SetBreastSupport(0.0f);
}

} // namespace GAME
