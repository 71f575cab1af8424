#pragma once

#include "items/OneShot.h"

namespace GAME {

// A reward that is taken the moment it is picked up.
class OneShot_InstantReward : public OneShot {
    GAME_DECLARE_CLASS(OneShot_InstantReward)

public:
    OneShot_InstantReward() = default;
    ~OneShot_InstantReward() override;

    // The sound, then the bonus.
    void Use(Character* character) override;
};

} // namespace GAME
