#include "world/LightAnchor.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LightAnchor, Light);

LightAnchor::LightAnchor()
{
    SetType(0);
    SetColor(Color(0.28f, 0.28f, 1.96f, 1.0f));
    SetRadius(20.0f);
}

LightAnchor::~LightAnchor() = default;

} // namespace GAME
