#pragma once

#include "characters/CharFxPak.h"
#include "characters/Monster.h"
#include "characters/TyphonGod.h"

#include <cstdint>

namespace GAME {

class LoadTable;

// A god's statue. The final boss's strike hands it that god's powers; its death takes them
// back.
class TyphonStatue : public Monster {
    GAME_DECLARE_CLASS(TyphonStatue)

public:
    TyphonStatue() = default;
    ~TyphonStatue() override;

    void Load(const LoadTable& table) override;
    void UnderAttack(uint32_t attackerId) override;
    void CharacterIsDying() override;

    uint32_t GetGod() const { return god; }
    const CharFxPak& GetBurstEffect() const { return frameBurstEffect; }

private:
    uint32_t god = TyphonGod_None;
    CharFxPak frameBurstEffect;
    uint32_t burstSound = 0;
};

} // namespace GAME
