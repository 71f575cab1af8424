#pragma once

#include "engine/Color.h"
#include "engine/Entity.h"

namespace GAME {

// A light source placed in the world. Nothing is lit: the light keeps its colour and radius.
class Light : public Entity {
    GAME_DECLARE_CLASS(Light)

public:
    Light() = default;
    ~Light() override;

    void SetColor(const Color& value) { color = value; }
    const Color& GetColor() const { return color; }
    void SetRadius(float value) { radius = value; }
    float GetRadius() const { return radius; }
    // Kept only; nothing casts shadows here.
    void SetForceShadows(bool value) { forceShadows = value; }
    bool GetForceShadows() const { return forceShadows; }

private:
    Color color;
    float radius = 0.0f;
    bool forceShadows = false;
};

} // namespace GAME
