#include "ai/ControllerMonsterStateDying.h"

#include "characters/CharacterConfigCommands.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "skills/Skill.h"

#include <cstdlib>
#include <memory>

namespace GAME {

void ControllerMonsterStateDying::OnBegin()
{
    Monster* self = GetCharacter();
    if (self != nullptr && self->IsAlive())
        Die();
    GetController()->CreateDropMiscItems();
    const uint32_t dyingSkill = GetController()->GetDyingSkillId();
    const Skill* skill =
        dyingSkill != 0 ? ObjectManager::Instance().GetObject<Skill>(dyingSkill) : nullptr;
    if (self == nullptr || skill == nullptr || skill->GetReason() != 0)
        return;
    const WorldVec3 position = self->GetPathPosition();
    UseSkill(0, position, dyingSkill, static_cast<uint32_t>(Platform::Rand()));
    self->Enqueue(std::make_unique<ActivateSkillConfigCmd>(
        self->GetObjectId(), self->GetSkillReferenceNumber(dyingSkill), 0, position));
}

} // namespace GAME
