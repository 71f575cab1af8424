#include "world/AreaOfInterest.h"

#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "game/MinimapGameNugget.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(AreaOfInterest, Actor);

namespace {

bool InEditor()
{
    return gEngine != nullptr && gEngine->IsLevelEditor();
}

} // namespace

AreaOfInterest::AreaOfInterest()
{
    if (!InEditor())
        SetVisibility(false);
}

AreaOfInterest::~AreaOfInterest() = default;

void AreaOfInterest::Load(const LoadTable& table)
{
    Actor::Load(table);
    radius = table.GetFloat("radius", 1.0f);
    areaDescription = table.GetString("AreaDescription", "");
    SetTintColor(Color(1.0f, 0.25f, 0.5f, 1.0f));
}

void AreaOfInterest::InitialUpdate()
{
    Actor::InitialUpdate();
    if (InEditor())
        SetScale(radius);
}

void AreaOfInterest::AppendDetailMapData(std::vector<MinimapGameNugget>& list) const
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    MinimapGameNugget nugget;
    nugget.type = kNuggetType;
    nugget.text = texts.Format("SimpleStringFormat", texts.Format(areaDescription));
    nugget.position = GetCoords().GetPosition();
    nugget.facing = GetCoords().GetRegionCoords().forward;
    list.push_back(std::move(nugget));
}

} // namespace GAME
