#include "ai/ControllerMonsterStateQuestUseSkill.h"

#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "skills/Skill.h"

#include <cstdlib>

namespace GAME {

void ControllerMonsterStateQuestUseSkill::OnBegin()
{
    const uint32_t skillId = GetCurrentSkillID();
    const Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
    if (skill != nullptr && skill->GetReason() != 0) {
        const Monster* self = GetCharacter();
        gEngine->Log(Engine::LogRuntime,
                     "Skill is not ready in ControllerMonsterStateQuestUseSkill - %s",
                     self != nullptr ? self->GetObjectName().c_str() : "");
        return;
    }
    const uint32_t targetId = GetCurrentEnemy();
    Character* target = FindCharacter(targetId);
    const WorldVec3 point = target != nullptr ? target->GetPathPosition() : GetOwnPosition();
    UseSkill(targetId, point, skillId, static_cast<uint32_t>(Platform::Rand()));
}

void ControllerMonsterStateQuestUseSkill::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SwitchTo("Idle");
}

} // namespace GAME
