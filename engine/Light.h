#pragma once

#include "engine/Color.h"
#include "engine/Entity.h"

#include <cstdint>

namespace GAME {

// A light source placed in the world. Nothing is lit: the light keeps its colour and radius.
class Light : public Entity {
    GAME_DECLARE_CLASS(Light)

public:
    Light() = default;
    ~Light() override;

    // 0 a point light; other kinds are the renderer's.
    void SetType(int32_t value) { type = value; }
    int32_t GetType() const { return type; }
    // How strongly the light shines, 1 at full.
    void SetIntensity(float value) { intensity = value; }
    float GetIntensity() const { return intensity; }
    void SetColor(const Color& value) { color = value; }
    const Color& GetColor() const { return color; }
    void SetRadius(float value) { radius = value; }
    float GetRadius() const { return radius; }
    // Kept only; nothing casts shadows here.
    void SetForceShadows(bool value) { forceShadows = value; }
    bool GetForceShadows() const { return forceShadows; }

private:
    int32_t type = 0;
    float intensity = 1.0f;
    Color color;
    float radius = 0.0f;
    bool forceShadows = false;
};

} // namespace GAME
