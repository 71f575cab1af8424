#include "core/ActivityManager.h"

#include <new>

namespace GAME {

ActivityManager* ActivityManager::instance = nullptr;

ActivityManager& ActivityManager::Get()
{
    if (instance == nullptr)
        instance = new ActivityManager();
    return *instance;
}

void ActivityManager::Destroy()
{
    delete instance;
    instance = nullptr;
}

ActivityManager::~ActivityManager()
{
    Clear();
}

void ActivityManager::Update(int /*ms*/) {}

void ActivityManager::Clear() {}

} // namespace GAME
