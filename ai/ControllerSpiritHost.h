#pragma once

#include "ai/ControllerMonster.h"

#include <cstdint>

namespace GAME {

// Drives a statue that sits invisible to foes, invincible and causing no anger until a spirit
// strikes it; then it rises and fights as a monster.
class ControllerSpiritHost : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerSpiritHost)

public:
    ControllerSpiritHost() = default;
    ~ControllerSpiritHost() override;

    // The host rises and fights as a monster.
    void Animate();
    bool IsAnimated() const { return animated; }
    void SetAnimated(bool value) { animated = value; }
    // The spirit that has claimed the host.
    void SetAnimator(uint32_t spiritId) { animator = spiritId; }
    uint32_t GetAnimator() const { return animator; }
    // Not once animated, nor while a living spirit holds the claim.
    bool CanBeAnimated() const;

protected:
    void RegisterStates() override;

private:
    bool animated = false;
    uint32_t animator = 0;
};

} // namespace GAME
