#include "quests/Conversation.h"

#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "core/RandomHelpers.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "quests/NpcConversationManager.h"

#include <array>

namespace GAME {

namespace {

constexpr float kCenterOnFirstSpeakerChance = 0.8f;

ControllerAI* SpeakerController(uint32_t objectId)
{
    ObjectManager& objects = ObjectManager::Instance();
    const Character* character = objects.GetObject<Character>(objectId);
    return character != nullptr ? objects.GetObject<ControllerAI>(character->GetControllerId())
                                : nullptr;
}

} // namespace

void Conversation::Load(const LoadTable& table)
{
    speakers.clear();
    speechOrder.clear();
    // Lines name speakers by number; the records are laid out by number once all are read.
    std::array<Speaker, kMaxSpeakers> byNumber;
    std::array<bool, kMaxSpeakers> used{};
    std::vector<int> orderByNumber;
    for (int n = 1; n <= kMaxLines; ++n) {
        const std::string number = std::to_string(n);
        const std::string tag = table.GetString(("dialogTag" + number).c_str());
        const int32_t speaker = table.GetInt(("dialogSpeaker" + number).c_str());
        if (tag.empty() || speaker < 1 || speaker > kMaxSpeakers)
            continue;
        used[speaker - 1] = true;
        byNumber[speaker - 1].lines.push_back(tag);
        orderByNumber.push_back(speaker - 1);
    }
    std::array<uint32_t, kMaxSpeakers> indexOf{};
    for (int s = 0; s < kMaxSpeakers; ++s) {
        if (!used[s])
            continue;
        indexOf[s] = static_cast<uint32_t>(speakers.size());
        speakers.push_back(std::move(byNumber[s]));
    }
    for (const int s : orderByNumber)
        speechOrder.push_back(indexOf[s]);
}

void Conversation::SetConversationActors(const uint32_t* ids)
{
    if (ids == nullptr)
        return;
    for (size_t i = 0; i < speakers.size(); ++i)
        speakers[i].objectId = ids[i];
}

void Conversation::GetConversationActors(std::vector<uint32_t>& ids) const
{
    for (const Speaker& speaker : speakers)
        ids.push_back(speaker.objectId);
}

bool Conversation::GetNextSpeakerAndSpeech(uint32_t& speaker, std::string& tag)
{
    speaker = 0;
    tag.clear();
    const uint32_t line = nextLine;
    if (nextLine < speechOrder.size())
        ++nextLine;
    if (line >= speechOrder.size())
        return false;
    Speaker& record = speakers[speechOrder[line]];
    speaker = record.objectId;
    if (record.nextLine < record.lines.size())
        tag = record.lines[record.nextLine++];
    return true;
}

WorldCoords Conversation::GetCenterPoint() const
{
    if (centerOnFirstSpeaker && !speakers.empty()) {
        if (const Character* first =
                ObjectManager::Instance().GetObject<Character>(speakers.front().objectId))
            return first->GetCoords();
    }
    return centerPoint;
}

void Conversation::OnBeginConverse()
{
    nextLine = 0;
    centerOnFirstSpeaker = RandomFloat(0.0f, 1.0f) <= kCenterOnFirstSpeakerChance;
    for (Speaker& speaker : speakers)
        speaker.nextLine = 0;
    const WorldVec3 centre = GetCenterPoint().GetPosition();
    for (const Speaker& speaker : speakers)
        if (ControllerAI* controller = SpeakerController(speaker.objectId))
            controller->RequestSidelineConversation(centre);
    GameEvent_StartSidelineConversation event;
    event.conversation = this;
    EventManager::Instance().Send("GameEvent_StartSidelineConversation", event);
}

void Conversation::OnEndConverse()
{
    for (const Speaker& speaker : speakers)
        if (ControllerAI* controller = SpeakerController(speaker.objectId))
            controller->NotifySidelineConversationEnd();
    NpcConversationManager::Get().OnEndConversation(this);
}

} // namespace GAME
