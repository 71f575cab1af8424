#pragma once

#include "engine/Color.h"
#include "engine/LineEffect.h"

#include <string>
#include <vector>

namespace GAME {

// A lightning bolt drawn between two points by the lightning skills. So far the bolts' timing,
// reveal and removal; the drawn points and the tendrils are not built yet.
class Lightning : public LineEffect {
    GAME_DECLARE_CLASS(Lightning)

public:
    struct Bolt {
        int32_t generation = 0;
        int32_t timeToLive = 0;
        float fadeMultiplier = 1.0f;
    };

    Lightning();
    ~Lightning() override;

    void Load(const LoadTable& table) override;
    void UpdateSelf(int32_t elapsedMs) override;

    // Starts the bolts from `source` (or from the sky above `destination`) to `destination`.
    void SetTarget(const WorldVec3& source, const WorldVec3& destination);
    bool HasReachedTarget() const { return GetTravelPercentage() >= 0.9999f; }
    float GetFadeMultiplier(int bolt) const;

    const std::vector<Bolt>& GetBolts() const { return bolts; }
    const Color& GetRecordColor() const { return recordColor; }
    bool IsFromSky() const { return fromSky; }

private:
    static constexpr float kDefaultFade = 1.0f;

    std::vector<Bolt> bolts;
    bool fromSky = false;
    bool generateTendrils = true;
    int32_t numberOfBolts = 0;
    Color recordColor{0.0f, 0.0f, 0.0f, 0.0f};
    int32_t timeMin = 0;
    int32_t timeMax = 0;
    int32_t lastTendrilIndex = -1;
    float skyHeight = 20.0f;
    float width = 1.4f;
    float textureStretch = 24.0f;
    std::string texture;
    std::string shader;
};

} // namespace GAME
