#include "skills/Skill_MeleeModifierRadius.h"

#include "characters/Character.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_MeleeModifierRadius, Skill_MeleeModifier);

Skill_MeleeModifierRadius::~Skill_MeleeModifierRadius() = default;

void Skill_MeleeModifierRadius::ActivateModifierAttack(Character& owner, uint32_t /*value*/,
                                                       const WorldVec3& /*point*/)
{
    SkillServicesBase* services = GetManager() ? GetManager()->GetSkillServices() : nullptr;
    if (!IsSkillEnabled() || services == nullptr)
        return;
    constexpr float kRadius = 3.0f;
    GameEngine& engine = GameEngine::Get();
    std::vector<uint32_t> targets;
    engine.GetTargetsInRadius(owner, owner.GetCoords().GetPosition(), kRadius, targets, 0, false);
    services->SendTargetResult(GetObjectId(), targets, owner.GetCoords(),
                               static_cast<uint32_t>(engine.GetRandomSeed()), 0, false);
}

} // namespace GAME
