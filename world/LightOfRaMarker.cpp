#include "world/LightOfRaMarker.h"

#include "engine/Engine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LightOfRaMarker, Actor);

LightOfRaMarker::LightOfRaMarker()
{
    if (!gEngine->IsLevelEditor())
        SetVisibility(false);
}

LightOfRaMarker::~LightOfRaMarker() = default;

} // namespace GAME
