#include "items/CursorHandlerRelicCombine.h"

#include "ai/ControllerPlayer.h"
#include "core/DialogManager.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/EquipmentCtrl.h"
#include "items/ItemRelic.h"
#include "items/PlayerInventoryCtrl.h"

namespace GAME {

namespace {

constexpr int32_t kRelicFocusedSack = -1;
constexpr uint32_t kRelicTutorialPage = 19;

ItemRelic* FindRelic(uint32_t id)
{
    return ObjectManager::Instance().GetObject<ItemRelic>(id);
}

} // namespace

CursorHandlerRelicCombine::CursorHandlerRelicCombine()
{
    if (gGameEngine != nullptr)
        LoadActivationSound(gGameEngine->GetDatabase().GetString("relicCursorActivationSound", ""));
}

CursorHandlerRelicCombine::~CursorHandlerRelicCombine()
{
    GraphicsEngine::Instance().UnloadTexture(bitmap);
}

void CursorHandlerRelicCombine::Carry(uint32_t id)
{
    relicId = id;
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    graphics.UnloadTexture(bitmap);
    const ItemRelic* relic = FindRelic(id);
    bitmap = relic != nullptr ? relic->GetBitmap() : nullptr;
    if (bitmap != nullptr)
        graphics.LoadTexture(bitmap->GetName());
}

void CursorHandlerRelicCombine::SetId(uint32_t id)
{
    Carry(id);
    if (gGameEngine != nullptr)
        gGameEngine->UnlockTutorialPage(kRelicTutorialPage, true);
}

void CursorHandlerRelicCombine::SetEquipId(EquipmentCtrlLocation /*location*/, uint32_t id)
{
    Carry(id);
}

uint32_t CursorHandlerRelicCombine::GetInventoryTarget() const
{
    const PlayerInventoryCtrl* inventory = GetInventoryCtrl();
    const uint32_t under = inventory != nullptr
                               ? inventory->GetItemUnderPoint(relativePosition, kRelicFocusedSack)
                               : 0;
    return under != relicId ? under : 0;
}

uint32_t CursorHandlerRelicCombine::GetEquipTarget(EquipmentCtrlLocation location) const
{
    const EquipmentCtrl* equipment = GetEquipmentCtrl();
    return equipment != nullptr ? equipment->GetItem(location) : 0;
}

bool CursorHandlerRelicCombine::UseOn(uint32_t target)
{
    ItemRelic* relic = FindRelic(relicId);
    Item* item = ObjectManager::Instance().GetObject<Item>(target);
    if (relic == nullptr || item == nullptr) {
        relicId = 0;
        return false;
    }
    bool needsConfirmation = false;
    if (!relic->CanRelicBeUsedOn(item, needsConfirmation))
        return false;
    if (!needsConfirmation) {
        targetId = target;
        UseRelic();
        return true;
    }
    if (gGameEngine != nullptr)
        gGameEngine->GetDialogManager().AddDialog(
            DialogManager::DialogQuestion, true, DialogManager::PartyRelicCombine,
            std::string("tagRelicCombineDialog"), false, 0u, false);
    targetId = target;
    return true;
}

void CursorHandlerRelicCombine::UseRelic()
{
    if (ControllerPlayer* controller = GetPlayerCtrl())
        controller->UseRelic(relicId, targetId);
    Cancel();
}

bool CursorHandlerRelicCombine::PrimaryInventoryActivate()
{
    return UseOn(GetInventoryTarget());
}

bool CursorHandlerRelicCombine::PrimaryEquipActivate(EquipmentCtrlLocation location)
{
    return UseOn(GetEquipTarget(location));
}

bool CursorHandlerRelicCombine::IsEquipConflict(EquipmentCtrlLocation location,
                                                bool& /*reserved*/) const
{
    const ItemRelic* relic = FindRelic(relicId);
    Item* target = ObjectManager::Instance().GetObject<Item>(GetEquipTarget(location));
    bool needsConfirmation = false;
    return relic == nullptr || !relic->CanRelicBeUsedOn(target, needsConfirmation);
}

void CursorHandlerRelicCombine::Update()
{
    if (targetId == 0 || gGameEngine == nullptr)
        return;
    DialogManager& dialogs = gGameEngine->GetDialogManager();
    if (dialogs.GetNumResponsesFor(DialogManager::PartyRelicCombine) == 0)
        return;
    if (dialogs.GetResponseFor(DialogManager::PartyRelicCombine).answer)
        UseRelic();
    else
        Cancel();
}

bool CursorHandlerRelicCombine::Escape()
{
    if (targetId != 0)
        return false;
    Cancel();
    return true;
}

bool CursorHandlerRelicCombine::Cancel()
{
    relicId = 0;
    targetId = 0;
    return true;
}

bool CursorHandlerRelicCombine::ActivateWorld()
{
    relicId = 0;
    return true;
}

void CursorHandlerRelicCombine::GetInventoryHighlights(std::vector<Rect>& placeRects,
                                                       std::vector<Rect>& /*conflictRects*/,
                                                       std::vector<Rect>& /*blockedRects*/,
                                                       uint32_t& itemUnder) const
{
    itemUnder = 0;
    const PlayerInventoryCtrl* inventory = GetInventoryCtrl();
    const InventorySack* sack =
        inventory != nullptr ? inventory->GetSack(kRelicFocusedSack) : nullptr;
    if (sack == nullptr)
        return;
    const auto& items = sack->GetInventory();
    if (const auto own = items.find(relicId); own != items.end())
        placeRects.push_back(own->second);
    itemUnder = GetInventoryTarget();
    const ItemRelic* relic = FindRelic(relicId);
    Item* target = ObjectManager::Instance().GetObject<Item>(itemUnder);
    bool needsConfirmation = false;
    const auto under = items.find(itemUnder);
    if (under != items.end() && relic != nullptr &&
        relic->CanRelicBeUsedOn(target, needsConfirmation))
        placeRects.push_back(under->second);
}

} // namespace GAME
