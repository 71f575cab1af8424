#pragma once

#include "engine/ABBox.h"
#include "engine/Color.h"
#include "engine/Entity.h"
#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

#include <string>
#include <vector>

namespace GAME {

// Textured strips drawn through lists of points (lightning and the like). Nothing is drawn here:
// the effect keeps what it was given so that its users and tests can read it back.
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

    // A paused line keeps its time, so it holds its shape. One set to pause at its target
    // pauses itself once it is revealed whole.
    void DoSetPauseAtTarget(bool pause) { pauseAtTarget = pause; }
    bool GetPauseAtTarget() const { return pauseAtTarget; }
    void SetPause(bool pause) { paused = pause; }
    bool IsPaused() const { return paused; }

    int32_t GetElapsedTime() const { return elapsedTime; }
    void SetElapsedTime(int32_t ms) { elapsedTime = ms; }
    // 0 to 1 as the line is revealed; a reveal time of 0 or less shows it whole at once.
    float GetTravelPercentage() const;
    void SetRevealTime(int32_t ms) { revealTime = ms; }

    // One list of points a strip, relative to the source. Adding one answers its index.
    size_t AddPointList(std::vector<Vec3> points);
    size_t GetNumPointLists() const { return pointLists.size(); }
    // Empty past the end.
    const std::vector<Vec3>& GetPointList(size_t index) const;
    std::vector<Vec3>* GetMutablePointList(size_t index);

    const ABBox& GetBoundingBox() const { return boundingBox; }
    void SetBoundingBox(const ABBox& box) { boundingBox = box; }

    int32_t GetSeed() const { return seed; }
    void SetSeed(int32_t value) { seed = value; }
    const Color& GetColor() const { return color; }
    void SetColor(const Color& value) { color = value; }
    float GetWidth() const { return width; }
    void SetWidth(float value) { width = value; }
    float GetTextureStretch() const { return textureStretch; }
    void SetTextureStretch(float value) { textureStretch = value; }
    const std::string& GetTextureName() const { return textureName; }
    void SetTexture(const std::string& name) { textureName = name; }
    const std::string& GetShaderName() const { return shaderName; }
    void SetShaderName(const std::string& name) { shaderName = name; }
    // The fade a strip takes until its owner says otherwise.
    float GetDefaultFade() const { return 1.0f; }

private:
    WorldVec3 source;
    WorldVec3 destination;
    float topPercent = 0.0f;
    float bottomPercent = 0.0f;
    int32_t elapsedTime = 0;
    int32_t revealTime = 0;
    bool pauseAtTarget = false;
    bool paused = false;
    std::vector<std::vector<Vec3>> pointLists;
    ABBox boundingBox;
    int32_t seed = 0;
    Color color;
    float width = 0.0f;
    float textureStretch = 0.0f;
    std::string textureName;
    std::string shaderName;
};

} // namespace GAME
