#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "core/SavedRange.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "skills/Skill.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace GAME {

namespace {

// Far above any skill tree, low enough that a hostile count cannot keep the reader busy.
constexpr int32_t kMaxStreamedSkills = 65536;

// The least a replicated skill and buff can take on the wire, so a hostile count cannot make
// the reader reserve more than the packet could hold.
constexpr size_t kMinimumSkillBytes = 4 + 8 + 8;
constexpr size_t kMinimumBuffBytes = 3 * kMinimumSkillBytes + 4;

void WriteSkill(NetPacketOutBuffer& out, const SkillManager::_SkillReplica& skill)
{
    out.AddFileName(skill.skillName);
    out.AddRaw(skill.skillState.ToRaw());
    out.AddRaw(skill.skillActiveState.ToRaw());
}

bool ReadSkill(NetPacketInBuffer& in, SkillManager::_SkillReplica& skill)
{
    std::array<uint8_t, 8> state{};
    std::array<uint8_t, 8> activeState{};
    if (!in.Remove(skill.skillName) || !in.RemoveRaw(state) || !in.RemoveRaw(activeState))
        return false;
    skill.skillState = SkillState::FromRaw(state);
    skill.skillActiveState = SkillActiveState::FromRaw(activeState);
    return true;
}

} // namespace

void SkillManager::WriteReplicaLists(NetPacketOutBuffer& out,
                                     const std::vector<_SkillReplica>& skills,
                                     const std::vector<_SkillBuffReplica>& buffs)
{
    out.AddUInt(static_cast<uint32_t>(skills.size()));
    for (const _SkillReplica& skill : skills)
        WriteSkill(out, skill);
    out.AddUInt(static_cast<uint32_t>(buffs.size()));
    for (const _SkillBuffReplica& buff : buffs) {
        WriteSkill(out, buff.buff);
        WriteSkill(out, buff.modifier1);
        WriteSkill(out, buff.modifier2);
        out.AddUInt(buff.casterId);
    }
}

bool SkillManager::ReadReplicaLists(NetPacketInBuffer& in, std::vector<_SkillReplica>& skills,
                                    std::vector<_SkillBuffReplica>& buffs)
{
    return in.RemoveList(skills, kMinimumSkillBytes, [&](_SkillReplica& skill) {
        return ReadSkill(in, skill);
    }) && in.RemoveList(buffs, kMinimumBuffBytes, [&](_SkillBuffReplica& buff) {
        return ReadSkill(in, buff.buff) && ReadSkill(in, buff.modifier1) &&
               ReadSkill(in, buff.modifier2) && in.RemoveUInt(buff.casterId);
    });
}

int32_t SkillManager::StreamReplica(IOStream& stream, _SkillReplica& replica) const
{
    stream.BeginBlock();
    stream.StreamString("skillName", replica.skillName);
    int32_t level =
        static_cast<int32_t>(std::min<uint32_t>(replica.skillState.skillLevel, INT32_MAX));
    stream.StreamInt("skillLevel", level);
    stream.StreamBool("skillEnabled", replica.skillState.enabled);
    stream.StreamInt("skillSubLevel", replica.skillActiveState.subLevel);
    stream.StreamBool("skillActive", replica.skillActiveState.active);
    stream.StreamBool("skillTransition", replica.skillActiveState.transition);
    stream.EndBlock();
    return level;
}

bool SkillManager::IsSaved(const Skill& skill) const
{
    return skill.GetSkillLevel() != 0 || std::find(savedAtLevelZero.begin(), savedAtLevelZero.end(),
                                                   skill.GetObjectId()) != savedAtLevelZero.end();
}

void SkillManager::ReadSavedSkill(_SkillReplica& replica, int32_t savedLevel)
{
    Skill* skill = FindSkill(FindSkillId(replica.skillName));
    if (skill == nullptr) {
        passedOverSkills.push_back(replica.skillName);
        return;
    }
    // A profile that failed to load gives no top to hold a level at. The default attacks are
    // never below 1: at 0 the hero could not strike at all.
    const uint32_t top = skill->GetUltimateLevel();
    const uint32_t id = skill->GetObjectId();
    const int64_t least = id == defaultSkillId || id == defaultWPSkillId ? 1 : 0;
    const std::string field = "skill '" + replica.skillName + "' level";
    replica.skillState.skillLevel = static_cast<uint32_t>(HoldInSavedRange(
        "SkillManager", field.c_str(), savedLevel, least, top != 0 ? top : INT32_MAX));
    // The running state is the owner's machine's to decide, not the save's.
    skill->ReceiveStateUpdate(replica.skillState, true);
    // Saved so, it is saved so again: no name the save holds is lost.
    if (!IsSaved(*skill))
        savedAtLevelZero.push_back(skill->GetObjectId());
}

void SkillManager::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    stream->BeginBlock();
    int32_t count = 0;
    if (!stream->IsReading()) {
        for (const Skill* skill : learnedSkills)
            count += IsSaved(*skill) ? 1 : 0;
    }
    stream->StreamInt("max", count);
    if (stream->IsReading()) {
        passedOverSkills.clear();
        savedAtLevelZero.clear();
        if (count < 0 || count > kMaxStreamedSkills) {
            gEngine->Log(Engine::LogData, "SkillManager: %s: %d saved skills refused",
                         GetParentName(), count);
            // Read as none, the hero would be saved again without his skills.
            stream->Refuse("is damaged: it names " + std::to_string(count) +
                           " skills, outside 0 to " + std::to_string(kMaxStreamedSkills));
            return;
        }
        for (int32_t i = 0; i < count && !stream->HasFailed(); ++i) {
            _SkillReplica replica;
            const int32_t savedLevel = StreamReplica(*stream, replica);
            if (!stream->HasFailed())
                ReadSavedSkill(replica, savedLevel);
        }
        // One line however many: a hostile save may name thousands.
        if (!passedOverSkills.empty())
            gEngine->Log(Engine::LogData,
                         "SkillManager: %s: saved skills it does not hold passed over: %zu, the "
                         "first %s",
                         GetParentName(), passedOverSkills.size(),
                         passedOverSkills.front().c_str());
    } else {
        for (const Skill* skill : learnedSkills) {
            if (!IsSaved(*skill))
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
    std::vector<Skill*> skills;
    FindReplicaSkills(replicas, skills);
    for (size_t i = 0; i < replicas.size(); ++i) {
        if (skills[i] == nullptr)
            continue;
        skills[i]->ReceiveStateUpdate(replicas[i].skillState, true);
        skills[i]->ReceiveActiveUpdate(parent, replicas[i].skillActiveState, true);
    }
}

} // namespace GAME
