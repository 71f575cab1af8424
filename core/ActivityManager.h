#pragma once

namespace GAME {

// The one manager of the timed game activities (teleports, respawns, confirmations, the end of
// the game). No kind of activity exists yet, so nothing can be installed: an update has nothing
// to run and clearing has nothing to delete.
class ActivityManager {
public:
    // Created on first use.
    static ActivityManager& Get();
    // Clears and forgets the instance; the next `Get` makes a fresh one.
    static void Destroy();

    ~ActivityManager();
    ActivityManager(const ActivityManager&) = delete;
    ActivityManager& operator=(const ActivityManager&) = delete;

    void Update(int ms);
    // Deletes every active activity.
    void Clear();

private:
    ActivityManager() = default;

    static ActivityManager* instance;
};

} // namespace GAME
