#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "skills/Skill.h"

#include <algorithm>
#include <cstdint>

namespace GAME {

namespace {

// Far above any skill tree, low enough that a hostile count cannot keep the reader busy.
constexpr int32_t kMaxStreamedSkills = 65536;

} // namespace

void SkillManager::StreamReplica(IOStream& stream, _SkillReplica& replica) const
{
    stream.BeginBlock();
    stream.StreamString("skillName", replica.skillName);
    // Stored as a plain integer; a negative one from a hostile file reads as level 0.
    int32_t level =
        static_cast<int32_t>(std::min<uint32_t>(replica.skillState.skillLevel, INT32_MAX));
    stream.StreamInt("skillLevel", level);
    replica.skillState.skillLevel = static_cast<uint32_t>(std::max(level, 0));
    stream.StreamBool("skillEnabled", replica.skillState.enabled);
    stream.StreamInt("skillSubLevel", replica.skillActiveState.subLevel);
    stream.StreamBool("skillActive", replica.skillActiveState.active);
    stream.StreamBool("skillTransition", replica.skillActiveState.transition);
    stream.EndBlock();
}

void SkillManager::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    stream->BeginBlock();
    int32_t count = 0;
    if (!stream->IsReading()) {
        for (const Skill* skill : learnedSkills)
            count += skill->GetSkillLevel() != 0 ? 1 : 0;
    }
    stream->StreamInt("max", count);
    if (stream->IsReading()) {
        if (count > kMaxStreamedSkills) {
            gEngine->Log(Engine::LogData, "SkillManager: %s: %d saved skills refused",
                         GetParentName(), count);
            count = 0;
        }
        for (int32_t i = 0; i < count && !stream->HasFailed(); ++i) {
            _SkillReplica replica;
            StreamReplica(*stream, replica);
            if (stream->HasFailed())
                break;
            // The running state is the owner's machine's to decide, not the save's.
            if (Skill* skill = FindSkill(FindSkillId(replica.skillName)))
                skill->ReceiveStateUpdate(replica.skillState, true);
        }
    } else {
        for (const Skill* skill : learnedSkills) {
            if (skill->GetSkillLevel() == 0)
                continue;
            _SkillReplica replica{skill->GetObjectName(), skill->GetSkillState(), {}};
            StreamReplica(*stream, replica);
        }
    }
    stream->StreamUInt("masteriesAllowed", masteriesAllowed);
    stream->StreamUInt("skillReclamationPointsUsed", skillReclamationPointsUsed);
    stream->EndBlock();
}

void SkillManager::GetSkillReplica(std::vector<_SkillReplica>& replicas) const
{
    for (const Skill* skill : learnedSkills) {
        if (skill->GetSkillLevel() > 0)
            replicas.push_back(
                {skill->GetObjectName(), skill->GetSkillState(), skill->GetSkillActiveState()});
    }
}

void SkillManager::SetSkillReplica(const std::vector<_SkillReplica>& replicas)
{
    for (const _SkillReplica& replica : replicas) {
        Skill* skill = FindSkill(FindSkillId(replica.skillName));
        if (skill == nullptr)
            continue;
        skill->ReceiveStateUpdate(replica.skillState, true);
        skill->ReceiveActiveUpdate(parent, replica.skillActiveState, true);
    }
}

} // namespace GAME
