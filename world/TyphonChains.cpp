#include "world/TyphonChains.h"

#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(TyphonChains, Actor);

TyphonChains::~TyphonChains() = default;

void TyphonChains::Load(const LoadTable& table)
{
    Actor::Load(table);
    dissolveEffect = table.GetString("dissolveEffect", "");
    dissolveTime = table.GetFloat("dissolveTime", 0.0f);
    dissolveTexture = table.GetString("dissolveTexture", "");
    dissolveColorR = table.GetInt("dissolveColorR", 0);
    dissolveColorG = table.GetInt("dissolveColorG", 0);
    dissolveColorB = table.GetInt("dissolveColorB", 0);
    burstFX = table.GetString("burstFX", "");
}

void TyphonChains::PlaceChainBeams()
{
    BeginDissolve(dissolveColorR, dissolveColorG, dissolveColorB, dissolveTime, dissolveTexture);
    ObjectManager& objects = ObjectManager::Instance();
    if (!dissolveEffect.empty()) {
        if (auto* effect = objects.CreateObjectFromFile<Entity>(dissolveEffect))
            Attach(effect, Coords(), "");
    }
    if (burstFX.empty())
        return;
    World* world = gEngine->GetWorld();
    for (const char* point : {"Beam1", "Beam2", "Beam3"}) {
        auto* burst = objects.CreateObjectFromFile<Entity>(burstFX);
        // A burst the world will not take would be nobody's.
        if (burst != nullptr &&
            (world == nullptr ||
             !world->AddEntity(burst, GetBeamCoords(Name::Create(point)), false)))
            objects.DestroyObjectEx(burst, __FILE__, __LINE__);
    }
}

WorldCoords TyphonChains::GetBeamCoords(const Name& point) const
{
    const Entity* parent = GetParent();
    if (parent == nullptr || GetCoords().GetRegionId() != 0)
        return GetAttachedCoords(point);
    // Attached chains have no place of their own: they hang where the giant stands.
    const WorldCoords& at = parent->GetCoords();
    return WorldCoords(at.GetRegionId(), at.GetRegionCoords() * GetAttachPointPlacement(point));
}

} // namespace GAME
