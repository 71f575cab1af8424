#include "game/ActivityManager.h"

#include <cstddef>
#include <iterator>
#include <utility>

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

bool ActivityManager::Register(GameActivity* activity)
{
    if (activity == nullptr)
        return false;
    activity->SetId(++idCounter);
    return true;
}

void ActivityManager::InstallActivity(GameActivity* activity)
{
    if (Register(activity))
        pendingActivities.emplace_back(activity);
}

void ActivityManager::FastInstallActivity(GameActivity* activity)
{
    if (Register(activity))
        activeActivities.emplace_back(activity);
}

void ActivityManager::Update(int ms)
{
    // Taken out first: whatever the activities install while they run waits for the next frame.
    std::vector<std::unique_ptr<GameActivity>> arrived = std::move(pendingActivities);
    pendingActivities.clear();
    activeActivities.insert(activeActivities.end(), std::make_move_iterator(arrived.begin()),
                            std::make_move_iterator(arrived.end()));

    // By index, since a running activity may append to the active vector.
    size_t index = 0;
    while (index < activeActivities.size()) {
        GameActivity& activity = *activeActivities[index];
        activity.Update(ms);
        if (activity.IsFinished())
            activeActivities.erase(activeActivities.begin() + static_cast<std::ptrdiff_t>(index));
        else
            ++index;
    }
}

void ActivityManager::Render(GraphicsCanvas& canvas)
{
    for (const std::unique_ptr<GameActivity>& activity : activeActivities)
        activity->Render(canvas);
}

bool ActivityManager::IsActivityActive(uint32_t id) const
{
    return GetActivity(id) != nullptr;
}

GameActivity* ActivityManager::GetActivity(uint32_t id) const
{
    for (const std::unique_ptr<GameActivity>& activity : activeActivities)
        if (activity->GetId() == id)
            return activity.get();
    return nullptr;
}

void ActivityManager::Clear()
{
    activeActivities.clear();
    pendingActivities.clear();
}

} // namespace GAME
