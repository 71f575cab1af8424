#include "quests/QuestNetMsg.h"

namespace GAME {

namespace {

// The words from `first` on, as many as `count`, or false when the list holds fewer.
bool HasWords(const std::vector<uint32_t>& words, uint64_t first, uint64_t count)
{
    return first + count <= words.size();
}

} // namespace

void QuestNetMsg::WriteWords(std::vector<uint32_t>& words) const
{
    words.push_back(type);
    words.push_back(conditionId);
    words.push_back(sender);
}

size_t QuestNetMsg::ReadWords(const std::vector<uint32_t>& words)
{
    if (!HasWords(words, 0, kHeaderWords))
        return 0;
    type = words[0];
    conditionId = words[1];
    sender = words[2];
    return kHeaderWords;
}

std::unique_ptr<QuestNetMsg> QuestNetMsg::Clone() const
{
    return std::make_unique<QuestNetMsg>(*this);
}

std::unique_ptr<QuestNetMsg> QuestNetMsg::Create(uint32_t type)
{
    std::unique_ptr<QuestNetMsg> message;
    switch (type) {
    case ConditionSatisfied:
    case RequestClientData:
        message = std::make_unique<QuestNetMsg>();
        break;
    case KillCreature:
    case KillCreatureHerd:
        message = std::make_unique<QuestNetMsg_Kill>();
        break;
    case KillAllCreaturesFromProxy:
        message = std::make_unique<QuestNetMsg_KillAllCreaturesFromProxy>();
        break;
    case ConversationStart:
        message = std::make_unique<QuestNetMsg_ConversationStart>();
        break;
    case ProxySpawn:
        message = std::make_unique<QuestNetMsg_ProxySpawn>();
        break;
    default:
        return nullptr;
    }
    message->type = type;
    return message;
}

void QuestNetMsg_ProxySpawn::WriteWords(std::vector<uint32_t>& words) const
{
    QuestNetMsg::WriteWords(words);
    words.push_back(nameIndex);
    words.push_back(uint32_t(primaryObjects.size()));
    words.insert(words.end(), primaryObjects.begin(), primaryObjects.end());
    words.push_back(uint32_t(accessoryObjects.size()));
    words.insert(words.end(), accessoryObjects.begin(), accessoryObjects.end());
}

size_t QuestNetMsg_ProxySpawn::ReadWords(const std::vector<uint32_t>& words)
{
    primaryObjects.clear();
    accessoryObjects.clear();
    // Counts come from another machine: both lists and the second count must lie inside the
    // words before anything is copied, summed in 64 bits so no count wraps the test.
    if (!HasWords(words, 0, 5))
        return 0;
    const uint64_t countA = words[4];
    if (!HasWords(words, 5, countA + 1))
        return 0;
    const uint64_t countB = words[5 + countA];
    if (!HasWords(words, 5 + countA + 1, countB))
        return 0;
    QuestNetMsg::ReadWords(words);
    nameIndex = words[3];
    const auto firstA = words.begin() + 5;
    primaryObjects.assign(firstA, firstA + std::ptrdiff_t(countA));
    const auto firstB = firstA + std::ptrdiff_t(countA) + 1;
    accessoryObjects.assign(firstB, firstB + std::ptrdiff_t(countB));
    return size_t(5 + countA + 1 + countB);
}

std::unique_ptr<QuestNetMsg> QuestNetMsg_ProxySpawn::Clone() const
{
    return std::make_unique<QuestNetMsg_ProxySpawn>(*this);
}

} // namespace GAME
