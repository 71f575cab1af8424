#include "ai/ControllerMonsterStateUseSkillOnPoint.h"

#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "skills/Skill.h"

#include <cstdlib>

namespace GAME {

void ControllerMonsterStateUseSkillOnPoint::OnBegin()
{
    const uint32_t skillId = GetCurrentSkillID();
    const Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
    if (skill == nullptr || skill->GetReason() != 0) {
        SetDone(true);
        return;
    }
    UseSkill(0, GetPointOfInterest(), skillId, static_cast<uint32_t>(Platform::Rand()));
}

void ControllerMonsterStateUseSkillOnPoint::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SetDone(true);
}

} // namespace GAME
