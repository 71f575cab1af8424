#pragma once

#include "characters/Bonus.h"
#include "core/PlayStats.h"
#include "items/Item.h"

#include <cstdint>

namespace GAME {

class Character;
class LoadTable;

// An item used up in one go: it hands its user a bonus.
class OneShot : public Item {
    GAME_DECLARE_CLASS(OneShot)

public:
    OneShot() = default;
    ~OneShot() override;

    void Load(const LoadTable& table) override;

    // Plays the use sound where the user stands; the kinds add what the use gives.
    virtual void Use(Character* character);
    // Object id of the use sound pack; 0 when there is none.
    virtual uint32_t GetUseSound() const { return useSound; }
    // Milliseconds before the next use.
    virtual int32_t GetUseDelayTime() const { return useDelay; }
    const Bonus& GetBonus() const { return bonus; }
    GraphicsTexture* GetBitmap() const override { return LoadBitmap(); }

protected:
    PlayStatsLifeType playStatsType = PlayStatsLife_Unknown;
    uint32_t useSound = 0;
    Bonus bonus;
    int32_t useDelay = 0;
};

} // namespace GAME
