#include "items/OneShot_Gold.h"

#include "characters/Character.h"
#include "engine/LocalizationManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"

#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_Gold, OneShot);

OneShot_Gold::~OneShot_Gold() = default;

void OneShot_Gold::SetGoldValue(float value)
{
    // Negative, NaN and out-of-range amounts count as none and as the most a word holds.
    const double whole = std::trunc(static_cast<double>(value));
    goldValue = !(whole > 0.0)          ? 0u
                : whole >= 4294967295.0 ? 0xFFFFFFFFu
                                        : static_cast<uint32_t>(whole);
    bonus.goldPoints = goldValue;
}

void OneShot_Gold::InitializeItem()
{
    ItemReplicaInfo info;
    GetItemReplicaInfo(info);
    SetGoldValue(static_cast<float>(info.var1));
    OneShot::InitializeItem();
}

void OneShot_Gold::Use(Character* character)
{
    OneShot::Use(character);
    if (character == nullptr || gGameEngine == nullptr)
        return;
    if (gGameEngine->GetPlayerId() != character->GetObjectId())
        return;
    gGameEngine->HandleBonusToServerOutbound(bonus, character->GetCoords().GetPosition(),
                                             character->GetObjectId());
}

std::wstring OneShot_Gold::GetGameDescription(bool /*flag*/) const
{
    return LocalizationManager::Instance().Format("tagGoldFormat", goldValue);
}

} // namespace GAME
