#pragma once

#include "characters/CharFxPak.h"
#include "characters/Monster.h"

#include <array>
#include <cstdint>

namespace GAME {

// The final boss. Striking a god statue lights that god's skill effect on it; the packs are
// loaded with its controller.
class Typhon : public Monster {
    GAME_DECLARE_CLASS(Typhon)

public:
    // Gods: 0 zeus, 1 demeter, 2 hades, 3 apollo.
    static constexpr uint32_t kNumGods = 4;

    Typhon() = default;
    ~Typhon() override;

    // Nothing for a god out of range.
    void EnableSkillEffect(uint32_t god);
    void DisableSkillEffects();

    // Null for a god out of range.
    CharFxPak* GetSkillEffect(uint32_t god);

private:
    std::array<CharFxPak, kNumGods> skillEffects;
};

} // namespace GAME
