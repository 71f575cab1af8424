#include "ai/ControllerMonsterStateHidden.h"

#include "characters/AnimationSet.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/Sphere.h"
#include "engine/World.h"

#include <vector>

namespace GAME {

void ControllerMonsterStateHidden::OnBegin()
{
    const Monster* self = GetCharacter();
    if (self != nullptr && self->GetPoppedOut()) {
        SwitchTo("Idle");
        return;
    }
    target = 0;
    LongIdle();
}

void ControllerMonsterStateHidden::OnUpdate(int32_t /*elapsedMs*/)
{
    if (target != 0)
        return;
    const uint32_t foe = FindClosestFoe();
    if (foe == 0)
        return;
    Monster* self = GetCharacter();
    if (self == nullptr)
        return;
    if (!(Distance(GetOwnPosition(), FindCharacter(foe)->GetPathPosition()) <
          hidden->GetAppearDistance()))
        return;
    target = foe;
    PlayAnimation(AnimationSet_Spawn, Name::Create("Spawn"), 1.0f, false, 0);
    self->SetPoppedOut(true);
}

uint32_t ControllerMonsterStateHidden::FindClosestFoe()
{
    const Monster* self = GetCharacter();
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (self == nullptr || world == nullptr)
        return 0;
    const uint32_t region = self->GetCoords().GetRegionId();
    Sphere sphere;
    if (!self->GetSpawnPoint().GetPosition().GetPositionInRegion(region, sphere.center, world))
        return 0;
    sphere.radius = GetViewDistance();
    std::vector<Character*> foes;
    hidden->GetFoesInSphere(foes, world->GetRegionById(region), sphere);
    const Character* closest = hidden->FindClosest(foes);
    return closest != nullptr ? closest->GetObjectId() : 0;
}

// The foe is looked up again: one that went meanwhile is neither taunted nor pursued.
void ControllerMonsterStateHidden::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event != end || target == 0)
        return;
    const uint32_t foe = FindCharacter(target) != nullptr ? target : 0;
    if (foe != 0)
        hidden->TauntMe(100.0f, foe);
    SwitchTo("Pursue", foe, 0, hidden->ChooseBestSkill(foe, false));
}

} // namespace GAME
