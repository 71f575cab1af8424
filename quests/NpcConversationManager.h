#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/Name.h"
#include "engine/SingletonManager.h"
#include "quests/Conversation.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class WorldVec3;

// The conversations of one pack record.
struct ConversationPak {
    Name handle;
    std::vector<std::unique_ptr<Conversation>> conversations;
    bool collision = false;
};

// Which conversation packs are loaded, and which conversations and townsfolk are free, busy or
// out of circulation. The townsfolk's controllers start and end conversations through it.
class NpcConversationManager : public Singleton {
public:
    // Made and handed to the singleton manager on first use.
    static NpcConversationManager& Get();
    ~NpcConversationManager() override;

    void GetAvailableNpcsList(std::vector<uint32_t>& out) const { out = availableNpcs; }
    // ids: one per speaker; null keeps the speakers' ids as they are.
    void OnStartConversation(Conversation* conversation, const uint32_t* actorIds,
                             const WorldVec3& centre);
    void OnEndConversation(Conversation* conversation);
    void _EnableConversationPak(const std::string& record);
    void _EnableCollisionConversationPak(const std::string& record);
    void _DisableConversationPak(const std::string& record);
    void _DiableCollisionConversationPak(const std::string& /*record*/) {}
    void _MakeEnabled(uint32_t npc);
    void _MakeDisabled(uint32_t npc);
    void Update(int /*ms*/) {}
    void UpdateConversations() {}
    void RequestCollisionConversation() {}
    void OnEnterBoundingVolume(const GameEvent_EnterBoundingVolume& /*event*/) {}
    void OnExitBoundingVolume(const GameEvent_ExitBoundingVolume& /*event*/) {}

    const std::vector<uint32_t>& GetAvailableNpcs() const { return availableNpcs; }
    const std::vector<uint32_t>& GetBusyNpcs() const { return busyNpcs; }
    const std::vector<Conversation*>& GetBusyConversations() const { return busyConversations; }
    const std::vector<Conversation*>& GetAvailableConversations() const
    {
        return availableConversations;
    }
    const std::vector<Conversation*>& GetDisabledConversations() const
    {
        return disabledConversations;
    }
    const std::vector<Conversation*>& GetCollisionConversations() const
    {
        return collisionConversations;
    }
    size_t GetPakCount() const { return paks.size(); }

private:
    NpcConversationManager();
    void EnablePak(const std::string& record, bool collision);
    // Null for an empty name or a pack not loaded.
    const ConversationPak* FindPak(const std::string& record) const;
    void Enable(Conversation* conversation, bool collision);
    void Disable(Conversation* conversation);

    std::vector<uint32_t> availableNpcs;
    std::vector<uint32_t> busyNpcs;
    std::vector<Conversation*> busyConversations;
    std::vector<Conversation*> availableConversations;
    std::vector<Conversation*> disabledConversations;
    std::vector<Conversation*> collisionConversations;
    std::vector<std::unique_ptr<ConversationPak>> paks;
    bool conversationRequested = false;
    EventHandler<NpcConversationManager, GameEvent_EnterBoundingVolume> enterListener;
    EventHandler<NpcConversationManager, GameEvent_ExitBoundingVolume> exitListener;
};

} // namespace GAME
