#pragma once

#include "engine/Color.h"
#include "engine/LineEffect.h"
#include "engine/Vec3.h"

#include <string>
#include <vector>

namespace GAME {

// A lightning bolt drawn between two points by the lightning skills and chain effects. Each bolt
// is a jagged strip that grows from the source, holds, then withdraws; now and then a short
// tendril branches off. The effect destroys itself once every bolt has run its time.
class Lightning : public LineEffect {
    GAME_DECLARE_CLASS(Lightning)

public:
    struct Bolt {
        int32_t generation = 0;
        int32_t timeToLive = 0;
        float fadeMultiplier = 1.0f;
    };

    static constexpr int32_t kGenerateDepth = 4;

    Lightning();
    ~Lightning() override;

    void Load(const LoadTable& table) override;
    void UpdateSelf(int32_t elapsedMs) override;

    // Draws the record's bolts from `source` (or from the sky above `destination`).
    void SetTarget(const WorldVec3& source, const WorldVec3& destination);
    // One bolt; a tendril starts at its parent's elapsed time `generation`.
    void Generate(const WorldVec3& source, const WorldVec3& destination, bool tendrils,
                  int32_t generation, const Color& color, int32_t time, float unused);
    void SetValues(const Color& color, float width, float textureStretch,
                   const std::string& texture, const std::string& shader);

    bool HasReachedTarget() const { return GetTravelPercentage() >= 0.9999f; }
    // The line's default fade past the last bolt.
    float GetFadeMultiplier(int bolt) const;

    const std::vector<Bolt>& GetBolts() const { return bolts; }
    const Color& GetRecordColor() const { return recordColor; }
    bool IsFromSky() const { return fromSky; }
    bool GetGenerateTendrils() const { return generateTendrils; }
    int32_t GetNumberOfBolts() const { return numberOfBolts; }
    int32_t GetTimeMin() const { return timeMin; }
    int32_t GetTimeMax() const { return timeMax; }

private:
    void RecursiveGenerate(size_t bolt, const Vec3& a, const Vec3& b, int32_t depth);
    void UpdateTendrils();
    WorldVec3 GetTendrilDestination() const;
    void RemoveSelf();

    std::vector<Bolt> bolts;
    bool fromSky = false;
    bool generateTendrils = true;
    int32_t numberOfBolts = 0;
    Color recordColor{0.0f, 0.0f, 0.0f, 0.0f};
    int32_t timeMin = 0;
    int32_t timeMax = 0;
    int32_t lastTendrilIndex = -1;
    float skyHeight = 20.0f;
    Vec3 sourcePosition;
    Vec3 relativeDestination;
};

} // namespace GAME
