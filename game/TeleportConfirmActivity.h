#pragma once

#include "engine/WorldVec3.h"
#include "game/GameActivity.h"

#include <cstdint>
#include <string>

namespace GAME {

// Asks the player, through the dialog manager, whether to teleport to a destination, and
// teleports on a yes. Any answer ends it.
class TeleportConfirmActivity : public GameActivity {
public:
    TeleportConfirmActivity() = default;

    // The text is a text tag, formatted by the dialog manager.
    void SetRequest(const std::string& text, const WorldVec3& target);

    void Update(int ms) override;
    void Render(GraphicsCanvas& canvas) override;
    bool IsFinished() override { return finished; }

    void Teleport();
    // The destination in whole world units; false without a region to measure it from.
    bool GetWorldDestination(int32_t& x, int32_t& y, int32_t& z) const;

private:
    WorldVec3 destination;
    std::string text;
    bool finished = false;
    bool dialogShown = false;
};

} // namespace GAME
