#pragma once

#include "engine/GameEvent.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;

// A short scripted exchange among up to four townsfolk, read from a conversation record: who
// says which line, in speaking order.
class Conversation {
public:
    static constexpr int kMaxLines = 20;
    static constexpr int kMaxSpeakers = 4;

    struct Speaker {
        uint32_t objectId = 0;
        std::vector<std::string> lines;
        uint32_t nextLine = 0;
    };

    void Load(const LoadTable& table);
    size_t GetNumberOfConversationalists() const { return speakers.size(); }
    // One id per speaker, in speaker order; null assigns nothing.
    void SetConversationActors(const uint32_t* ids);
    // Appends the speakers' ids.
    void GetConversationActors(std::vector<uint32_t>& ids) const;
    // The next line's speaker and tag, false past the last line; moves on either way.
    bool GetNextSpeakerAndSpeech(uint32_t& speaker, std::string& tag);
    void SetCenterPoint(const WorldCoords& point) { centerPoint = point; }
    // The first speaker's place when the conversation gathers round it.
    WorldCoords GetCenterPoint() const;
    void SetPendingDisable(bool value) { pendingDisable = value; }
    bool IsPendingDisable() const { return pendingDisable; }
    // Calls the speakers together and tells the world the conversation began.
    void OnBeginConverse();
    // Releases the speakers and hands the conversation back to the manager.
    void OnEndConverse();
    void Update(int /*ms*/) {}

    const std::vector<Speaker>& GetSpeakers() const { return speakers; }
    bool IsCenteredOnFirstSpeaker() const { return centerOnFirstSpeaker; }

private:
    std::vector<Speaker> speakers;
    // Indexes into the speakers, so that a copy speaks with its own speakers.
    std::vector<uint32_t> speechOrder;
    uint32_t nextLine = 0;
    WorldCoords centerPoint;
    bool pendingDisable = false;
    bool centerOnFirstSpeaker = false;
};

// "GameEvent_StartSidelineConversation": the conversation whose speakers were called together.
class GameEvent_StartSidelineConversation : public GameEvent {
public:
    Conversation* conversation = nullptr;
};

} // namespace GAME
