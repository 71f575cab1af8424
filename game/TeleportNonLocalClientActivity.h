#pragma once

#include "game/TeleportActivity.h"

namespace GAME {

class TeleportNonLocalClientActivity : public TeleportActivity {
public:
    TeleportNonLocalClientActivity();
    ~TeleportNonLocalClientActivity() override;

    void AddStatisticText() override;
    void StartOutbound() override;
    void MoveCharacter() override;

protected:
    void UpdateState() override;
    bool DrawsOverlay() const override { return false; }
};

} // namespace GAME
