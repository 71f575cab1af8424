#include "combat/DeathManager.h"

#include "characters/Character.h"
#include "combat/DeathHandler.h"
#include "engine/ObjectManager.h"

namespace GAME {

DeathManager::DeathManager(Character* owner) : owner(owner) {}

DeathManager::~DeathManager()
{
    for (std::unique_ptr<DeathHandler>& handler : handlers)
        handler.reset();
}

void DeathManager::AddHandler(std::unique_ptr<DeathHandler> handler)
{
    if (handler != nullptr)
        handlers.push_back(std::move(handler));
}

void DeathManager::Execute()
{
    started = true;
    if (owner != nullptr)
        owner->ImDying();
    for (const std::unique_ptr<DeathHandler>& handler : handlers)
        handler->Execute();
}

void DeathManager::Update(int32_t elapsedMs)
{
    if (!started || finished)
        return;
    for (const std::unique_ptr<DeathHandler>& handler : handlers)
        handler->Update(elapsedMs);
}

void DeathManager::AnimationCallback(const Name& name)
{
    for (const std::unique_ptr<DeathHandler>& handler : handlers)
        handler->AnimationCallback(name);
}

void DeathManager::ExternalEvent(const Name& name)
{
    for (const std::unique_ptr<DeathHandler>& handler : handlers)
        handler->ExternalEvent(name);
}

bool DeathManager::IsFinished() const
{
    if (!started || finished)
        return false;
    for (const std::unique_ptr<DeathHandler>& handler : handlers) {
        if (!handler->IsFinished())
            return false;
    }
    return true;
}

void DeathManager::PostProcess()
{
    if (owner != nullptr)
        owner->ImDead();
    if (!finished) {
        for (const std::unique_ptr<DeathHandler>& handler : handlers)
            handler->PostProcess();
    }
    finished = true;
}

void DeathManager::Reset()
{
    started = false;
    finished = false;
    for (const std::unique_ptr<DeathHandler>& handler : handlers)
        handler->Reset();
}

void DeathManager::PreLoad()
{
    for (const std::unique_ptr<DeathHandler>& handler : handlers)
        handler->PreLoad();
}

std::vector<uint32_t> DeathManager::CreateObjectIds() const
{
    std::vector<uint32_t> ids;
    for (const std::unique_ptr<DeathHandler>& handler : handlers) {
        if (handler->NeedsObjectId())
            ids.push_back(ObjectManager::Instance().CreateObjectID());
    }
    return ids;
}

void DeathManager::SetObjectIds(const std::vector<uint32_t>& ids)
{
    size_t next = 0;
    for (const std::unique_ptr<DeathHandler>& handler : handlers) {
        if (handler->NeedsObjectId())
            handler->SetObjectId(next < ids.size() ? ids[next++] : 0);
    }
}

} // namespace GAME
