#include "engine/GameTimer.h"

#include "engine/Engine.h"

namespace GAME {

GameTimer::GameTimer()
{
    Reset();
}

void GameTimer::Reset()
{
    lastGameTime = gEngine->GetGameTime();
    elapsed = 0;
    total = 0;
    remainder = 0.0f;
}

void GameTimer::Update()
{
    const uint64_t now = gEngine->GetGameTime();
    const uint64_t raw = now >= lastGameTime ? now - lastGameTime : 0;
    lastGameTime = now;
    // Keep the fraction so a scaled timer does not drift from its unscaled peers.
    const float scaled = static_cast<float>(raw) * timeScale + remainder;
    elapsed = scaled > 2147483647.0f ? 2147483647 : static_cast<int>(scaled);
    remainder = scaled - static_cast<float>(elapsed);
    total += elapsed;
}

} // namespace GAME
