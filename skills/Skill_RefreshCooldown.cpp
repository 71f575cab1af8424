#include "skills/Skill_RefreshCooldown.h"

#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_RefreshCooldown, SkillActivated);

Skill_RefreshCooldown::Skill_RefreshCooldown()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
}

Skill_RefreshCooldown::~Skill_RefreshCooldown() = default;

void Skill_RefreshCooldown::ActivateNow(Character& owner, const Name& /*callback*/,
                                        uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    PlayHitSound(owner.GetCoords().GetPosition());
    CreateTargetFx(owner.GetCoords());
    if (SkillManagerBase* manager = GetManager())
        manager->RefreshCooldown();
    if (SkillServicesBase* services = ServicesOf(*this))
        services->SendTargetResult(GetObjectId(), {owner.GetObjectId()}, owner.GetCoords(),
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                   false);
}

} // namespace GAME
