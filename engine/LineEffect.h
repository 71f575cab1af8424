#pragma once

#include "engine/Entity.h"
#include "engine/WorldVec3.h"

namespace GAME {

// A drawn line between two points (lightning and the like).
class LineEffect : public Entity {
    GAME_DECLARE_CLASS(LineEffect)

public:
    LineEffect() = default;
    ~LineEffect() override;

    // Advances the elapsed time; the travel percentage follows it over the reveal time.
    void UpdateSelf(int32_t elapsedMs) override;

    // The part of the line shown: from `bottom` to `top`, both fractions of its length.
    void SetTopBottomPercent(float top, float bottom)
    {
        topPercent = top;
        bottomPercent = bottom;
    }
    float GetTopPercent() const { return topPercent; }
    float GetBottomPercent() const { return bottomPercent; }

    void SetSource(const WorldVec3& position) { source = position; }
    void SetDestination(const WorldVec3& position) { destination = position; }
    const WorldVec3& GetSource() const { return source; }
    const WorldVec3& GetDestination() const { return destination; }

    int32_t GetElapsedTime() const { return elapsedTime; }
    void SetElapsedTime(int32_t ms) { elapsedTime = ms; }
    // 0 to 1 as the line is revealed; a reveal time of 0 or less shows it whole at once.
    float GetTravelPercentage() const;
    void SetRevealTime(int32_t ms) { revealTime = ms; }

private:
    WorldVec3 source;
    WorldVec3 destination;
    float topPercent = 0.0f;
    float bottomPercent = 0.0f;
    int32_t elapsedTime = 0;
    int32_t revealTime = 0;
};

} // namespace GAME
