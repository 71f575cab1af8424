#pragma once

#include "core/RandomUniform.h"

#include <mutex>

namespace GAME {

// A `RandomUniform` whose every operation holds a lock of its own, for a generator shared
// between threads.
class RandomUniformLocked : public RandomUniform {
public:
    void Seed(uint32_t seed) override;
    int IGenerate(int min, int max) override;
    float FGenerate(float min, float max) override;

private:
    std::mutex mutex;
};

} // namespace GAME
