#pragma once

#include "engine/TriggerAction.h"
#include "quests/QuestJournalPlace.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class ItemReplicaInfo;
class Name;
class RandomUniform;

// For a loot table record, the base, prefix and suffix names drawn from it with the generator
// (an empty base when it gave nothing); false, with the names untouched, for any other record.
bool DrawLootItemNames(const std::string& record, ItemReplicaInfo& info, RandomUniform& random);

// Three values of one property, chosen by the game difficulty (Normal, Epic, Legendary) and
// streamed under the key followed by "[0]", "[1]" and "[2]".
template <typename T> struct DifficultyTriple {
    T values[3]{};
    T& operator[](int difficulty)
    {
        return values[difficulty >= 0 && difficulty < 3 ? difficulty : 0];
    }
    bool Stream(IOStream* stream, const std::string& key);
};

// The item record per difficulty ("item[0]" to "item[2]") of the actions that hand items out.
class QuestItemRecords {
public:
    void SetItemNormal(const char* value) { item[0] = value != nullptr ? value : ""; }
    const char* GetItemNormal() const { return item.values[0].c_str(); }
    void SetItemEpic(const char* value) { item[1] = value != nullptr ? value : ""; }
    const char* GetItemEpic() const { return item.values[1].c_str(); }
    void SetItemLegendary(const char* value) { item[2] = value != nullptr ? value : ""; }
    const char* GetItemLegendary() const { return item.values[2].c_str(); }
    void GetItemRecords(std::vector<std::string>& names) const
    {
        names.insert(names.end(), item.values, item.values + 3);
    }

protected:
    // "{Bi0,i1,i2}" of the three records' bare names.
    std::string ItemValues() const;

    DifficultyTriple<std::string> item;
};

// The second base of the reward actions: shows the reward in a banner and, when the journal
// knows where and what for, records it there.
class ActionRewardInterface : public QuestJournalPlace {
public:
    virtual ~ActionRewardInterface() = default;
    virtual void AnnounceReward(const Name& quest, int32_t region, const std::string& locationTag,
                                const std::string& titleTag);
    virtual std::wstring GetRewardDescription() = 0;

    bool SerializeChildProperties(IOStream* stream) { return StreamPlace(stream); }

protected:
    // Announces for the quest that owns the action's trigger.
    void Announce(const TriggerAction& action);
    static int Difficulty();
    // The target, or the local player for 0, as a character; null when it is none.
    static Character* Receiver(uint32_t targetId);
    // "%d %s" of the amount and the tag's text.
    static std::wstring AmountText(int32_t amount, const char* tag);
};

// An amount of something given to the target character. `Give` hands it over.
class AmountRewardAction : public TriggerAction, public ActionRewardInterface {
public:
    AmountRewardAction(uint32_t id, Trigger* parent, const char* key, const char* tag);
    void Fire(uint32_t targetId, bool reFire) override;
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;
    std::wstring GetRewardDescription() override;

protected:
    virtual void Give(Character& receiver, int32_t amount) = 0;
    // "Give Player {Ba0,a1,a2}" then the suffix.
    const std::string& Describe(const char* suffix);

    DifficultyTriple<int32_t> amount;

private:
    const char* key;
    const char* tag;
};

class Action_GiveMoney : public AmountRewardAction {
public:
    Action_GiveMoney(uint32_t id, Trigger* parent)
        : AmountRewardAction(id, parent, "moneyAmount", "tagRewardGold")
    {}
    const char* GetName() const override { return "Action_GiveMoney"; }
    const std::string& GetDescription() override { return Describe(" gold"); }
    void SetMoneyAmountNormal(int32_t value) { amount[0] = value; }
    int32_t GetMoneyAmountNormal() const { return amount.values[0]; }
    void SetMoneyAmountEpic(int32_t value) { amount[1] = value; }
    int32_t GetMoneyAmountEpic() const { return amount.values[1]; }
    void SetMoneyAmountLegendary(int32_t value) { amount[2] = value; }
    int32_t GetMoneyAmountLegendary() const { return amount.values[2]; }

protected:
    void Give(Character& receiver, int32_t value) override;
};

class Action_GiveAttributePoints : public AmountRewardAction {
public:
    Action_GiveAttributePoints(uint32_t id, Trigger* parent)
        : AmountRewardAction(id, parent, "attributeAmount", "tagRewardAttribute")
    {}
    const char* GetName() const override { return "Action_GiveAttributePoints"; }
    const std::string& GetDescription() override { return Describe(" attribute points"); }
    void SetAttributePointsAmountNormal(int32_t value) { amount[0] = value; }
    int32_t GetAttributePointsAmountNormal() const { return amount.values[0]; }
    void SetAttributePointsAmountEpic(int32_t value) { amount[1] = value; }
    int32_t GetAttributePointsAmountEpic() const { return amount.values[1]; }
    void SetAttributePointsAmountLegendary(int32_t value) { amount[2] = value; }
    int32_t GetAttributePointsAmountLegendary() const { return amount.values[2]; }

protected:
    void Give(Character& receiver, int32_t value) override;
};

class Action_GiveExp : public AmountRewardAction {
public:
    Action_GiveExp(uint32_t id, Trigger* parent)
        : AmountRewardAction(id, parent, "experiencePts", "tagRewardExperience")
    {}
    const char* GetName() const override { return "Action_GiveExp"; }
    const std::string& GetDescription() override;
    void SetExpPtsNormal(int32_t value) { amount[0] = value; }
    int32_t GetExpPtsNormal() const { return amount.values[0]; }
    void SetExpPtsEpic(int32_t value) { amount[1] = value; }
    int32_t GetExpPtsEpic() const { return amount.values[1]; }
    void SetExpPtsLegendary(int32_t value) { amount[2] = value; }
    int32_t GetExpPtsLegendary() const { return amount.values[2]; }

protected:
    void Give(Character& receiver, int32_t value) override;
};

class Action_GiveSkillPoints : public AmountRewardAction {
public:
    Action_GiveSkillPoints(uint32_t id, Trigger* parent)
        : AmountRewardAction(id, parent, "skillAmount", "tagRewardSkill")
    {}
    const char* GetName() const override { return "Action_GiveSkillPoints"; }
    const std::string& GetDescription() override;
    // Nothing at all when the amount for the difficulty is 0.
    void Fire(uint32_t targetId, bool reFire) override;
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override { names.push_back(skill); }
    std::wstring GetRewardDescription() override;
    void SetSkillPointsAmountNormal(int32_t value) { amount[0] = value; }
    int32_t GetSkillPointsAmountNormal() const { return amount.values[0]; }
    void SetSkillPointsAmountEpic(int32_t value) { amount[1] = value; }
    int32_t GetSkillPointsAmountEpic() const { return amount.values[1]; }
    void SetSkillPointsAmountLegendary(int32_t value) { amount[2] = value; }
    int32_t GetSkillPointsAmountLegendary() const { return amount.values[2]; }
    void SetSkill(const char* value) { skill = value != nullptr ? value : ""; }
    const char* GetSkill() const { return skill.c_str(); }

protected:
    void Give(Character& receiver, int32_t value) override;

private:
    std::string skill;
    std::string skillDisplayName;
};

class Action_GiveItem : public TriggerAction,
                        public ActionRewardInterface,
                        public QuestItemRecords {
public:
    Action_GiveItem(uint32_t id, Trigger* parent) : TriggerAction(id, parent) {}
    void Fire(uint32_t targetId, bool reFire) override;
    const char* GetName() const override { return "Action_GiveItem"; }
    const std::string& GetDescription() override;
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;
    void GetRecordNames(std::vector<std::string>& names) const override { GetItemRecords(names); }
    std::wstring GetRewardDescription() override { return itemText; }
    uint32_t GetItemId() const { return itemId; }

private:
    uint32_t itemId = 0;
    std::wstring itemText;
};

} // namespace GAME
