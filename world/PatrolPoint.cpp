#include "world/PatrolPoint.h"

#include "engine/EditorFilter.h"
#include "engine/Engine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(PatrolPoint, Actor);

namespace {
constexpr int32_t kPatrolPointFilterType = 5;
} // namespace

PatrolPoint::PatrolPoint()
{
    SetVisibility(false);
}

PatrolPoint::~PatrolPoint()
{
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().RemoveFilterObject(GetObjectId());
}

void PatrolPoint::InitialUpdate()
{
    Actor::InitialUpdate();
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().AddFilterObject(GetObjectId(), kPatrolPointFilterType);
}

} // namespace GAME
