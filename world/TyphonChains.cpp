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
        if (burst != nullptr && world != nullptr)
            world->AddEntity(burst, GetAttachedCoords(Name::Create(point)), false);
    }
}

} // namespace GAME
