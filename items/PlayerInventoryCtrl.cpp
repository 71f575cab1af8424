#include "items/PlayerInventoryCtrl.h"

#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/OneShot_Potion.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace GAME {

namespace {

// A sack is a small grid; anything near this many records is a damaged or hostile save.
constexpr uint32_t kMaxSackRecords = 65536;
// A record at this cell is a potion hidden behind the visible one before it.
constexpr int32_t kHiddenCell = -1;

} // namespace

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

bool PlayerInventoryCtrl::IsSpaceAvailable(const Item* item) const
{
    return std::any_of(sacks.begin(), sacks.end(),
                       [item](const auto& sack) { return sack->IsSpaceForItem(item); });
}

bool PlayerInventoryCtrl::AddItem(uint32_t id, bool anySack)
{
    Item* item = ObjectManager::Instance().GetObject<Item>(id);
    if (item == nullptr)
        return false;
    if (item->GetBitmap() == nullptr) {
        gEngine->Log(Engine::LogData, "Item %s has no inventory bitmap; not taken",
                     item->GetObjectName().c_str());
        return false;
    }
    if (sacks[0]->AddItem(item, true))
        return true;
    if (!anySack || selectedSack == 0)
        return false;
    if (sacks[selectedSack]->AddItem(item, true))
        return true;
    for (uint32_t i = 0; i < sacks.size(); ++i) {
        if (i != selectedSack && sacks[i]->AddItem(item, true)) {
            sacks[i]->SetItemAddedWhileNotSelected(true);
            return true;
        }
    }
    return false;
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

const std::vector<uint32_t>& PlayerInventoryCtrl::GetHiddenPotions(uint32_t visibleId) const
{
    static const std::vector<uint32_t> none;
    const auto found = hiddenPotions.find(visibleId);
    return found == hiddenPotions.end() ? none : found->second;
}

void PlayerInventoryCtrl::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    const bool reading = stream->IsReading();
    stream->BeginBlock();
    bool gridCoords = !reading;
    stream->StreamBool("itemPositionsSavedAsGridCoords", gridCoords);
    uint32_t count = GetNumberOfSacks();
    stream->StreamUInt("numberOfSacks", count);
    uint32_t focus = focusSack;
    stream->StreamUInt("currentlyFocusedSackNumber", focus);
    uint32_t selected = selectedSack;
    stream->StreamUInt("currentlySelectedSackNumber", selected);
    if (reading) {
        if (stream->HasFailed()) {
            stream->EndBlock();
            return;
        }
        RestoreNumberOfSacks(count);
        SetFocusSackNumber(focus);
        SetSelectedSackNumber(selected);
        // Blocks for sacks that cannot exist are passed over when the outer block closes.
        count = std::min(count, GetNumberOfSacks());
    }
    uint32_t lastPotion = 0;
    for (uint32_t i = 0; i < count && !stream->HasFailed(); ++i) {
        if (reading)
            ReadSack(stream, *sacks[i], gridCoords, lastPotion);
        else
            WriteSack(stream, *sacks[i]);
    }
    stream->EndBlock();
}

void PlayerInventoryCtrl::WriteSack(IOStream* stream, InventorySack& sack)
{
    // Items that vanished from the world are left out, so the count matches the records.
    std::vector<std::pair<const Item*, InventorySack::Cell>> records;
    for (const auto& [id, rect] : sack.GetInventory()) {
        const Item* item = ObjectManager::Instance().GetObject<Item>(id);
        if (item == nullptr)
            continue;
        // An item not yet placed is saved at the first cell rather than as a hidden potion.
        const Vec2 grid = sack.PixelsToGrid(Vec2(rect.x, rect.y));
        records.emplace_back(item,
                             InventorySack::Cell{std::max(SaturateToInt(std::floor(grid.x)), 0),
                                                 std::max(SaturateToInt(std::floor(grid.y)), 0)});
        for (uint32_t hiddenId : GetHiddenPotions(id)) {
            if (const Item* hidden = ObjectManager::Instance().GetObject<Item>(hiddenId))
                records.emplace_back(hidden, InventorySack::Cell{kHiddenCell, kHiddenCell});
        }
    }
    stream->BeginBlock();
    bool flag = sack.IsItemAddedWhileNotSelected();
    stream->StreamBool("tempBool", flag);
    uint32_t size = static_cast<uint32_t>(records.size());
    stream->StreamUInt("size", size);
    for (auto& [item, cell] : records) {
        ItemReplicaInfo info;
        item->GetItemReplicaInfo(info);
        StreamItemRecord(stream, info, cell);
    }
    stream->EndBlock();
}

void PlayerInventoryCtrl::ReadSack(IOStream* stream, InventorySack& sack, bool gridCoords,
                                   uint32_t& lastPotion)
{
    stream->BeginBlock();
    bool flag = false;
    stream->StreamBool("tempBool", flag);
    uint32_t size = 0;
    stream->StreamUInt("size", size);
    if (stream->HasFailed()) {
        stream->EndBlock();
        return;
    }
    sack.SetItemAddedWhileNotSelected(flag);
    if (size > kMaxSackRecords) {
        gEngine->Log(Engine::LogData, "Inventory sack holds %u items, more than %u; sack skipped",
                     size, kMaxSackRecords);
        size = 0;
    }
    for (uint32_t i = 0; i < size && !stream->HasFailed(); ++i) {
        ItemReplicaInfo info;
        InventorySack::Cell cell;
        StreamItemRecord(stream, info, cell);
        if (!stream->HasFailed())
            PlaceReadItem(sack, info, cell, gridCoords, lastPotion);
    }
    stream->EndBlock();
}

void PlayerInventoryCtrl::StreamItemRecord(IOStream* stream, ItemReplicaInfo& info,
                                           InventorySack::Cell& cell)
{
    stream->BeginBlock();
    info.StreamProperties(stream);
    stream->StreamInt("pointX", cell.x);
    stream->StreamInt("pointY", cell.y);
    stream->EndBlock();
}

void PlayerInventoryCtrl::PlaceReadItem(InventorySack& sack, ItemReplicaInfo& info,
                                        InventorySack::Cell cell, bool gridCoords,
                                        uint32_t& lastPotion)
{
    const bool hidden = cell.x == kHiddenCell || cell.y == kHiddenCell;
    Character* character = GetCarrier();
    // Without a character to carry it, or a potion to hide behind, the item would belong to
    // nobody; it is not made at all.
    if (character == nullptr || (hidden && lastPotion == 0)) {
        gEngine->Log(Engine::LogData, "Inventory item %s not restored: %s", info.baseName.c_str(),
                     character == nullptr ? "no character" : "hidden potion without a potion");
        return;
    }
    info.id = 0;
    Item* item = Item::CreateItem(info);
    if (item == nullptr)
        return;
    const uint32_t id = item->GetObjectId();
    character->GetInventory().AddItemToInventory(id, true);
    if (hidden) {
        hiddenPotions[lastPotion].push_back(id);
        if (auto* visible = ObjectManager::Instance().GetObject<OneShot_Potion>(lastPotion))
            visible->SetStackCount(static_cast<uint32_t>(hiddenPotions[lastPotion].size()));
        return;
    }
    if (!gridCoords) {
        const Vec2 grid =
            sack.PixelsToGrid(Vec2(static_cast<float>(cell.x), static_cast<float>(cell.y)));
        cell = {SaturateToInt(std::floor(grid.x)), SaturateToInt(std::floor(grid.y))};
    }
    sack.AddItem(id, cell);
    if (DynamicCast<OneShot_Potion>(item) != nullptr)
        lastPotion = id;
}

} // namespace GAME
