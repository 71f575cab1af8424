#include "world/BandariTeleportPoint.h"

#include "engine/EditorFilter.h"
#include "engine/Engine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(BandariTeleportPoint, Actor);

BandariTeleportPoint::BandariTeleportPoint()
{
    if (gEngine == nullptr || !gEngine->IsLevelEditor())
        SetVisibility(false);
}

BandariTeleportPoint::~BandariTeleportPoint() = default;

void BandariTeleportPoint::InitialUpdate()
{
    Actor::InitialUpdate();
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().AddFilterObject(GetObjectId(), kEditorFilterType);
}

} // namespace GAME
