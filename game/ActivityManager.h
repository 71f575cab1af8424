#pragma once

#include "game/GameActivity.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

class GraphicsCanvas;

// The one manager of the timed game activities (teleports, respawns, confirmations, the end of
// the game): it gives them ids, updates them each frame and deletes them once finished.
class ActivityManager {
public:
    // Created on first use.
    static ActivityManager& Get();
    // Clears and forgets the instance; the next `Get` makes a fresh one.
    static void Destroy();

    ~ActivityManager();
    ActivityManager(const ActivityManager&) = delete;
    ActivityManager& operator=(const ActivityManager&) = delete;

    // Takes ownership; the activity first runs in the next `Update`. Null is ignored.
    void InstallActivity(GameActivity* activity);
    // Takes ownership; the activity is active at once, ahead of anything still pending.
    void FastInstallActivity(GameActivity* activity);

    void Update(int ms);
    // Draws the active activities only: a pending one has not run yet, so has nothing to show.
    void Render(GraphicsCanvas& canvas);

    // Active activities only; a pending one is neither active nor found.
    bool IsActivityActive(uint32_t id) const;
    GameActivity* GetActivity(uint32_t id) const;
    // The id given to the activity installed last, 0 before any.
    uint32_t GetLastId() const { return idCounter; }

    // Deletes every activity, pending ones included: after a clear nothing may start running.
    void Clear();

private:
    ActivityManager() = default;

    // Gives the next id; null is refused.
    bool Register(GameActivity* activity);

    std::vector<std::unique_ptr<GameActivity>> activeActivities;
    std::vector<std::unique_ptr<GameActivity>> pendingActivities;
    uint32_t idCounter = 0;

    static ActivityManager* instance;
};

} // namespace GAME
