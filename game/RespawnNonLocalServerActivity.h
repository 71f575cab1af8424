#pragma once

#include "game/RespawnActivity.h"

namespace GAME {

class RespawnNonLocalServerActivity : public RespawnActivity {
public:
    RespawnNonLocalServerActivity();
    ~RespawnNonLocalServerActivity() override;

    void AddStatisticText() override;
    void CreateLoader() override;

protected:
    bool IsLocal() const override { return false; }
    bool DrawsOverlay() const override { return false; }
};

} // namespace GAME
