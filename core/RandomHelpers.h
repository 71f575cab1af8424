#pragma once

namespace GAME {

// Variety nobody else must reproduce (animation choice, sound chance, idle timings), from the
// shared C-runtime generator.

// In [min, max], both ends included.
float RandomFloat(float min, float max);
// In [min, max]; reversed bounds are swapped.
int RandomInt(int min, int max);

} // namespace GAME
