#include "host/QuestOrders.h"

#include "ai/ControllerAI.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/WorldVec3.h"
#include "host/HostSamples.h"
#include "host/OrderScript.h"
#include "host/ScriptCast.h"
#include "host/ShownName.h"
#include "skills/SkillManager.h"

#include <ostream>

namespace GAME {

bool QuestOrders::Give(const ScriptOrder& order, const ScriptCast& roster, uint32_t region)
{
    ObjectManager& objects = ObjectManager::Instance();
    Character* who = objects.GetObject<Character>(roster.IdOf(order.name));
    if (who == nullptr)
        return false;
    const WorldVec3 point(region, Vec3(order.x, 0.0f, order.z));
    switch (order.quest) {
    case ScriptOrder::Quest::Move:
        who->QuestCommandMove(0, point, false);
        return true;
    case ScriptOrder::Quest::Walk:
        who->QuestCommandWalk(0, point, false);
        return true;
    case ScriptOrder::Quest::Anim:
        who->QuestCommandPlayAnimation(AnimationSet::GetAnimTextAsType(order.animation), order.loop,
                                       false);
        return true;
    case ScriptOrder::Quest::Skill: {
        const uint32_t target = order.target.empty() ? 0 : roster.IdOf(order.target);
        if ((!order.target.empty() && objects.GetObject<Character>(target) == nullptr) ||
            who->GetSkillManager().FindSkillId(order.record) == 0)
            return false;
        who->QuestCommandUseSkill(order.record, target, false);
        return true;
    }
    case ScriptOrder::Quest::Wake: {
        ControllerAI* controller = objects.GetObject<ControllerAI>(who->GetControllerId());
        if (controller == nullptr)
            return false;
        controller->WakeUp(roster.IdOf("Hero"));
        return true;
    }
    }
    return false;
}

void QuestOrders::Report(std::ostream& out, const ScriptOrder& order, const ScriptCast& roster,
                         uint32_t region)
{
    out << "  frame " << order.frame << ": quest @" << ShownName(order.name) << ' ';
    switch (order.quest) {
    case ScriptOrder::Quest::Move:
    case ScriptOrder::Quest::Walk:
        out << (order.quest == ScriptOrder::Quest::Move ? "move " : "walk ")
            << HostSamples::TwoDecimals(order.x) << ',' << HostSamples::TwoDecimals(order.z);
        break;
    case ScriptOrder::Quest::Anim:
        out << "anim " << ShownName(order.animation) << (order.loop ? " loop" : "");
        break;
    case ScriptOrder::Quest::Skill:
        out << "skill " << ShownName(order.record)
            << (order.target.empty() ? "" : " @" + ShownName(order.target));
        break;
    case ScriptOrder::Quest::Wake:
        out << "wake";
        break;
    }
    out << " -> " << (Give(order, roster, region) ? "true" : "false") << '\n';
}

} // namespace GAME
