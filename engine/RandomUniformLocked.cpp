#include "engine/RandomUniformLocked.h"

namespace GAME {

void RandomUniformLocked::Seed(uint32_t seed)
{
    std::lock_guard<std::mutex> guard(mutex);
    RandomUniform::Seed(seed);
}

int RandomUniformLocked::IGenerate(int min, int max)
{
    std::lock_guard<std::mutex> guard(mutex);
    return RandomUniform::IGenerate(min, max);
}

float RandomUniformLocked::FGenerate(float min, float max)
{
    std::lock_guard<std::mutex> guard(mutex);
    return RandomUniform::FGenerate(min, max);
}

} // namespace GAME
