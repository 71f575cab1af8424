#pragma once

#include "world/Decoration.h"

#include <string>

namespace GAME {

// The numbers of one expanding ring.
struct RadiusEffect {
    float expansionTime = 1.0f;
    float radius = 1.0f;
    float initialIntensity = 0.0f;
    float finalIntensity = 0.0f;
    std::string effectEntityName;
};

// The expanding ring a radius skill leaves; it removes itself once past twice its radius.
class RadiusMagic : public Decoration {
    GAME_DECLARE_CLASS(RadiusMagic)

public:
    RadiusMagic() = default;
    ~RadiusMagic() override;

    void UpdateSelf(int32_t elapsedMs) override;

    void SetEffect(float radius, float expansionTime);
    void SetEffect(const RadiusEffect& effect);
    float GetCurrentRadius() const;
    float GetEndRadius() const { return endRadius; }
    int32_t GetElapsed() const { return elapsed; }
    // Projectiles fly through the ring.
    bool CanCollide() const { return false; }

    // "radius" and "strength"; false for any other name.
    bool GetShaderParam(const std::string& name, float& value) const;
    bool GetShaderParamFloat4(const std::string& name, float (&value)[4]) const;

private:
    int32_t elapsed = 0;
    RadiusEffect effect;
    float endRadius = 1.0f;
};

} // namespace GAME
