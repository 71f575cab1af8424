#pragma once

#include "game/TeleportActivity.h"

namespace GAME {

class TeleportLocalClientActivity : public TeleportActivity {
public:
    TeleportLocalClientActivity();
    ~TeleportLocalClientActivity() override;

    void AddStatisticText() override;
    void StartOutbound() override;
    void MoveCharacter() override;

protected:
    void UpdateState() override;
};

} // namespace GAME
