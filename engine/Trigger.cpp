#include "engine/Trigger.h"

#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/TriggerAction.h"
#include "engine/TriggerCondition.h"
#include "engine/TriggerContainer.h"
#include "engine/TriggerFactory.h"

namespace GAME {

Trigger::Trigger(uint32_t id) : id(id) {}

Trigger::~Trigger() = default;

void Trigger::NoteUnknownClass(const std::string& className)
{
    gEngine->Log(Engine::LogData, "Trigger: unknown class (%s)", className.c_str());
    if (!unknownClass)
        unknownClassName = className;
    unknownClass = true;
}

namespace {

// Whatever is asked for past the last stored value is left as it was: a failed read never
// hands back half a count.
bool StreamCount(IOStream* stream, const char* key, int32_t& count)
{
    return stream->StreamInt(key, count) && count >= 0;
}

} // namespace

bool Trigger::SerializeConditions(IOStream* stream)
{
    const bool reading = stream->IsReading();
    int32_t count = GetNumConditions();
    if (!StreamCount(stream, "numConditions", count))
        return false;
    if (reading)
        conditions.clear();
    for (int32_t i = 0; i < count && !stream->HasFailed(); ++i) {
        TriggerCondition* condition = reading ? nullptr : conditions[size_t(i)].get();
        std::string className = condition != nullptr ? condition->GetName() : "";
        bool negate = condition != nullptr && condition->GetNegate();
        bool exclusive = condition != nullptr && condition->GetExclusive();
        bool ignoreInSet = condition != nullptr && condition->GetIgnoreInSet();
        stream->BeginBlock();
        stream->StreamString("className", className);
        stream->StreamBool("negate", negate);
        stream->StreamBool("exclusive", exclusive);
        stream->StreamBool("ignoreInSet", ignoreInSet);
        if (reading && !stream->HasFailed()) {
            condition = i < kMaxChildren ? AddCondition(className) : nullptr;
            if (condition != nullptr) {
                condition->SetNegate(negate);
                condition->SetExclusive(exclusive);
                condition->SetIgnoreInSet(ignoreInSet);
            }
        }
        stream->BeginBlock();
        if (condition != nullptr)
            condition->SerializeChildProperties(stream);
        stream->EndBlock();
        stream->EndBlock();
    }
    return !stream->HasFailed();
}

bool Trigger::SerializeActions(IOStream* stream)
{
    const bool reading = stream->IsReading();
    int32_t count = GetNumActions();
    if (!StreamCount(stream, "numActions", count))
        return false;
    if (reading)
        actions.clear();
    for (int32_t i = 0; i < count && !stream->HasFailed(); ++i) {
        TriggerAction* action = reading ? nullptr : actions[size_t(i)].get();
        std::string className = action != nullptr ? action->GetName() : "";
        stream->BeginBlock();
        stream->StreamString("className", className);
        if (reading && !stream->HasFailed())
            action = i < kMaxChildren ? AddAction(className) : nullptr;
        stream->BeginBlock();
        if (action != nullptr)
            action->SerializeChildProperties(stream);
        stream->EndBlock();
        stream->EndBlock();
    }
    return !stream->HasFailed();
}

bool Trigger::Serialize(IOStream* stream)
{
    if (stream == nullptr)
        return false;
    stream->StreamString("displayTag", displayTag);
    return SerializeConditions(stream) && SerializeActions(stream);
}

bool Trigger::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return false;
    stream->StreamBool("done", done);
    stream->StreamUInt("instigator", instigator);
    stream->StreamUInt("secondId", secondId);
    for (const auto& condition : conditions) {
        bool satisfied = condition->GetSatisfied();
        stream->BeginBlock();
        if (stream->StreamBool("satisfied", satisfied) && stream->IsReading())
            condition->RestoreSatisfied(satisfied);
        stream->BeginBlock();
        condition->StreamChildProperties(stream);
        stream->EndBlock();
        stream->EndBlock();
    }
    for (const auto& action : actions) {
        stream->BeginBlock();
        action->StreamChildProperties(stream);
        stream->EndBlock();
    }
    return !stream->HasFailed();
}

void Trigger::Fire(bool runActions)
{
    done = true;
    if (runActions) {
        for (const auto& action : actions) {
            if (parent != nullptr)
                parent->FireAction(action.get(), instigator);
            else
                action->Fire(instigator, false);
        }
    }
    SetDirty();
    if (runActions && fired)
        fired(this);
}

void Trigger::ReFire(uint32_t target)
{
    done = true;
    instigator = target;
    for (const auto& action : actions) {
        if (action->CanReFire())
            action->Fire(target, true);
    }
}

void Trigger::OnStatusChange(bool)
{
    if (done || unknownClass || !IsArmed())
        return;
    bool flag = true;
    for (const auto& condition : conditions)
        condition->IsSatisfied(flag);
    if (flag)
        Fire(true);
}

bool Trigger::ContainsToken(const char* name) const
{
    for (const auto& condition : conditions) {
        if (condition->ContainsToken(name))
            return true;
    }
    for (const auto& action : actions) {
        if (action->ContainsToken(name))
            return true;
    }
    return false;
}

void Trigger::RemoveTokenReferences(const char* name)
{
    for (const auto& condition : conditions)
        condition->RemoveTokenReferences(name);
    for (const auto& action : actions)
        action->RemoveTokenReferences(name);
}

void Trigger::GetQuestInformation(std::vector<std::string>& lines) const
{
    for (const auto& condition : conditions)
        condition->GetQuestInformation(lines);
}

TriggerAction* Trigger::GetActionAtIdx(int32_t index) const
{
    return index >= 0 && index < GetNumActions() ? actions[size_t(index)].get() : nullptr;
}

TriggerCondition* Trigger::GetConditionAtIdx(int32_t index) const
{
    return index >= 0 && index < GetNumConditions() ? conditions[size_t(index)].get() : nullptr;
}

TriggerAction* Trigger::AddAction(const std::string& className)
{
    if (actions.size() >= size_t(kMaxChildren))
        return nullptr;
    std::unique_ptr<TriggerAction> action =
        TriggerActionFactory::Get().Create(className, ChildId(actions.size()));
    if (action == nullptr) {
        NoteUnknownClass(className);
        return nullptr;
    }
    action->SetParent(this);
    actions.push_back(std::move(action));
    return actions.back().get();
}

TriggerCondition* Trigger::AddCondition(const std::string& className)
{
    if (conditions.size() >= size_t(kMaxChildren))
        return nullptr;
    std::unique_ptr<TriggerCondition> condition =
        TriggerConditionFactory::Get().Create(className, ChildId(conditions.size()));
    if (condition == nullptr) {
        NoteUnknownClass(className);
        return nullptr;
    }
    condition->SetParent(this);
    conditions.push_back(std::move(condition));
    return conditions.back().get();
}

void Trigger::UpdateContainerUI(const std::string& first, const std::string& second, bool flag1,
                                bool flag2, bool flag3)
{
    if (parent != nullptr)
        parent->UpdateContainerUI(first, second, flag1, flag2, flag3);
}

void Trigger::UpdateDialogTab(const std::string& name)
{
    if (parent != nullptr)
        parent->UpdateDialogTab(name);
}

void Trigger::SetDirty()
{
    if (parent != nullptr)
        parent->SetDirty();
}

} // namespace GAME
