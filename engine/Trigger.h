#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class IOStream;
class TriggerAction;
class TriggerCondition;
class TriggerContainer;

// A set of conditions and the actions they release. Once all conditions hold (and the holder's
// arming callback agrees) the trigger fires: it is done for good, and each action goes to the
// holder's `FireAction` with the instigating object.
class Trigger {
public:
    using ArmingFunctor = std::function<bool()>;
    using FiredFunctor = std::function<void(Trigger*)>;
    // A trigger holds at most this many conditions and as many actions: the child's index sits
    // in the low byte of its id.
    static constexpr int32_t kMaxChildren = 256;

    static std::unique_ptr<Trigger> Spawn(uint32_t id) { return std::make_unique<Trigger>(id); }
    explicit Trigger(uint32_t id);
    ~Trigger();
    Trigger(const Trigger&) = delete;
    Trigger& operator=(const Trigger&) = delete;

    uint32_t GetId() const { return id; }
    void SetParent(TriggerContainer* container) { parent = container; }
    TriggerContainer* GetParent() const { return parent; }
    void SetDisplayTag(const std::string& tag) { displayTag = tag; }
    const std::string& GetDisplayTag() const { return displayTag; }
    // The title of the quest the trigger belongs to, for messages.
    void SetQuestName(const std::string& name) { questName = name; }
    const std::string& GetQuestName() const { return questName; }
    void SetArmingFunctor(ArmingFunctor functor) { arming = std::move(functor); }
    void SetNotifyFiredFunctor(FiredFunctor functor) { fired = std::move(functor); }

    // The design: display tag, conditions and actions created by class name.
    bool Serialize(IOStream* stream);
    // The state: done, instigator, second id and each child's own state.
    bool StreamProperties(IOStream* stream);

    // Done; with actions, each goes to the holder in order, then the fired callback runs.
    void Fire(bool runActions);
    // A loaded game replays the trigger: only actions that may fire again do, directly.
    void ReFire(uint32_t target);
    // Evaluates the conditions and fires when they all hold.
    void OnStatusChange(bool flag);
    // Whether the holder lets the trigger fire now (a quest step that is open).
    bool IsArmed() const { return !arming || arming(); }
    bool IsActive() const { return !done; }
    bool IsDone() const { return done; }
    void SetDone(bool value) { done = value; }
    uint32_t GetInstigator() const { return instigator; }
    void SetInstigator(uint32_t objectId) { instigator = objectId; }
    uint32_t GetSecondId() const { return secondId; }
    void SetSecondId(uint32_t objectId) { secondId = objectId; }
    // A design naming a class nobody registered: the trigger never fires by itself.
    bool HasUnknownClass() const { return unknownClass; }
    // The first such class, as the design names it.
    const std::string& GetUnknownClass() const { return unknownClassName; }

    bool ContainsToken(const char* name) const;
    void RemoveTokenReferences(const char* name);
    void GetQuestInformation(std::vector<std::string>& lines) const;
    TriggerAction* GetActionAtIdx(int32_t index) const;
    TriggerCondition* GetConditionAtIdx(int32_t index) const;
    int32_t GetNumActions() const { return static_cast<int32_t>(actions.size()); }
    int32_t GetNumConditions() const { return static_cast<int32_t>(conditions.size()); }
    // The editor's way in; null (and nothing added) once a list is full.
    TriggerAction* AddAction(const std::string& className);
    TriggerCondition* AddCondition(const std::string& className);

    void UpdateContainerUI(const std::string& first, const std::string& second, bool flag1,
                           bool flag2, bool flag3);
    void UpdateDialogTab(const std::string& name);
    void SetDirty();

private:
    uint32_t ChildId(size_t index) const { return (id & 0xFFFFFF00u) | uint32_t(index & 0xFFu); }
    bool SerializeConditions(IOStream* stream);
    bool SerializeActions(IOStream* stream);
    // Logs and remembers a class name that creates nothing.
    void NoteUnknownClass(const std::string& className);

    uint32_t id = 0;
    std::string displayTag;
    std::string questName;
    TriggerContainer* parent = nullptr;
    std::vector<std::unique_ptr<TriggerCondition>> conditions;
    std::vector<std::unique_ptr<TriggerAction>> actions;
    ArmingFunctor arming;
    FiredFunctor fired;
    bool done = false;
    bool unknownClass = false;
    std::string unknownClassName;
    uint32_t instigator = 0;
    uint32_t secondId = 0;
};

} // namespace GAME
