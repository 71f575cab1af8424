#pragma once

#include "characters/AmbientCharacter.h"

namespace GAME {

// A barrier that levels place as a creature of the scenery. It behaves as any ambient
// character; the class of its own lets records name it and lets friends' area skills pass it by.
class DynamicBarrier : public AmbientCharacter {
    GAME_DECLARE_CLASS(DynamicBarrier)

public:
    DynamicBarrier() = default;
    ~DynamicBarrier() override;
};

} // namespace GAME
