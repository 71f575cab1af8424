#pragma once

#include "game/RespawnActivity.h"

namespace GAME {

class RespawnLocalServerActivity : public RespawnActivity {
public:
    RespawnLocalServerActivity();
    ~RespawnLocalServerActivity() override;

    void AddStatisticText() override;
    void CreateLoader() override;
};

} // namespace GAME
