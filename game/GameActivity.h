#pragma once

#include <cstdint>

namespace GAME {

class GraphicsCanvas;

// A process that spans many frames and may draw over the screen. The activity manager owns it
// from installation on and deletes it in the update in which it reports finished.
class GameActivity {
public:
    GameActivity() = default;
    virtual ~GameActivity();
    GameActivity(const GameActivity&) = delete;
    GameActivity& operator=(const GameActivity&) = delete;

    virtual void Update(int ms) = 0;
    virtual void Render(GraphicsCanvas& canvas) = 0;
    virtual bool IsFinished() = 0;

    // 0 until the manager installs the activity.
    uint32_t GetId() const { return id; }
    void SetId(uint32_t value) { id = value; }

private:
    uint32_t id = 0;
};

} // namespace GAME
