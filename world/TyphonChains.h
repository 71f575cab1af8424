#pragma once

#include "engine/Actor.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <string>

namespace GAME {

// The chains that hold the chained giant; they dissolve in bursts when it breaks free.
class TyphonChains : public Actor {
    GAME_DECLARE_CLASS(TyphonChains)

public:
    TyphonChains() = default;
    ~TyphonChains() override;

    void Load(const LoadTable& table) override;
    void PlaceChainBeams();

private:
    WorldCoords GetBeamCoords(const Name& point) const;

    std::string dissolveEffect;
    float dissolveTime = 1.0f;
    std::string dissolveTexture;
    int32_t dissolveColorR = 255;
    int32_t dissolveColorG = 255;
    int32_t dissolveColorB = 255;
    std::string burstFX;
};

} // namespace GAME
