#pragma once

#include "characters/Bonus.h"
#include "core/PlayStats.h"
#include "items/Item.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class LoadTable;

// An item used up in one go: it hands its user a bonus. While it lies in the world its trail
// effect glows.
class OneShot : public Item {
    GAME_DECLARE_CLASS(OneShot)

public:
    OneShot() = default;
    ~OneShot() override;

    void Load(const LoadTable& table) override;
    void UpdateSelf(int32_t elapsedMs) override;
    // The item's lines, then how to use it for the kinds that say.
    void GetUIDisplayText(const Character* character,
                          std::vector<GameTextLine>& lines) const override;

    // Plays the use sound where the user stands; the kinds add what the use gives.
    virtual void Use(Character* character);
    // Object id of the use sound pack; 0 when there is none.
    virtual uint32_t GetUseSound() const { return useSound; }
    // Milliseconds before the next use.
    virtual int32_t GetUseDelayTime() const { return useDelay; }
    const Bonus& GetBonus() const { return bonus; }
    GraphicsTexture* GetBitmap() const override { return LoadBitmap(); }
    const std::string& GetButtonUpBitmapName() const { return buttonUpBitmapName; }
    const std::string& GetButtonDownBitmapName() const { return buttonDownBitmapName; }
    // Object id of the trail effect; 0 when the record names none.
    uint32_t GetTrailEffect() const { return trailEffect; }
    bool IsTrailEmitting() const { return emitting; }
    // Set for the one frame in which the trail went out.
    bool IsTrailStopped() const { return stopped; }

protected:
    // The base use, then the bonus to the user.
    void UseWithBonus(Character* character);
    void SetDirectionsTag(const char* tag) { directionsTag = tag; }

    PlayStatsLifeType playStatsType = PlayStatsLife_Unknown;
    uint32_t useSound = 0;
    Bonus bonus;
    int32_t useDelay = 0;

private:
    std::string buttonUpBitmapName;
    std::string buttonDownBitmapName;
    uint32_t trailEffect = 0;
    // Null for a kind that shows no directions.
    const char* directionsTag = nullptr;
    bool emitting = false;
    bool stopped = false;
};

} // namespace GAME
