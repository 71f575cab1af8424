#include "items/PlayerInventoryCtrl.h"

#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/OneShot_Gold.h"
#include "items/OneShot_InstantReward.h"
#include "items/OneShot_Potion.h"
#include "items/OneShot_Sack.h"

#include <algorithm>
#include <utility>

// How a picked-up item finds its place. One-shots go through a filter first: a sack item
// becomes a sack (or, with four, is thrown away), gold and instant rewards are used on the
// spot, and a potion joins the first stack of its kind that has room. What the filter lets pass
// takes a cell: the main sack first, then the selected sack, then the others, and a potion that
// took a cell starts a new stack of its kind. Potion kinds live in a map keyed by the normalised
// record name; its entries stay once made, so the hot slots always find their kind.

namespace GAME {

PlayerInventoryCtrl::PlayerInventoryCtrl()
{
    AddSack();
}

PlayerInventoryCtrl::~PlayerInventoryCtrl() = default;

void PlayerInventoryCtrl::SetParent(Player* player)
{
    parentId = player == nullptr ? 0 : player->GetObjectId();
}

Character* PlayerInventoryCtrl::GetCarrier() const
{
    const uint32_t id =
        parentId != 0 ? parentId : (controller == nullptr ? 0 : controller->GetParentId());
    return id == 0 ? nullptr : ObjectManager::Instance().GetObject<Character>(id);
}

void PlayerInventoryCtrl::SetFocusSackNumber(uint32_t sack)
{
    focusSack = std::min(sack, GetNumberOfSacks() - 1);
}

void PlayerInventoryCtrl::SetSelectedSackNumber(uint32_t sack)
{
    selectedSack = std::min(sack, GetNumberOfSacks() - 1);
}

bool PlayerInventoryCtrl::AddSack()
{
    if (sacks.size() >= kMaxSacks)
        return false;
    auto sack = std::make_unique<InventorySack>();
    SizeSack(*sack, static_cast<uint32_t>(sacks.size()));
    sacks.push_back(std::move(sack));
    if (sacks.size() == 2)
        selectedSack = 1;
    return true;
}

void PlayerInventoryCtrl::SizeSack(InventorySack& sack, uint32_t index)
{
    if (gGameEngine == nullptr)
        return;
    const Vec2& dims = gGameEngine->GetInventorySackDims(static_cast<int>(index));
    InventorySack sized;
    sized.SetDims(SaturateToInt(dims.x), SaturateToInt(dims.y));
    // A grid with no cell would refuse every item for good.
    if (sized.GetWidth() == 0 || sized.GetHeight() == 0) {
        gEngine->Log(Engine::LogData,
                     "Inventory sack %u of %gx%g pixels holds no cell; default size kept", index,
                     static_cast<double>(dims.x), static_cast<double>(dims.y));
        return;
    }
    sack.SetDims(SaturateToInt(dims.x), SaturateToInt(dims.y));
}

void PlayerInventoryCtrl::RestoreNumberOfSacks(uint32_t count)
{
    while (GetNumberOfSacks() < count && AddSack()) {
    }
}

InventorySack* PlayerInventoryCtrl::GetSack(int32_t sack)
{
    const uint32_t index = sack == -1 ? focusSack : static_cast<uint32_t>(sack);
    return sack < -1 || index >= sacks.size() ? nullptr : sacks[index].get();
}

const InventorySack* PlayerInventoryCtrl::GetSack(int32_t sack) const
{
    return const_cast<PlayerInventoryCtrl*>(this)->GetSack(sack);
}

const std::map<uint32_t, Rect>& PlayerInventoryCtrl::GetInventoryInSack(int32_t sack) const
{
    static const std::map<uint32_t, Rect> none;
    const InventorySack* found = GetSack(sack);
    return found == nullptr ? none : found->GetInventory();
}

bool PlayerInventoryCtrl::IsItemAddedWhileNotTheCurrentlySelectedInventoryTab(int32_t sack) const
{
    const InventorySack* found = GetSack(sack);
    return found != nullptr && found->IsItemAddedWhileNotTheCurrentlySelectedInventoryTab();
}

void PlayerInventoryCtrl::SetItemAddedWhileNotTheCurrentlySelectedInventoryTab(bool flag,
                                                                               int32_t sack)
{
    if (InventorySack* found = GetSack(sack))
        found->SetItemAddedWhileNotTheCurrentlySelectedInventoryTab(flag);
}

bool PlayerInventoryCtrl::IsSpaceAvailable(const Item* item) const
{
    return std::any_of(sacks.begin(), sacks.end(),
                       [item](const auto& sack) { return sack->IsSpaceForItem(item); });
}

uint32_t PlayerInventoryCtrl::GetItemUnderPoint(const Vec2& point, int32_t sack) const
{
    const InventorySack* found = GetSack(sack);
    return found == nullptr ? 0 : found->GetItemUnderPoint(point);
}

Rect PlayerInventoryCtrl::GetRectUnderPoint(const Vec2& point, int32_t sack) const
{
    const InventorySack* found = GetSack(sack);
    return found == nullptr ? Rect() : found->GetRectUnderPoint(point);
}

void PlayerInventoryCtrl::AlignRect(Rect& rect, int32_t sack) const
{
    if (const InventorySack* found = GetSack(sack))
        found->AlignRect(rect);
}

bool PlayerInventoryCtrl::GetConflicts(const Vec2& point, uint32_t id, std::vector<Rect>& conflicts,
                                       Rect& placed, int32_t sack) const
{
    const Item* item = ObjectManager::Instance().GetObject<Item>(id);
    const InventorySack* found = GetSack(sack);
    if (item == nullptr || found == nullptr)
        return true;
    found->GetConflicts(point, item, conflicts, placed);
    return !conflicts.empty();
}

// ---- adding and removing ----

bool PlayerInventoryCtrl::OneShotFilter(Item* item)
{
    const uint32_t id = item->GetObjectId();
    if (DynamicCast<OneShot_Sack>(item) != nullptr) {
        const bool added = AddSack();
        if (controller != nullptr && added)
            controller->UseItem(id, true);
        else if (controller != nullptr)
            controller->SendRemoveItemFromInventory(id);
        return true;
    }
    if (DynamicCast<OneShot_Gold>(item) != nullptr ||
        DynamicCast<OneShot_InstantReward>(item) != nullptr) {
        if (controller != nullptr)
            controller->UseItem(id, true);
        return true;
    }
    auto* potion = DynamicCast<OneShot_Potion>(item);
    if (potion == nullptr)
        return false;
    potion->SetStackCount(0);
    const auto entry = potionMap.find(NormalizePotionName(item->GetObjectName()));
    if (entry == potionMap.end())
        return false;
    for (PotionStack& stack : entry->second.stacks) {
        if (!stack.IsStackFull()) {
            stack.PushStack(id);
            return true;
        }
    }
    return false;
}

bool PlayerInventoryCtrl::AddItem(uint32_t id, bool anySack)
{
    Item* item = ObjectManager::Instance().GetObject<Item>(id);
    if (item == nullptr)
        return false;
    if (OneShotFilter(item))
        return true;
    if (item->GetBitmap() == nullptr) {
        gEngine->Log(Engine::LogData, "Item %s has no inventory bitmap; not taken",
                     item->GetObjectName().c_str());
        return false;
    }
    auto* potion = DynamicCast<OneShot_Potion>(item);
    const std::string name = NormalizePotionName(item->GetObjectName());
    if (sacks[0]->AddItem(item, true)) {
        if (potion != nullptr)
            AddToOneShotMap(name, potion);
        return true;
    }
    if (!anySack || selectedSack == 0)
        return false;
    if (sacks[selectedSack]->AddItem(item, true)) {
        if (potion != nullptr)
            AddToOneShotMap(name, potion);
        return true;
    }
    for (uint32_t i = 0; i < sacks.size(); ++i) {
        if (i == selectedSack || !sacks[i]->AddItem(item, true))
            continue;
        // A new kind of potion, or anything but a potion, marks the tab as holding news.
        if (potion == nullptr || AddToOneShotMap(name, potion))
            sacks[i]->SetItemAddedWhileNotTheCurrentlySelectedInventoryTab(true);
        return true;
    }
    return false;
}

bool PlayerInventoryCtrl::AddItem(const Vec2& position, uint32_t id, int32_t sack)
{
    Item* item = ObjectManager::Instance().GetObject<Item>(id);
    InventorySack* target = GetSack(sack);
    if (item == nullptr || target == nullptr || item->GetBitmap() == nullptr)
        return false;
    if (auto* potion = DynamicCast<OneShot_Potion>(item))
        AddToOneShotMap(NormalizePotionName(item->GetObjectName()), potion);
    return target->AddItem(position, item, false);
}

bool PlayerInventoryCtrl::AddStackedItem(const Vec2& position, uint32_t id,
                                         std::vector<uint32_t>& hidden, int32_t sack)
{
    if (!AddItem(position, id, sack) || hidden.empty())
        return false;
    if (ObjectManager::Instance().GetObject<OneShot_Potion>(id) == nullptr)
        return false;
    if (PotionStack* stack = FindStack(id)) {
        for (uint32_t hiddenId : hidden)
            stack->PushStack(hiddenId);
    }
    return false;
}

bool PlayerInventoryCtrl::RemoveItem(uint32_t id, std::vector<uint32_t>& hiddenOut)
{
    const auto holder = std::find_if(sacks.begin(), sacks.end(),
                                     [id](const auto& sack) { return sack->HasItem(id); });
    if (holder == sacks.end())
        return false;
    (*holder)->RemoveItem(id);
    auto* potion = ObjectManager::Instance().GetObject<OneShot_Potion>(id);
    if (potion == nullptr)
        return true;
    potion->SetStackCount(0);
    for (auto& [name, entry] : potionMap) {
        for (auto stack = entry.stacks.begin(); stack != entry.stacks.end(); ++stack) {
            if (stack->GetVisiblePotion() != id)
                continue;
            uint32_t visible = 0;
            stack->GetPotions(visible, hiddenOut);
            entry.stacks.erase(stack);
            return true;
        }
    }
    return true;
}

PotionStack* PlayerInventoryCtrl::FindStack(uint32_t visibleId)
{
    for (auto& [name, entry] : potionMap) {
        for (PotionStack& stack : entry.stacks) {
            if (stack.GetVisiblePotion() == visibleId)
                return &stack;
        }
    }
    return nullptr;
}

void PlayerInventoryCtrl::UseOneShot(uint32_t id)
{
    Item* item = ObjectManager::Instance().GetObject<Item>(id);
    if (item == nullptr)
        return;
    if (DynamicCast<OneShot_Potion>(item) != nullptr) {
        UsePotionOfType(item->GetObjectName());
        return;
    }
    std::vector<uint32_t> hidden;
    RemoveItem(id, hidden);
    if (controller != nullptr)
        controller->UseItem(id, true);
}

} // namespace GAME
