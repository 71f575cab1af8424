#include "ai/ControllerMonsterStateUseSkillOnAlly.h"

#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "skills/Skill.h"

#include <cstdlib>

namespace GAME {

void ControllerMonsterStateUseSkillOnAlly::OnBegin()
{
    const uint32_t skillId = GetCurrentSkillID();
    const Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
    const uint32_t allyId = GetCurrentAlly();
    Character* ally = FindCharacter(allyId);
    if (skill == nullptr || skill->GetReason() != 0 || ally == nullptr) {
        SetDone(true);
        return;
    }
    UseSkill(allyId, ally->GetPathPosition(), skillId, static_cast<uint32_t>(Platform::Rand()));
}

void ControllerMonsterStateUseSkillOnAlly::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SetDone(true);
}

} // namespace GAME
