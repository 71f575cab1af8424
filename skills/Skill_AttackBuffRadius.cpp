#include "skills/Skill_AttackBuffRadius.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackBuffRadius, Skill_AttackBuff);

Skill_AttackBuffRadius::Skill_AttackBuffRadius() = default;

Skill_AttackBuffRadius::~Skill_AttackBuffRadius() = default;

void Skill_AttackBuffRadius::ActivateNow(Character& owner, const Name& /*callback*/,
                                         uint32_t targetId, const WorldVec3& point)
{
    const auto* target = ObjectManager::Instance().GetObject<Character>(targetId);
    const WorldVec3 centre = target != nullptr ? target->GetCoords().GetPosition() : point;
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    SkillProfile_Modifiers modifiers;
    GetSkillModifierData(modifiers);
    std::vector<uint32_t> list;
    if (modifiers.GetTargetRadius() <= 0.0f) {
        if (targetId != 0)
            list.push_back(targetId);
    } else {
        GameEngine::Get().GetTargetsInRadius(owner.GetTeam(), centre, modifiers.GetTargetRadius(),
                                             list, 0, false);
    }
    if (list.empty())
        return;
    WorldCoords coords(centre);
    coords.ClearRotation();
    services->SendTargetResult(GetObjectId(), list, coords,
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0, false);
}

} // namespace GAME
