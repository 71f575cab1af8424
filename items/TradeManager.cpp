#include "items/TradeManager.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/PlayerInventoryCtrl.h"
#include "multiplayer/GameEngineNetworkInterface.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

// How a trade runs. Each machine keeps its own player's side ("my") and a picture of the
// partner's ("his"); the two talk through the trade packets, which the network layer hands to
// the partner's machine alone.
//
// 1. A asks B (initiate, initiating). B's machine asks its player (the trade party's yes/no
//    dialog) and answers with initiate, not initiating, which A takes as the acceptance; on a yes
//    both are active. Two players who ask each other at once each take the other's request as
//    the acceptance.
// 2. While active, each offer goes to the partner as it changes: an item as its replica record
//    and its place in the window, a removal by the id the item had in the record, the gold as
//    an amount. Any change, on either side, clears both confirmations.
// 3. The offered item on the table is a copy. The original stays in the player's inventory list,
//    out of every sack, so that it can neither be used nor offered twice; a cancel or a removal
//    puts it back into the bag.
// 4. When both have confirmed, each machine carries out its own player's half: the originals
//    leave the player through replicated commands (so the server drops them too), the partner's
//    gold comes in and the own gold goes out through the network interface, and the partner's
//    items are made afresh for the player; then the trade closes.
//
// The confirmation packet cannot say which offer it confirms: a confirmation crossing an offer
// change on the wire can still end the trade on one side only.

namespace GAME {

namespace {

constexpr const char* kInviteSoundRecord = "Records/Sounds/Soundpak/UI/PartyInviteMessagePak.dbr";

Player* LocalPlayer()
{
    return gGameEngine != nullptr ? gGameEngine->GetMainPlayer() : nullptr;
}

ControllerPlayer* LocalController()
{
    Player* player = LocalPlayer();
    return player != nullptr ? player->GetControllerPlayer() : nullptr;
}

uint32_t MyId()
{
    return gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
}

GameEngineNetworkInterface* Network()
{
    return gGameEngine != nullptr ? gGameEngine->GetNetworkInterface() : nullptr;
}

// What a player can pay: his purse when his character is known here, else the offer as made.
uint32_t Affordable(uint32_t playerId, uint32_t amount)
{
    const Player* player = ObjectManager::Instance().GetObject<Player>(playerId);
    return player != nullptr ? std::min(amount, player->GetCurrentMoney()) : amount;
}

int32_t AsSigned(uint32_t amount)
{
    return static_cast<int32_t>(
        std::min<uint32_t>(amount, static_cast<uint32_t>(std::numeric_limits<int32_t>::max())));
}

} // namespace

TradeManager::TradeManager()
{
    if (SoundPak* sound =
            ObjectManager::Instance().CreateObjectFromFile<SoundPak>(kInviteSoundRecord))
        inviteSoundId = sound->GetObjectId();
    CleanUp();
}

TradeManager::~TradeManager()
{
    // By id: the object manager may have destroyed every object before the manager goes.
    ObjectManager& objects = ObjectManager::Instance();
    if (SoundPak* sound = objects.GetObject<SoundPak>(inviteSoundId))
        objects.DestroyObjectEx(sound, "Project/Game/TradeManager", __LINE__);
}

void TradeManager::CleanUp()
{
    tradePartner = 0;
    pendingInvite = 0;
    tradeActive = false;
    initiating = false;
    myTradeState.Clear();
    hisTradeState.Clear();
}

void TradeManager::ResetFinalized()
{
    myTradeState.SetFinalized(false);
    hisTradeState.SetFinalized(false);
}

void TradeManager::Update()
{
    if (pendingInvite == 0 || gGameEngine == nullptr)
        return;
    DialogManager& dialogs = gGameEngine->GetDialogManager();
    if (dialogs.GetNumResponsesFor(DialogManager::PartyTradeInvitation) == 0)
        return;
    const uint32_t inviter = pendingInvite;
    if (dialogs.GetResponseFor(DialogManager::PartyTradeInvitation).answer) {
        tradePartner = inviter;
        HandleInitiateTradeOutbound(inviter, false);
        tradeActive = true;
    } else {
        gGameEngine->DisplayMessageRemote(inviter, MyId(), false, "tagTradeError02");
        HandleCancelTradeOutbound(inviter);
    }
    pendingInvite = 0;
}

// ---- invitations and cancels ----

void TradeManager::HandleInitiateTradeOutbound(uint32_t other, bool initiating)
{
    this->initiating = initiating;
    if (initiating)
        invitedPlayer = other;
    if (GameEngineNetworkInterface* network = Network())
        network->TradeInitiate(MyId(), other);
}

void TradeManager::HandleInitiateTradeInbound(uint32_t from)
{
    // Nobody trades with himself or with no one.
    if (from == 0 || from == MyId())
        return;
    if (initiating) {
        if (from != invitedPlayer) {
            Refuse(from);
            return;
        }
        tradePartner = from;
        tradeActive = true;
        initiating = false;
        return;
    }
    if (pendingInvite == 0 && tradePartner == 0) {
        if (gGameEngine != nullptr)
            gGameEngine->GetDialogManager().AddDialog(
                DialogManager::DialogQuestion, true, DialogManager::PartyTradeInvitation,
                std::string("tagTradeError03"), false, from, false);
        if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(inviteSoundId))
            sound->Play(true);
        pendingInvite = from;
        return;
    }
    if (from != tradePartner)
        Refuse(from);
}

void TradeManager::Refuse(uint32_t from)
{
    if (gGameEngine != nullptr)
        gGameEngine->DisplayMessageRemote(from, MyId(), false, "tagTradeError01");
    if (GameEngineNetworkInterface* network = Network())
        network->TradeCancel(MyId(), from);
}

void TradeManager::HandleCancelTradeOutbound(uint32_t partner)
{
    ReturnItems();
    if (GameEngineNetworkInterface* network = Network())
        network->TradeCancel(MyId(), partner);
    tradeActive = false;
    CleanUp();
}

void TradeManager::HandleCancelTradeInbound(uint32_t from)
{
    // Only the partner, or the player asked, may call it off.
    const bool asked = initiating && from == invitedPlayer;
    if (from == 0 || (from != tradePartner && !asked))
        return;
    ReturnItems();
    tradeActive = false;
    CleanUp();
}

void TradeManager::ReturnItems()
{
    myTradeState.ReturnItems(LocalController());
}

// ---- offers ----

bool TradeManager::HandleAddItemOutbound(const Vec2& /*position*/, uint32_t itemId)
{
    ResetFinalized();
    ObjectManager& objects = ObjectManager::Instance();
    Item* item = objects.GetObject<Item>(itemId);
    Player* player = LocalPlayer();
    // An item offered twice would come out of the exchange twice.
    if (!tradeActive || item == nullptr || player == nullptr ||
        !player->GetInventory().IsItemInInventory(itemId) || myTradeState.FindCopyOf(itemId) != 0)
        return false;
    ItemReplicaInfo replica;
    item->GetItemReplicaInfo(replica);
    replica.id = objects.CreateObjectID();
    Item* copy = Item::CreateItem(replica);
    if (copy == nullptr)
        return false;
    InventorySack& sack = myTradeState.GetInventorySack();
    const Vec2 point = sack.AddItemAndReturnPoint(copy);
    if (point.x < 0.0f) {
        objects.DestroyObjectEx(copy, "Project/Game/TradeManager", __LINE__);
        return false;
    }
    myTradeState.SetStandsFor(copy->GetObjectId(), itemId);
    // Off the bag while offered; potions hidden behind it stay.
    if (ControllerPlayer* controller = LocalController()) {
        std::vector<uint32_t> hidden;
        controller->GetInventoryCtrl().RemoveItem(itemId, hidden);
        for (uint32_t potion : hidden)
            controller->GiveItemToPlayer(potion);
    }
    if (GameEngineNetworkInterface* network = Network())
        network->TradeAddItem(MyId(), tradePartner, sack.PixelsToGrid(point), replica);
    return true;
}

void TradeManager::HandleAddItemInbound(uint32_t from, const Vec2& gridPosition,
                                        const ItemReplicaInfo& replica)
{
    if (!IsFromPartner(from) || replica.id == 0 || hisTradeState.FindCopyOf(replica.id) != 0)
        return;
    ResetFinalized();
    // A fresh id here: the partner's id may already name something on this machine.
    ItemReplicaInfo local = replica;
    local.id = 0;
    Item* copy = Item::CreateItem(local);
    if (copy == nullptr)
        return;
    InventorySack& sack = hisTradeState.GetInventorySack();
    const bool inGrid = std::isfinite(gridPosition.x) && std::isfinite(gridPosition.y) &&
                        gridPosition.x >= 0.0f && gridPosition.y >= 0.0f &&
                        gridPosition.x < static_cast<float>(sack.GetWidth()) &&
                        gridPosition.y < static_cast<float>(sack.GetHeight());
    const bool taken = inGrid ? sack.AddItem(sack.GridToPixels(gridPosition), copy, true)
                              : sack.AddItem(copy, true);
    if (!taken) {
        ObjectManager::Instance().DestroyObjectEx(copy, "Project/Game/TradeManager", __LINE__);
        return;
    }
    hisTradeState.SetStandsFor(copy->GetObjectId(), replica.id);
}

bool TradeManager::HandleRemoveItemOutbound(uint32_t itemId)
{
    if (!tradeActive)
        return false;
    const uint32_t original = myTradeState.RemoveItem(itemId);
    if (original == 0)
        return false;
    ResetFinalized();
    if (ControllerPlayer* controller = LocalController())
        controller->GiveItemToPlayer(original);
    if (GameEngineNetworkInterface* network = Network())
        network->TradeRemoveItem(MyId(), tradePartner, itemId);
    return true;
}

void TradeManager::HandleRemoveItemInbound(uint32_t from, uint32_t itemId)
{
    if (!IsFromPartner(from))
        return;
    const uint32_t copy = hisTradeState.FindCopyOf(itemId);
    if (copy == 0)
        return;
    ResetFinalized();
    hisTradeState.RemoveItem(copy);
}

void TradeManager::HandleSetGoldAmountOutbound(uint32_t amount)
{
    if (!tradeActive)
        return;
    ResetFinalized();
    const Player* player = LocalPlayer();
    amount = player != nullptr ? std::min(amount, player->GetCurrentMoney()) : 0;
    myTradeState.SetGoldAmount(amount);
    if (GameEngineNetworkInterface* network = Network())
        network->TradeSetGoldAmount(MyId(), tradePartner, amount);
}

void TradeManager::HandleSetGoldAmountInbound(uint32_t from, uint32_t amount)
{
    if (!IsFromPartner(from))
        return;
    ResetFinalized();
    hisTradeState.SetGoldAmount(amount);
}

// ---- confirming and the exchange ----

void TradeManager::HandleFinalizeTradeOutbound()
{
    if (!tradeActive)
        return;
    if (GameEngineNetworkInterface* network = Network())
        network->TradeFinalize(MyId(), tradePartner);
    myTradeState.SetFinalized(true);
    if (hisTradeState.GetFinalized())
        FinalizeTradeLocally();
}

void TradeManager::HandleFinalizeTradeInbound(uint32_t from)
{
    if (!IsFromPartner(from))
        return;
    hisTradeState.SetFinalized(true);
    if (myTradeState.GetFinalized())
        FinalizeTradeLocally();
}

void TradeManager::FinalizeTradeLocally()
{
    GameEngineNetworkInterface* network = Network();
    if (!tradeActive || network == nullptr)
        return;
    const uint32_t me = MyId();
    const Player* player = LocalPlayer();
    // The purses as they are now: neither side pays more than it holds.
    const uint32_t myGold =
        player != nullptr ? std::min(myTradeState.GetGoldAmount(), player->GetCurrentMoney()) : 0;
    const uint32_t hisGold = Affordable(tradePartner, hisTradeState.GetGoldAmount());
    ControllerPlayer* controller = LocalController();
    myTradeState.RemoveItems(controller);
    network->GiveGoldToPlayer(me, AsSigned(hisGold));
    network->GiveGoldToPlayer(me, -AsSigned(myGold));
    hisTradeState.DeleteAndCreateItemsForPlayer(controller);
    HandleCancelTradeOutbound(tradePartner);
}

} // namespace GAME
