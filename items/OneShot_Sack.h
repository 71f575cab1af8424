#pragma once

#include "items/OneShot.h"

namespace GAME {

// A sack item: picked up, it gives its finder one more sack to carry things in.
class OneShot_Sack : public OneShot {
    GAME_DECLARE_CLASS(OneShot_Sack)

public:
    OneShot_Sack() = default;
    ~OneShot_Sack() override;

    // The sound, then the bonus.
    void Use(Character* character) override;
};

} // namespace GAME
