#pragma once

#include "game/TeleportActivity.h"

namespace GAME {

class TeleportLocalServerActivity : public TeleportActivity {
public:
    TeleportLocalServerActivity();
    ~TeleportLocalServerActivity() override;

    void AddStatisticText() override;
    void StartOutbound() override;
    void MoveCharacter() override;

protected:
    void UpdateState() override;
};

} // namespace GAME
