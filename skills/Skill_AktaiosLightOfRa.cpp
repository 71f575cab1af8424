#include "skills/Skill_AktaiosLightOfRa.h"

#include "game/GameEngine.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"
#include "world/LightOfRaMarker.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AktaiosLightOfRa, SkillActivated);

Skill_AktaiosLightOfRa::~Skill_AktaiosLightOfRa() = default;

void Skill_AktaiosLightOfRa::ActivateNow(Character& owner, const Name& /*callback*/,
                                         uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (services == nullptr)
        return;
    bool first = true;
    for (LightOfRaMarker* marker :
         NearbyOfKind<LightOfRaMarker>(owner.GetPathPosition(), kMarkerRange)) {
        if (!first)
            services->ClearHitIteration();
        first = false;
        services->SendCreateProjectile(GetObjectId(), marker->GetCoords(), 0,
                                       marker->GetCoords().GetPosition(),
                                       static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0);
    }
}

} // namespace GAME
