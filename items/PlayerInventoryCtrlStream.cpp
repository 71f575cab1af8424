#include "characters/Character.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/OneShot_Potion.h"
#include "items/PlayerInventoryCtrl.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

// The bag's block of the save. Each sack writes its items in id order with their cells; a
// potion's record is followed by one record per potion hidden behind it, at cell (-1, -1), so
// a stack comes back whole whatever the stack limit is by then. A stream may name more sacks
// than a bag can have: the items of the extra blocks still come back, into whatever sack has
// room.

namespace GAME {

namespace {

// A sack is a small grid; anything near this many records is a damaged or hostile save.
constexpr uint32_t kMaxSackRecords = 65536;
constexpr int32_t kHiddenCell = -1;

struct SackRecord {
    const Item* item;
    int32_t x;
    int32_t y;
};

void StreamItemRecord(IOStream* stream, ItemReplicaInfo& info, int32_t& x, int32_t& y)
{
    stream->BeginBlock();
    info.StreamProperties(stream);
    stream->StreamInt("pointX", x);
    stream->StreamInt("pointY", y);
    stream->EndBlock();
}

} // namespace

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
    if (reading && !stream->HasFailed()) {
        RestoreNumberOfSacks(count);
        SetFocusSackNumber(focus);
        SetSelectedSackNumber(selected);
    }
    uint32_t lastPotion = 0;
    for (uint32_t i = 0; i < count && !stream->HasFailed(); ++i) {
        InventorySack* sack = i < sacks.size() ? sacks[i].get() : nullptr;
        if (reading)
            ReadSack(stream, sack, gridCoords, lastPotion);
        else
            WriteSack(stream, *sack);
    }
    stream->EndBlock();
}

void PlayerInventoryCtrl::WriteSack(IOStream* stream, InventorySack& sack)
{
    // Items that vanished from the world are left out, so the count matches the records.
    const ObjectManager& objects = ObjectManager::Instance();
    std::vector<SackRecord> records;
    for (const auto& [id, rect] : sack.GetInventory()) {
        const Item* item = objects.GetObject<Item>(id);
        if (item == nullptr)
            continue;
        // An item not yet placed is saved at the first cell rather than as a hidden potion.
        const Vec2 grid = sack.PixelsToGrid(Vec2(rect.x, rect.y));
        records.push_back({item, std::max(SaturateToInt(std::floor(grid.x)), 0),
                           std::max(SaturateToInt(std::floor(grid.y)), 0)});
        if (const PotionStack* stack = FindStack(id)) {
            uint32_t visible = 0;
            std::vector<uint32_t> hidden;
            stack->GetPotions(visible, hidden);
            for (uint32_t hiddenId : hidden) {
                if (const Item* potion = objects.GetObject<Item>(hiddenId))
                    records.push_back({potion, kHiddenCell, kHiddenCell});
            }
        }
    }
    stream->BeginBlock();
    bool flag = sack.IsItemAddedWhileNotTheCurrentlySelectedInventoryTab();
    stream->StreamBool("tempBool", flag);
    uint32_t size = static_cast<uint32_t>(records.size());
    stream->StreamUInt("size", size);
    for (SackRecord& record : records) {
        ItemReplicaInfo info;
        record.item->GetItemReplicaInfo(info);
        StreamItemRecord(stream, info, record.x, record.y);
    }
    stream->EndBlock();
}

void PlayerInventoryCtrl::ReadSack(IOStream* stream, InventorySack* sack, bool gridCoords,
                                   uint32_t& lastPotion)
{
    if (!stream->BeginBlock())
        return;
    bool flag = false;
    stream->StreamBool("tempBool", flag);
    uint32_t size = 0;
    stream->StreamUInt("size", size);
    if (stream->HasFailed()) {
        stream->EndBlock();
        return;
    }
    if (sack != nullptr)
        sack->SetItemAddedWhileNotTheCurrentlySelectedInventoryTab(flag);
    // Skipping the sack would leave a hero without its items, saved so by the next save.
    if (size > kMaxSackRecords) {
        gEngine->Log(Engine::LogData, "Inventory sack holds %u items, more than %u; save refused",
                     size, kMaxSackRecords);
        stream->Refuse("is damaged: a sack holds " + std::to_string(size) + " items, more than " +
                       std::to_string(kMaxSackRecords));
        return;
    }
    for (uint32_t i = 0; i < size && !stream->HasFailed(); ++i) {
        ItemReplicaInfo info;
        int32_t x = 0;
        int32_t y = 0;
        StreamItemRecord(stream, info, x, y);
        if (!stream->HasFailed() && !PlaceReadItem(sack, info, x, y, gridCoords, lastPotion))
            stream->PassOver(info.baseName);
    }
    stream->EndBlock();
}

bool PlayerInventoryCtrl::PlaceReadItem(InventorySack* sack, ItemReplicaInfo& info, int32_t x,
                                        int32_t y, bool gridCoords, uint32_t& lastPotion)
{
    Character* character = GetCarrier();
    // Without a character to carry it the item would belong to nobody; it is not made at all.
    if (character == nullptr) {
        gEngine->Log(Engine::LogData, "Inventory item %s not restored: no character",
                     info.baseName.c_str());
        return false;
    }
    info.id = 0;
    Item* item = Item::CreateSavedItem(info);
    if (item == nullptr)
        return false;
    const uint32_t id = item->GetObjectId();
    character->GetInventory().AddItemToInventory(id, true);
    const bool hidden = x == kHiddenCell || y == kHiddenCell;
    PotionStack* stack = hidden ? FindStack(lastPotion) : nullptr;
    if (stack != nullptr) {
        stack->PushStack(id);
        return true;
    }
    // A hidden potion with nothing to hide behind, or an item of a sack the bag cannot have,
    // still comes back: wherever there is room.
    if (hidden || sack == nullptr) {
        AddItem(id, true);
        return true;
    }
    Vec2 position(static_cast<float>(x), static_cast<float>(y));
    if (gridCoords)
        position = sack->GridToPixels(position);
    // An item without a bitmap still keeps its one cell rather than drop out of the bag.
    if (!sack->AddItem(position, item, true)) {
        const Vec2 grid = sack->PixelsToGrid(position);
        sack->AddItem(id, InventorySack::Cell{SaturateToInt(std::floor(grid.x)),
                                              SaturateToInt(std::floor(grid.y))});
    }
    if (auto* potion = DynamicCast<OneShot_Potion>(item)) {
        lastPotion = id;
        AddToOneShotMap(NormalizePotionName(item->GetObjectName()), potion);
    }
    return true;
}

} // namespace GAME
