#include "engine/SingletonManager.h"

#include <algorithm>

namespace GAME {

SingletonManager& SingletonManager::Instance()
{
    static SingletonManager manager;
    return manager;
}

void SingletonManager::Register(std::unique_ptr<Singleton> singleton)
{
    if (singleton)
        singletons.push_back(std::move(singleton));
}

std::unique_ptr<Singleton> SingletonManager::Unregister(Singleton* singleton)
{
    const auto found =
        std::find_if(singletons.begin(), singletons.end(),
                     [singleton](const auto& entry) { return entry.get() == singleton; });
    if (found == singletons.end())
        return nullptr;
    std::unique_ptr<Singleton> released = std::move(*found);
    singletons.erase(found);
    return released;
}

void SingletonManager::DestroyAll()
{
    // A destructor that unregisters itself finds the list already empty.
    std::vector<std::unique_ptr<Singleton>> dying = std::move(singletons);
    singletons.clear();
    while (!dying.empty())
        dying.pop_back();
}

} // namespace GAME
