#include "world/Apparatus.h"

#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/LoadTable.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Apparatus, Decoration);

Apparatus::~Apparatus() = default;

void Apparatus::Load(const LoadTable& table)
{
    Decoration::Load(table);
    pauseTimeMin =
        SaturateToInt(static_cast<double>(table.GetFloat("apparatusPauseTimeMin", 0.0f)) * 1000.0);
    pauseTimeMax =
        SaturateToInt(static_cast<double>(table.GetFloat("apparatusPauseTimeMax", 0.0f)) * 1000.0);
}

int32_t Apparatus::GetPauseTime() const
{
    // A maximum below the minimum would divide by zero or draw from a swapped range: such a
    // record pauses for its minimum.
    if (pauseTimeMax <= pauseTimeMin)
        return pauseTimeMin;
    return RandomInt(pauseTimeMin, pauseTimeMax);
}

} // namespace GAME
