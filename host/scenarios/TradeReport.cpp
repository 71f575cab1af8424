#include "host/scenarios/TradeReport.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/scenarios/TwoMachines.h"
#include "items/EquipManager.h"
#include "items/Item.h"
#include "items/PlayerInventoryCtrl.h"
#include "items/TradeManager.h"
#include "multiplayer/PlayerManagerClient.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace GAME {

namespace {

TradeManager& Trades()
{
    return *GameEngine::Get().GetTradeManager();
}

Player* HeroById(uint32_t id)
{
    return ObjectManager::Instance().GetObject<Player>(id);
}

// The record names of what the player carries and wears, sorted.
std::vector<std::string> Holdings(uint32_t playerId)
{
    std::vector<std::string> names;
    Player* player = HeroById(playerId);
    if (player == nullptr)
        return names;
    std::vector<uint32_t> ids = player->GetInventory().GetInventoryItems();
    for (const EquipManagerContainer& worn : player->GetAttachedItems())
        ids.push_back(worn.itemId);
    for (uint32_t id : ids) {
        if (const Item* item = ObjectManager::Instance().GetObject<Item>(id))
            names.push_back(item->GetObjectName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Describe(const TradeState& side)
{
    std::string text;
    for (const auto& entry : side.GetInventorySack().GetInventory()) {
        const Item* item = ObjectManager::Instance().GetObject<Item>(entry.first);
        text += (item != nullptr ? item->GetObjectName() : std::string("?")) + ", ";
    }
    return text + std::to_string(side.GetGoldAmount()) + " gold" +
           (side.GetFinalized() ? ", confirmed" : "");
}

// The main player's first items of the record go on the table.
void Offer(const char* record, int count)
{
    Player* player = GameEngine::Get().GetMainPlayer();
    const std::vector<uint32_t> ids = player->GetInventory().GetInventoryItems();
    for (uint32_t id : ids) {
        const Item* item = ObjectManager::Instance().GetObject<Item>(id);
        if (count > 0 && item != nullptr && item->GetObjectName() == record &&
            Trades().HandleAddItemOutbound({0.0f, 0.0f}, id))
            --count;
    }
}

} // namespace

TradeReport::TradeReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool TradeReport::Stage()
{
    uint32_t nextItem = 0x0C000100;
    for (uint32_t heroId : {kHeroA, kHeroB}) {
        Player* hero = HostSamples::Make<Player>(kPlayer, err, heroId);
        if (hero == nullptr)
            return false;
        gEngine->GetWorld()->AddEntity(hero, WorldCoords(1, Coords()), false);
        hero->InitialUpdate();
        // A player of another machine gets no controller of his own here; the trade's
        // settling goes through one, so each hero has one.
        if (hero->GetControllerPlayer() == nullptr) {
            auto* controller = static_cast<ControllerPlayer*>(
                ObjectManager::Instance().CreateObject("ControllerPlayer"));
            controller->AttachParent(heroId);
            hero->SetControllerId(controller->GetObjectId());
        }
        hero->AddMoney(heroId == kHeroA ? 500 : 300);
        for (int i = 0; i < 2; ++i) {
            ItemReplicaInfo info;
            info.baseName = heroId == kHeroA ? kHelm : kRelic;
            info.id = nextItem++;
            info.seed = info.id;
            Item* item = Item::CreateItem(info);
            if (item == nullptr)
                return false;
            hero->GetInventory().AddItemToInventory(item->GetObjectId(), false);
            hero->GetControllerPlayer()->GetInventoryCtrl().AddItem(item->GetObjectId(), false);
        }
    }
    return true;
}

void TradeReport::Print(bool client, const char* step)
{
    out << (client ? "client (B): " : "server (A): ") << step << '\n';
    const TradeManager& trades = Trades();
    out << "  trade " << (trades.GetIsTradeActive() ? "active" : "closed")
        << (trades.GetPendingInvite() != 0 ? ", an invitation waits" : "") << '\n';
    out << "  my offer:  " << Describe(trades.GetMyTradeState()) << '\n';
    out << "  his offer: " << Describe(trades.GetHisTradeState()) << '\n';
    out << "  purses: A " << HeroById(kHeroA)->GetCurrentMoney() << ", B "
        << HeroById(kHeroB)->GetCurrentMoney() << '\n';
}

bool TradeReport::Run()
{
    out << "scenario trade, A on a server and B on a client:\n";
    TwoMachines machines(
        [this](bool client) {
            staged = staged && Stage();
            GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(client ? kHeroB : kHeroA);
        },
        options.seed, kHeroA, kHeroB);
    struct Step {
        bool client;
        const char* text;
        std::function<void()> act;
    };
    const Step steps[] = {
        {false, "A invites B", [] { Trades().HandleInitiateTradeOutbound(kHeroB, true); }},
        {true, "B answers the invitation yes",
         [] {
             GameEngine::Get().GetDialogManager().AddResponse(
                 {DialogManager::PartyTradeInvitation, true});
             Trades().Update();
         }},
        {false, "A offers two helmets and 120 gold, and confirms",
         [] {
             Offer(kHelm, 2);
             Trades().HandleSetGoldAmountOutbound(120);
             Trades().HandleFinalizeTradeOutbound();
         }},
        {true, "B offers a relic shard and 40 gold, and confirms",
         [] {
             Offer(kRelic, 1);
             Trades().HandleSetGoldAmountOutbound(40);
             Trades().HandleFinalizeTradeOutbound();
         }},
        {false, "A confirms again: B's offer changed after A's first confirmation",
         [] { Trades().HandleFinalizeTradeOutbound(); }},
        {true, "B hears A's confirmation", [] {}},
    };
    for (const Step& step : steps) {
        machines.Act(step.client, step.act);
        machines.Look(step.client, [this, &step] { Print(step.client, step.text); });
    }
    bool complete = false;
    machines.Look(false, [this, &complete] {
        const std::vector<std::string> a = Holdings(kHeroA), b = Holdings(kHeroB);
        out << "server's end state:\n  A holds:";
        for (const std::string& name : a)
            out << ' ' << name;
        out << "\n  B holds:";
        for (const std::string& name : b)
            out << ' ' << name;
        out << "\n  purses: A " << HeroById(kHeroA)->GetCurrentMoney() << ", B "
            << HeroById(kHeroB)->GetCurrentMoney() << '\n';
        complete = std::count(a.begin(), a.end(), kRelic) == 1 &&
                   std::count(b.begin(), b.end(), kHelm) == 2 && a.size() + b.size() == 4 &&
                   HeroById(kHeroA)->GetCurrentMoney() == 420 &&
                   HeroById(kHeroB)->GetCurrentMoney() == 380;
    });
    out << "exchange complete on the server: " << (complete ? "yes" : "no") << '\n';
    if (!staged)
        err << "gamehost: the sample heroes or their items could not be made\n";
    return staged && complete;
}

} // namespace GAME
