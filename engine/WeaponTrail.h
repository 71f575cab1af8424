#pragma once

#include "engine/ABBox.h"
#include "engine/Entity.h"

#include <cstdint>

namespace GAME {

// The streak a weapon draws through the air while it swings. Nothing is drawn: the trail keeps
// whether it runs and the box it follows, and counts its starts, for callers to be checked.
class WeaponTrail : public Entity {
    GAME_DECLARE_CLASS(WeaponTrail)

public:
    WeaponTrail() = default;

    void Start()
    {
        running = true;
        ++startCount;
    }
    void Stop() { running = false; }
    bool IsRunning() const { return running; }
    uint32_t GetStartCount() const { return startCount; }
    // The box of the blade the trail is drawn from.
    void SetBBox(const ABBox& box) { bbox = box; }
    const ABBox& GetBBox() const { return bbox; }

private:
    bool running = false;
    uint32_t startCount = 0;
    ABBox bbox;
};

} // namespace GAME
