#include "ai/NpcHerdManager.h"

#include "ai/NpcHerd.h"
#include "engine/CriticalSection.h"

#include <algorithm>
#include <atomic>

namespace GAME {

namespace {

std::string StripSlashes(const std::string& text)
{
    std::string out = text;
    out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return c == '/' || c == '\\'; }),
              out.end());
    return out;
}

} // namespace

NpcHerdManager::NpcHerdManager() = default;
NpcHerdManager::~NpcHerdManager() = default;

NpcHerdManager& NpcHerdManager::Get()
{
    static CriticalSection creationLock;
    static std::unique_ptr<NpcHerdManager> owner;
    static std::atomic<NpcHerdManager*> instance{nullptr};
    NpcHerdManager* manager = instance.load(std::memory_order_acquire);
    if (manager == nullptr) {
        CriticalSectionLock lock(creationLock);
        manager = instance.load(std::memory_order_relaxed);
        if (manager == nullptr) {
            owner = std::make_unique<NpcHerdManager>();
            manager = owner.get();
            instance.store(manager, std::memory_order_release);
        }
    }
    return *manager;
}

NpcHerd* NpcHerdManager::FindHerd(const std::string& name) const
{
    const std::string wanted = StripSlashes(name);
    for (const auto& herd : herds) {
        if (StripSlashes(herd->GetName()) == wanted)
            return herd.get();
    }
    return nullptr;
}

NpcHerd* NpcHerdManager::CreateHerd(const std::string& name)
{
    herds.push_back(std::make_unique<NpcHerd>(name));
    return herds.back().get();
}

NpcHerd& NpcHerdManager::FindOrCreateHerd(const std::string& name)
{
    NpcHerd* herd = FindHerd(name);
    return herd != nullptr ? *herd : *CreateHerd(name);
}

void NpcHerdManager::Clear()
{
    herds.clear();
}

void NpcHerdManager::AddToHerd(const std::string& name, uint32_t objectId)
{
    FindOrCreateHerd(name).AddMember(objectId);
}

void NpcHerdManager::SetHerdHerder(const std::string& name, uint32_t objectId)
{
    FindOrCreateHerd(name).SetHerder(objectId);
}

} // namespace GAME
