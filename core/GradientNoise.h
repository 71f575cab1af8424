#pragma once

#include "engine/Vec2.h"

#include <array>
#include <cstdint>

namespace GAME {

// One table of classic gradient noise over 256 lattice points, filled from the shared C-runtime
// generator, so a table built after Platform::SRand(seed) is the same on every machine.
class GradientNoise {
public:
    static constexpr int kSize = 256;
    // Doubled and padded so that lookups of a lookup never wrap.
    static constexpr int kEntries = 2 * kSize + 2;

    // Gradients of one dimension are -1, 0 or +1 in x; of two, unit (or zero) vectors.
    // Dimensions other than 2 build a 1-D table.
    explicit GradientNoise(int dimensions);

    int GetDimensions() const { return dimensions; }
    const std::array<uint8_t, kEntries>& GetPermutation() const { return permutation; }
    const std::array<Vec2, kEntries>& GetGradients() const { return gradients; }

    // 1-D noise along the gradients' x: 0 on the lattice, at most 0.5 in size between.
    // Non-finite input gives 0.
    float Sample(float x) const;

private:
    void Build();

    int dimensions;
    std::array<uint8_t, kEntries> permutation{};
    std::array<Vec2, kEntries> gradients{};
};

// The tables built at load, the 1-D one first.
const GradientNoise& GetNoiseTable1D();
const GradientNoise& GetNoiseTable2D();

float Noise1D(float x);

} // namespace GAME
