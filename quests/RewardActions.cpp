#include "quests/RewardActions.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "core/RandomUniform.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/IOStream.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/LootBase.h"
#include "quests/GameEvent_Reward.h"
#include "quests/Quest.h"
#include "quests/QuestEvents.h"
#include "quests/QuestStep.h"
#include "quests/TriggerMarkup.h"
#include "skills/SkillManager.h"

namespace GAME {

bool DrawLootItemNames(const std::string& record, ItemReplicaInfo& info, RandomUniform& random)
{
    // Loaded here: a record nobody has read yet is not in the cache.
    const LoadTable* table = ObjectManager::Instance().GetDatabase().FindLoadTable(record);
    const std::string className = table != nullptr ? table->GetString("Class") : "";
    if (className != "LootMasterTable" && className != "LootItemTable_FixedWeight" &&
        className != "LootItemTable_DynWeight")
        return false;
    info.baseName.clear();
    if (LootBase::Handle loot = LootBase::Create(record)) {
        int depth = 0;
        loot->GetLootName(info.baseName, info.prefixName, info.suffixName, random, depth);
    }
    return true;
}

template <typename T> bool DifficultyTriple<T>::Stream(IOStream* stream, const std::string& key)
{
    bool read = true;
    for (int i = 0; i < 3; ++i) {
        const std::string indexed = key + "[" + std::to_string(i) + "]";
        if constexpr (std::is_same_v<T, std::string>)
            read = stream->StreamString(indexed, values[i]) && read;
        else
            read = stream->StreamInt(indexed, values[i]) && read;
    }
    return read;
}

template struct DifficultyTriple<int32_t>;
template struct DifficultyTriple<std::string>;

std::string QuestItemRecords::ItemValues() const
{
    return TriggerMarkup::Values({TriggerMarkup::RecordName(item.values[0]),
                                  TriggerMarkup::RecordName(item.values[1]),
                                  TriggerMarkup::RecordName(item.values[2])});
}

void ActionRewardInterface::Announce(const TriggerAction& action)
{
    const Quest* quest = Quest::OfTrigger(action.GetParent());
    AnnounceReward(quest != nullptr ? quest->GetHandle() : Name(), region, locationTag, titleTag);
}

void ActionRewardInterface::AnnounceReward(const Name& quest, int32_t rewardRegion,
                                           const std::string& location, const std::string& title)
{
    if (rewardRegion == 0)
        return;
    GameEvent_ShowTextBanner banner;
    banner.text = GetRewardDescription();
    banner.x = 160.0f;
    banner.y = 718.0f;
    banner.alpha = 0.4f;
    banner.durationMs = 3000.0f;
    EventManager::Instance().Send("GameEvent_ShowTextBanner", banner);
    if (location.empty() || title.empty())
        return;
    GameEvent_Reward reward;
    reward.simulated = false;
    reward.reward.questName = quest;
    reward.reward.region = rewardRegion;
    reward.reward.locationTag = location;
    reward.reward.titleTag = title;
    reward.reward.text = banner.text;
    EventManager::Instance().Send("GameEvent_Reward", reward);
}

int ActionRewardInterface::Difficulty()
{
    return gGameEngine != nullptr ? static_cast<int>(gGameEngine->GetGameDifficulty()) : 0;
}

Character* ActionRewardInterface::Receiver(uint32_t targetId)
{
    if (targetId == 0 && gGameEngine != nullptr)
        targetId = gGameEngine->GetPlayerId();
    return ObjectManager::Instance().GetObject<Character>(targetId);
}

std::wstring ActionRewardInterface::AmountText(int32_t amount, const char* tag)
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    return std::to_wstring(amount) + L" " + texts.Format("SimpleStringFormat", texts.Format(tag));
}

AmountRewardAction::AmountRewardAction(uint32_t id, Trigger* parent, const char* key,
                                       const char* tag)
    : TriggerAction(id, parent), key(key), tag(tag)
{}

void AmountRewardAction::Fire(uint32_t targetId, bool)
{
    Character* receiver = Receiver(targetId);
    if (receiver == nullptr)
        return;
    Give(*receiver, amount[Difficulty()]);
    Announce(*this);
}

bool AmountRewardAction::SerializeChildProperties(IOStream* stream)
{
    return amount.Stream(stream, key) && ActionRewardInterface::SerializeChildProperties(stream);
}

std::wstring AmountRewardAction::GetRewardDescription()
{
    return AmountText(amount[Difficulty()], tag);
}

const std::string& AmountRewardAction::Describe(const char* suffix)
{
    description =
        "Give Player " +
        TriggerMarkup::Values({IntToString(amount.values[0]), IntToString(amount.values[1]),
                               IntToString(amount.values[2])}) +
        suffix;
    return description;
}

void Action_GiveMoney::Give(Character& receiver, int32_t value)
{
    receiver.AddMoney(static_cast<uint32_t>(value));
}

void Action_GiveAttributePoints::Give(Character& receiver, int32_t value)
{
    receiver.AddModifierPoints(static_cast<uint32_t>(value));
}

const std::string& Action_GiveExp::GetDescription()
{
    return Describe(" Experience");
}

void Action_GiveExp::Give(Character& receiver, int32_t value)
{
    receiver.ReceiveExperience(static_cast<uint32_t>(value), false);
}

void Action_GiveSkillPoints::Fire(uint32_t targetId, bool reFire)
{
    if (amount[Difficulty()] != 0)
        AmountRewardAction::Fire(targetId, reFire);
}

void Action_GiveSkillPoints::Give(Character& receiver, int32_t value)
{
    if (!skill.empty()) {
        SkillManager& skills = receiver.GetSkillManager();
        skills.IncrementSkill(skills.FindSkillId(skill.c_str()), static_cast<uint32_t>(value));
        return;
    }
    receiver.AddToSkillPoints(static_cast<uint32_t>(value));
    GameEvent_GenericEntity skillUp;
    skillUp.objectId = receiver.GetObjectId();
    EventManager::Instance().Send("GameEvent_PlayerSkillUp", skillUp);
}

bool Action_GiveSkillPoints::SerializeChildProperties(IOStream* stream)
{
    return amount.Stream(stream, "skillAmount") && stream->StreamString("skill", skill) &&
           ActionRewardInterface::SerializeChildProperties(stream);
}

std::wstring Action_GiveSkillPoints::GetRewardDescription()
{
    if (skill.empty())
        return AmountRewardAction::GetRewardDescription();
    skillDisplayName =
        ObjectManager::Instance().GetDatabase().GetLoadTable(skill).GetString("skillDisplayName");
    const LocalizationManager& texts = LocalizationManager::Instance();
    return texts.Format("SimpleStringFormat", texts.Format(skillDisplayName));
}

const std::string& Action_GiveSkillPoints::GetDescription()
{
    Describe(" skill points");
    if (!skill.empty())
        description += " to " + TriggerMarkup::Record(skill);
    return description;
}

void Action_GiveItem::Fire(uint32_t targetId, bool)
{
    const std::string& record = item[Difficulty()];
    if (record.empty())
        return;
    // The item lands at the receiver's feet, else the local player's; with neither there is
    // nowhere to put it.
    if (targetId == 0 && gGameEngine != nullptr)
        targetId = gGameEngine->GetPlayerId();
    const Entity* receiver = ObjectManager::Instance().GetObject<Entity>(targetId);
    if (receiver == nullptr && gGameEngine != nullptr)
        receiver = gGameEngine->GetMainPlayer();
    if (receiver == nullptr || gGameEngine == nullptr) {
        gEngine->Log(Engine::LogRuntime, "Action_GiveItem: nobody to receive item (%s)",
                     record.c_str());
        return;
    }
    RandomUniform& random = gGameEngine->GetRandomGen();
    ItemReplicaInfo info;
    info.baseName = record;
    DrawLootItemNames(record, info, random);
    info.id = ObjectManager::Instance().CreateObjectID();
    info.seed = static_cast<uint32_t>(random.IGenerate(0, 10000));
    itemId = info.id;
    // Under an id of its own: the destroyed one goes at the end of the frame, and the real item
    // takes the record's id now.
    ItemReplicaInfo sample = info;
    sample.id = 0;
    if (Item* temporary = Item::CreateItem(sample)) {
        itemText = temporary->GetGameDescription(false);
        ObjectManager::Instance().DestroyObjectEx(temporary, "Quests/Action_GiveItem", 1);
    }
    gGameEngine->CreateItemForCharacter(targetId, receiver->GetCoords(), info, nullptr);
    Announce(*this);
}

const std::string& Action_GiveItem::GetDescription()
{
    description = "Give Player Item " + ItemValues();
    return description;
}

bool Action_GiveItem::SerializeChildProperties(IOStream* stream)
{
    return item.Stream(stream, "item") && ActionRewardInterface::SerializeChildProperties(stream);
}

} // namespace GAME
