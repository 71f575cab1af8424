#pragma once

#include "engine/ABBox.h"
#include "engine/Entity.h"

#include <cstdint>

namespace GAME {

// The streak a swung or flying object leaves behind. Nothing is drawn: the trail keeps whether
// it runs, which of the carrier's anchor point sets it follows and the box it may fill, and
// counts its starts, for callers to be checked.
class WeaponTrail : public Entity {
    GAME_DECLARE_CLASS(WeaponTrail)

public:
    WeaponTrail() = default;
    ~WeaponTrail() override;

    void Start()
    {
        running = true;
        ++startCount;
    }
    void Stop() { running = false; }
    bool IsRunning() const { return running; }
    uint32_t GetStartCount() const { return startCount; }
    void SetPointSetIndex(int32_t index) { pointSetIndex = index; }
    int32_t GetPointSetIndex() const { return pointSetIndex; }
    void SetBBox(const ABBox& box) { bbox = box; }
    const ABBox& GetBBox() const { return bbox; }

private:
    bool running = false;
    uint32_t startCount = 0;
    int32_t pointSetIndex = 0;
    ABBox bbox;
};

} // namespace GAME
