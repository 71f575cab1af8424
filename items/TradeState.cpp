#include "items/TradeState.h"

#include "ai/ControllerPlayer.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"

#include <vector>

namespace GAME {

namespace {

constexpr const char* kTradeStateSource = "Project\\Game\\TradeState";

void DestroyItem(uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Item* item = objects.GetObject<Item>(id))
        objects.DestroyObjectEx(item, kTradeStateSource, __LINE__);
}

} // namespace

TradeState::~TradeState()
{
    TakeCopies([](uint32_t) {});
}

void TradeState::Clear()
{
    goldAmount = 0;
    finalized = false;
    TakeCopies([](uint32_t) {});
}

uint32_t TradeState::GetStandsFor(uint32_t copyId) const
{
    const auto found = standsFor.find(copyId);
    return found != standsFor.end() ? found->second : 0;
}

uint32_t TradeState::FindCopyOf(uint32_t otherId) const
{
    if (otherId == 0)
        return 0;
    for (const auto& [copy, other] : standsFor) {
        if (other == otherId)
            return copy;
    }
    return 0;
}

uint32_t TradeState::RemoveItem(uint32_t copyId)
{
    if (!sack.RemoveItem(copyId))
        return 0;
    const uint32_t other = GetStandsFor(copyId);
    standsFor.erase(copyId);
    DestroyItem(copyId);
    return other;
}

template <typename Each> void TradeState::TakeCopies(Each&& each)
{
    std::vector<uint32_t> copies;
    for (const auto& entry : sack.GetInventory())
        copies.push_back(entry.first);
    sack.RemoveAllItems();
    for (uint32_t copy : copies) {
        const uint32_t other = GetStandsFor(copy);
        if (other != 0)
            each(other);
        DestroyItem(copy);
    }
    standsFor.clear();
}

void TradeState::ReturnItems(ControllerPlayer* controller)
{
    TakeCopies([controller](uint32_t original) {
        if (controller != nullptr)
            controller->GiveItemToPlayer(original);
    });
}

void TradeState::RemoveItems(ControllerPlayer* controller)
{
    TakeCopies([controller](uint32_t original) {
        if (controller != nullptr)
            controller->SendRemoveItemFromInventory(original);
    });
}

void TradeState::DeleteAndCreateItemsForPlayer(ControllerPlayer* controller)
{
    sack.DeleteAndCreateAllItemsFor(controller);
    standsFor.clear();
}

} // namespace GAME
