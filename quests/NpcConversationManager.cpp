#include "quests/NpcConversationManager.h"

#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/WorldVec3.h"

#include <algorithm>

namespace GAME {

namespace {

NpcConversationManager* instance = nullptr;

template <typename T> bool ListContains(const std::vector<T>& list, const T& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// False when the item was not there.
template <typename T> bool Remove(std::vector<T>& list, const T& item)
{
    const auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

template <typename T> void AddOnce(std::vector<T>& list, const T& item)
{
    if (!ListContains(list, item))
        list.push_back(item);
}

} // namespace

NpcConversationManager& NpcConversationManager::Get()
{
    if (instance == nullptr) {
        instance = new NpcConversationManager;
        SingletonManager::Instance().Register(std::unique_ptr<Singleton>(instance));
    }
    return *instance;
}

NpcConversationManager::NpcConversationManager()
    : enterListener("GameEvent_EnterBoundingVolume", &NpcConversationManager::OnEnterBoundingVolume,
                    this),
      exitListener("GameEvent_ExitBoundingVolume", &NpcConversationManager::OnExitBoundingVolume,
                   this)
{}

NpcConversationManager::~NpcConversationManager()
{
    instance = nullptr;
    // Destroyed by the singleton manager, which has already let go of it.
    SingletonManager::Instance().Unregister(this).release();
}

void NpcConversationManager::OnStartConversation(Conversation* conversation,
                                                 const uint32_t* actorIds, const WorldVec3& centre)
{
    if (conversation == nullptr)
        return;
    conversation->SetConversationActors(actorIds);
    conversation->SetCenterPoint(WorldCoords(centre));
    std::vector<uint32_t> speakers;
    conversation->GetConversationActors(speakers);
    for (const uint32_t npc : speakers) {
        if (npc == 0)
            continue;
        Remove(availableNpcs, npc);
        AddOnce(busyNpcs, npc);
    }
    Remove(availableConversations, conversation);
    AddOnce(busyConversations, conversation);
    conversation->OnBeginConverse();
    conversationRequested = false;
}

void NpcConversationManager::OnEndConversation(Conversation* conversation)
{
    if (conversation == nullptr)
        return;
    std::vector<uint32_t> speakers;
    conversation->GetConversationActors(speakers);
    for (const uint32_t npc : speakers)
        if (Remove(busyNpcs, npc))
            AddOnce(availableNpcs, npc);
    // Ending one that is not running would bring a disabled one back.
    if (!Remove(busyConversations, conversation))
        return;
    if (conversation->IsPendingDisable()) {
        // It was set aside while it ran; now it simply stays out of circulation.
        conversation->SetPendingDisable(false);
        AddOnce(disabledConversations, conversation);
    } else {
        AddOnce(availableConversations, conversation);
    }
}

void NpcConversationManager::Enable(Conversation* conversation, bool collision)
{
    if (Remove(disabledConversations, conversation))
        conversation->SetPendingDisable(false);
    // A running one comes back when it ends; listed twice it could be started twice.
    if (!ListContains(busyConversations, conversation))
        AddOnce(collision ? collisionConversations : availableConversations, conversation);
}

void NpcConversationManager::Disable(Conversation* conversation)
{
    if (Remove(availableConversations, conversation)) {
        disabledConversations.push_back(conversation);
    } else if (ListContains(busyConversations, conversation)) {
        conversation->SetPendingDisable(true);
        AddOnce(disabledConversations, conversation);
    } else if (Remove(collisionConversations, conversation)) {
        disabledConversations.push_back(conversation);
    }
}

void NpcConversationManager::_EnableConversationPak(const std::string& record)
{
    EnablePak(record, false);
}

void NpcConversationManager::_EnableCollisionConversationPak(const std::string& record)
{
    EnablePak(record, true);
}

void NpcConversationManager::EnablePak(const std::string& record, bool collision)
{
    if (record.empty())
        return;
    if (const ConversationPak* loaded = FindPak(record)) {
        for (const auto& conversation : loaded->conversations)
            Enable(conversation.get(), loaded->collision);
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(record))
        return;
    std::vector<std::string> names;
    objects.GetLoadTable(record).GetStringList("allConversations", names);
    auto pak = std::make_unique<ConversationPak>();
    for (const std::string& name : names) {
        // A pack naming itself or another pack loads as a conversation of no lines.
        if (name.empty() || !objects.LoadTableFile(name))
            continue;
        auto conversation = std::make_unique<Conversation>();
        conversation->Load(objects.GetLoadTable(name));
        pak->conversations.push_back(std::move(conversation));
    }
    pak->handle = Name::Create(record);
    pak->collision = collision;
    for (const auto& conversation : pak->conversations)
        Enable(conversation.get(), collision);
    paks.push_back(std::move(pak));
}

void NpcConversationManager::_DisableConversationPak(const std::string& record)
{
    if (const ConversationPak* loaded = FindPak(record))
        for (const auto& conversation : loaded->conversations)
            Disable(conversation.get());
}

const ConversationPak* NpcConversationManager::FindPak(const std::string& record) const
{
    if (record.empty())
        return nullptr;
    const Name handle = Name::Create(record);
    for (const auto& pak : paks)
        if (pak->handle == handle)
            return pak.get();
    return nullptr;
}

void NpcConversationManager::_MakeEnabled(uint32_t npc)
{
    AddOnce(availableNpcs, npc);
}

void NpcConversationManager::_MakeDisabled(uint32_t npc)
{
    Remove(availableNpcs, npc);
    Remove(busyNpcs, npc);
}

} // namespace GAME
