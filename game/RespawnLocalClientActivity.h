#pragma once

#include "game/RespawnActivity.h"

namespace GAME {

class RespawnLocalClientActivity : public RespawnActivity {
public:
    RespawnLocalClientActivity();
    ~RespawnLocalClientActivity() override;

    void AddStatisticText() override;
    void CreateLoader() override;
};

} // namespace GAME
