#include "items/OneShot.h"

#include "characters/Character.h"
#include "engine/LoadTable.h"

#include <cmath>
#include <limits>

namespace GAME {

namespace {

constexpr const char* kSourceFile = "Project/Game/OneShot";

// Seconds from the record as whole milliseconds; values a 32-bit count cannot hold (or NaN)
// are clamped rather than left to undefined conversion.
int32_t SecondsToMilliseconds(float seconds)
{
    const double ms = std::trunc(static_cast<double>(seconds) * 1000.0);
    if (std::isnan(ms))
        return 0;
    if (ms >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (ms <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(ms);
}

} // namespace

GAME_IMPLEMENT_CLASS(OneShot, Item);

OneShot::~OneShot()
{
    DestroySoundPak(useSound, kSourceFile, __LINE__);
}

void OneShot::Load(const LoadTable& table)
{
    Item::Load(table);
    bonus.Load(table);
    useDelay = SecondsToMilliseconds(table.GetFloat("useDelayTime", 0.0f));
    DestroySoundPak(useSound, kSourceFile, __LINE__);
    useSound = LoadSoundPakFromTable(table, "useSound");
}

void OneShot::Use(Character* character)
{
    if (character != nullptr)
        PlaySoundPak(useSound, character->GetCoords());
}

} // namespace GAME
