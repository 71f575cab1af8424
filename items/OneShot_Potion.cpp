#include "items/OneShot_Potion.h"

#include "characters/Character.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "game/GameEngine.h"
#include "items/CursorHandlerOneShotUse.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_Potion, OneShot);

OneShot_Potion::OneShot_Potion()
{
    SetDirectionsTag("tagPotionDirections");
}

OneShot_Potion::~OneShot_Potion() = default;

void OneShot_Potion::Use(Character* character)
{
    if (character == nullptr)
        return;
    // The tutorial watches for the main player's first potion.
    if (gGameEngine != nullptr && gGameEngine->GetPlayerId() != 0 &&
        gGameEngine->GetPlayerId() == character->GetObjectId())
        gGameEngine->SetPotionUsed();
    OneShot::Use(character);
    RemoveFromStack(1);
    character->TakeBonus(bonus, true, playStatsType);
}

uint32_t OneShot_Potion::GetStackLimit()
{
    if (gGameEngine == nullptr)
        return kDefaultStackLimit;
    const int32_t limit = gGameEngine->GetDatabase().GetInt(
        "potionStackLimit", static_cast<int32_t>(kDefaultStackLimit));
    // Below 1 every stack would be endless; one potion a stack is the least a stack can be.
    return limit < 1 ? 1u : static_cast<uint32_t>(limit);
}

uint32_t OneShot_Potion::AddToStack(uint32_t n)
{
    const uint32_t limit = GetStackLimit();
    const uint64_t count = static_cast<uint64_t>(stackCount) + n;
    stackCount = count > limit ? limit : static_cast<uint32_t>(count);
    return stackCount;
}

uint32_t OneShot_Potion::RemoveFromStack(uint32_t n)
{
    stackCount = n < stackCount ? stackCount - n : 0;
    return stackCount;
}

bool OneShot_Potion::IsStackFull() const
{
    return stackCount >= GetStackLimit() - 1;
}

uint32_t OneShot_Potion::GetItemCost(bool forStack) const
{
    const uint64_t single = Item::GetItemCost(true);
    if (!forStack)
        return static_cast<uint32_t>(single);
    const uint64_t total = single * (static_cast<uint64_t>(stackCount) + 1);
    return static_cast<uint32_t>(std::min<uint64_t>(total, 0xFFFFFFFFu));
}

void OneShot_Potion::GetUIBitmapText(std::wstring& text) const
{
    if (stackCount != 0)
        text += LocalizationManager::Instance().Format(
            "IntFormat", static_cast<int32_t>(std::min<uint64_t>(stackCount + 1ull, 0x7FFFFFFF)));
}

std::unique_ptr<CursorHandler>
OneShot_Potion::CreateSecondaryCursorHandler(const Character* /*character*/)
{
    return std::make_unique<CursorHandlerOneShotUse>();
}

} // namespace GAME
