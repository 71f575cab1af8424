#pragma once

#include "engine/Name.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class GameEvent_CompleteQuestNow;
class IOStream;
class QuestStep;
class Trigger;

// One quest design read from its quest file, with the state saved per quest: a title, three
// rewards and the ordered steps. The quest completes when every step has.
class Quest {
public:
    static constexpr int32_t kMaxSteps = 256;
    static constexpr int kRewardCount = 3;

    static std::unique_ptr<Quest> Spawn(uint32_t id) { return std::make_unique<Quest>(id); }
    static void Destroy(std::unique_ptr<Quest>& quest) { quest.reset(); }
    explicit Quest(uint32_t id);
    virtual ~Quest();
    Quest(const Quest&) = delete;
    Quest& operator=(const Quest&) = delete;

    // The quest that holds the trigger, through its step; null for a loose trigger.
    static const Quest* OfTrigger(const Trigger* trigger);

    uint32_t GetId() const { return id; }
    const std::string& GetName() const { return name; }
    void SetName(const std::string& value) { name = value; }
    const std::string& GetSummaryTag() const { return summaryTag; }
    void SetSummaryTag(const std::string& value) { summaryTag = value; }
    const std::string& GetMapMarker() const { return mapMarker; }
    void SetMapMarker(const std::string& value) { mapMarker = value; }
    const std::string& GetComments() const { return comments; }
    void SetComments(const std::string& value) { comments = value; }
    uint32_t GetCRC() const { return fileChecksum; }
    void SetCRC(uint32_t crc) { fileChecksum = crc; }
    // Both register the quest for "GameEvent_CompleteQuestNow" under its handle.
    void SetHandle(const Name& handle, const std::string& file);
    void SetHandle(const std::string& file);
    const Name& GetHandle() const { return handle; }
    const std::string& GetFileName() const { return fileName; }

    bool IsActive() const { return active; }
    void SetActive() { active = true; }
    bool IsComplete() const { return complete; }
    bool IsUnsolvable() const { return unsolvable; }
    bool IsDirty() const { return dirty; }
    void SetDirty() { dirty = true; }

    // Rewards 0 to 2; another index reads "" or 0 and writes nothing.
    const char* GetRewardItemTag(int index) const;
    void SetRewardItemTag(int index, const char* tag);
    int GetRewardGold(int index) const;
    void SetRewardGold(int index, int gold);
    int GetRewardXP(int index) const;
    void SetRewardXP(int index, int experience);
    int GetRewardSkill() const { return rewardSkill; }
    void SetRewardSkill(int value) { rewardSkill = value; }
    int GetRewardAttr() const { return rewardAttr; }
    void SetRewardAttr(int value) { rewardAttr = value; }

    int32_t GetStepCount() const { return static_cast<int32_t>(steps.size()); }
    QuestStep* GetQuestStepAtIndx(int32_t index) const;
    int32_t GetIdxOfQuestStep(const QuestStep* step) const;
    // Null once the quest holds `kMaxSteps`.
    QuestStep* AddNewQuestStep();
    // Hands the step back; the quest no longer holds it.
    std::unique_ptr<QuestStep> RemoveQuestStep(QuestStep* step);
    void MoveUp(QuestStep* step);
    void MoveDown(QuestStep* step);

    void GetInformation(std::vector<std::string>& lines) const;
    void GetActiveTriggers(std::vector<Trigger*>& out) const;
    bool ContainsToken(const char* tokenName) const;
    void RemoveTokenReferences(const char* tokenName);

    void OnStepComplete(bool flagA, bool flagB);
    void OnQuestComplete(bool flagA, bool flagB);
    void ForceCompleteNow(bool flagA, bool flagB);
    void OnCompleteQuestNow(const GameEvent_CompleteQuestNow& event);
    void SetUnsolvable();
    void UpdateContainerUI(const std::string& first, const std::string& second, bool flag1,
                           bool flag2, bool flag3);
    void UpdateDialogTab(const std::string& text);

    // The quest file.
    bool Serialize(IOStream* stream);
    // The state file's quest part; reading it clears the dirty flag and marks completed, silently,
    // what the restored triggers show complete.
    bool StreamProperties(IOStream* stream);

private:
    bool SerializeSteps(IOStream* stream);
    bool AllStepsComplete() const;

    uint32_t id = 0;
    uint32_t fileChecksum = 0;
    std::string name = "New Quest";
    std::string summaryTag;
    std::string comments;
    std::string mapMarker;
    std::vector<std::unique_ptr<QuestStep>> steps;
    Name handle;
    std::string fileName;
    bool active = false;
    bool complete = false;
    bool unsolvable = false;
    bool dirty = true;
    std::string rewardItemTags[kRewardCount];
    int32_t rewardGold[kRewardCount] = {0, 0, 0};
    int32_t rewardXP[kRewardCount] = {0, 0, 0};
    int32_t rewardSkill = 0;
    int32_t rewardAttr = 0;
};

} // namespace GAME
