#include "items/OneShot.h"

#include "characters/Character.h"
#include "core/GameTextLine.h"
#include "engine/EffectEntity.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"

#include <cmath>
#include <limits>

namespace GAME {

namespace {

constexpr const char* kOneShotSource = "Project\\Game\\OneShot";

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
    DestroySoundPak(useSound, kOneShotSource, __LINE__);
    DestroyTrailEffect(trailEffect, kOneShotSource, __LINE__);
}

void OneShot::Load(const LoadTable& table)
{
    Item::Load(table);
    buttonUpBitmapName = table.GetString("bitmapButtonUp", "");
    buttonDownBitmapName = table.GetString("bitmapButtonDown", "");
    bonus.Load(table);
    useDelay = SecondsToMilliseconds(table.GetFloat("useDelayTime", 0.0f));
    DestroySoundPak(useSound, kOneShotSource, __LINE__);
    useSound = LoadSoundPakFromTable(table, "useSound");
    DestroyTrailEffect(trailEffect, kOneShotSource, __LINE__);
    trailEffect = LoadTrailEffect(table);
}

void OneShot::UpdateSelf(int32_t elapsedMs)
{
    Item::UpdateSelf(elapsedMs);
    auto* effect = ObjectManager::Instance().GetObject<EffectEntity>(trailEffect);
    if (IsInWorld() && !emitting) {
        if (effect != nullptr)
            effect->StartEmitting();
        emitting = true;
    } else if (!IsInWorld() && emitting) {
        if (effect != nullptr)
            effect->StopEmitting();
        emitting = false;
        stopped = true;
    } else {
        stopped = false;
    }
}

void OneShot::GetUIDisplayText(const Character* character, std::vector<GameTextLine>& lines) const
{
    Item::GetUIDisplayText(character, lines);
    if (directionsTag != nullptr && !AreTextDirectionsSuppressed())
        lines.emplace_back(GameTextClass::ItemDirections,
                           LocalizationManager::Instance().Format(directionsTag), false);
}

void OneShot::Use(Character* character)
{
    if (character != nullptr)
        PlaySoundPak(useSound, character->GetCoords());
}

void OneShot::UseWithBonus(Character* character)
{
    if (character == nullptr)
        return;
    OneShot::Use(character);
    character->TakeBonus(bonus, true, playStatsType);
}

} // namespace GAME
