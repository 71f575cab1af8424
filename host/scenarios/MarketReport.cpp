#include "host/scenarios/MarketReport.h"

#include "ai/ControllerPlayer.h"
#include "characters/NpcMerchant.h"
#include "characters/Player.h"
#include "core/RandomUniform.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "host/scenarios/ReplayMachine.h"
#include "items/MarketClient.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PlayerManagerClient.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <sstream>

namespace GAME {

namespace {

constexpr uint32_t kMarketRegion = 1;

WorldCoords MarketPlace(float x, float z)
{
    return WorldCoords(kMarketRegion, Coords::FromTranslation(Vec3(x, 0.0f, z)));
}

} // namespace

bool MarketReport::Stage(std::ostream& err, uint32_t heroId)
{
    auto* merchant =
        HostSamples::Make<NpcMerchant>(MarketReport::kMerchant, err, MarketReport::kMerchantId);
    Player* hero = HostSamples::Make<Player>(MarketReport::kPlayer, err, heroId);
    if (merchant == nullptr || hero == nullptr)
        return false;
    World& world = *gEngine->GetWorld();
    world.AddEntity(merchant, MarketPlace(2.0f, 0.0f), false);
    world.AddEntity(hero, MarketPlace(0.0f, 0.0f), false);
    merchant->InitialUpdate();
    hero->InitialUpdate();
    hero->SetIsControllingCharacter(true);
    hero->AddMoney(MarketReport::kGold);
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(heroId);
    if (ControllerPlayer* controller = hero->GetControllerPlayer())
        controller->Update(0);
    return true;
}

MarketClient* MarketReport::Market()
{
    return GameEngine::Get().GetMarketClient(kMerchantId);
}

namespace {

Player* Hero()
{
    return GameEngine::Get().GetMainPlayer();
}

const char* SackName(int32_t type)
{
    switch (type) {
    case Market_MeleeWeapons:
        return "melee weapons";
    case Market_RangedWeapons:
        return "ranged weapons";
    case Market_Armor:
        return "armour";
    default:
        return "general goods";
    }
}

const MarketStockEntry* EntryOf(const MarketClient& market, uint32_t itemId)
{
    for (const auto* entries : {&market.GetStockEntries(), &market.GetStaticEntries()}) {
        for (const MarketStockEntry& entry : *entries) {
            if (entry.itemId == itemId)
                return &entry;
        }
    }
    return nullptr;
}

bool IsStock(const MarketClient& market, const MarketStockEntry& entry)
{
    const auto& stock = market.GetStockEntries();
    return std::any_of(stock.begin(), stock.end(),
                       [&entry](const MarketStockEntry& other) { return &other == &entry; });
}

std::string Names(const ItemReplicaInfo& replica)
{
    std::string text = replica.baseName;
    for (const std::string* affix : {&replica.prefixName, &replica.suffixName}) {
        if (!affix->empty())
            text += " + " + *affix;
    }
    return ShownName(text);
}

} // namespace

MarketReport::MarketReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool MarketReport::Run()
{
    return PlaySingle() && PlayNetwork();
}

std::string MarketReport::StockKey(const MarketClient& market)
{
    std::ostringstream text;
    for (const MarketStockEntry& entry : market.GetStockEntries())
        text << "slot " << entry.slot << ' ' << Names(entry.replica) << " seed "
             << entry.replica.seed << " for " << entry.cost << '\n';
    return text.str();
}

void MarketReport::PrintStock(const MarketClient& market) const
{
    out << "  stock of bracket " << market.GetBracket() << ", seed " << market.GetSeed() << ":\n";
    for (int32_t type : {Market_MeleeWeapons, Market_RangedWeapons, Market_Armor, Market_General}) {
        const InventorySack* sack = market.GetInventorySack(type);
        if (sack == nullptr || sack->GetInventory().empty())
            continue;
        out << "    sack " << type << " (" << SackName(type) << "):\n";
        for (const auto& [id, place] : sack->GetInventory()) {
            const MarketStockEntry* entry = EntryOf(market, id);
            if (entry == nullptr)
                continue;
            const bool stock = entry->itemId == id && IsStock(market, *entry);
            out << "      " << (stock ? "slot " + std::to_string(entry->slot) : "static") << ": "
                << Names(entry->replica) << ", " << entry->cost << " gold\n";
        }
    }
}

bool MarketReport::PlaySingle()
{
    out << "scenario market as single player, seed " << options.seed << ":\n";
    return HostSamples::WithLibrary(err, [this] {
        std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kMarketRegion, {0, 0, 0},
                                          ABBox({-20, -10, -20}, {20, 10, 20}));
        GameEngine& game = GameEngine::Get();
        game.GetRandomGen().Seed(options.seed);
        bool played = Stage(err, kHeroId);
        if (played) {
            ObjectManager::Instance()
                .GetObject<NpcMerchant>(kMerchantId)
                ->OnPlayerInteract(kHeroId, false, false);
            out << "  the hero talks to the trader (" << kGold << " gold)\n";
            for (int frame = 0; frame < 3 || (Market()->GetQueuedItemCount() != 0 && frame < 200);
                 ++frame)
                game.Update(kFrameMs);
            MarketClient& market = *Market();
            PrintStock(market);
            played = !market.GetStockEntries().empty();
            if (played) {
                const MarketStockEntry first = market.GetStockEntries().front();
                market.PlayerPurchaseRequest(first.itemId);
                out << "  he buys slot " << first.slot << " for " << first.cost << ": "
                    << Hero()->GetCurrentMoney() << " gold left\n";
                market.PlayerSaleRequest(market.GetBoughtCopy(first.itemId), false);
                out << "  sells it back before closing: " << Hero()->GetCurrentMoney() << " gold\n";
                market.PlayerPurchaseRequest(first.itemId);
                const uint32_t copy = market.GetBoughtCopy(first.itemId);
                out << "  buys it again (" << Hero()->GetCurrentMoney() << " gold), closes and "
                    << "reopens\n";
                market.Close();
                Market_TypeEnum type = Market_MeleeWeapons;
                game.OpenMarket(kMerchantId, type, Vec2());
                out << "  now the trader offers " << market.GetSalePrice(copy) << " gold for it\n";
            }
        }
        HostSamples::ClearWorld(*gEngine->GetWorld());
        gEngine->SetWorld(std::move(previous));
        return played;
    });
}

bool MarketReport::PlayNetwork()
{
    out << "scenario market as server and clients:\n";
    const uint32_t seed = options.seed;
    const auto stage = [this, seed](uint32_t heroId) {
        return [this, seed, heroId] {
            GameEngine::Get().GetRandomGen().Seed(seed);
            return Stage(err, heroId);
        };
    };
    ReplayMachine server(false, stage(kHeroId));
    std::vector<ReplayMachine::Bytes> sent;
    std::string serverStock;
    // The server's own window asks for the stock; the server rolls it and sends the update.
    if (!server.Act(server.Frames(kStockFrames, kFrameMs), sent, err,
                    [&] { serverStock = StockKey(*Market()); }))
        return false;
    const std::vector<ReplayMachine::Bytes> update =
        ReplayMachine::OfClass<MarketS2CUpdatePacket>(sent);
    out << "  the server rolls its stock and sends " << update.size() << " update\n";

    // Each buyer rebuilds the stock from the update and asks for slot 0.
    std::vector<ReplayMachine::Bytes> requests;
    bool match = true;
    size_t items = 0;
    for (uint32_t buyer : {kHeroId + 1, kHeroId + 2}) {
        ReplayMachine client(true, stage(buyer));
        std::string stock;
        if (!client.Receive(update, sent, err) ||
            !client.Act(client.Frames(kStockFrames, kFrameMs), sent, err,
                        [&] { stock = StockKey(*Market()); }))
            return false;
        match = match && stock == serverStock;
        items = static_cast<size_t>(std::count(stock.begin(), stock.end(), '\n'));
        const auto buy = [] {
            MarketClient* market = Market();
            return market != nullptr && !market->GetStockEntries().empty() &&
                   market->PlayerPurchaseRequest(market->GetStockEntries().front().itemId);
        };
        if (!client.Act(buy, sent, err))
            return false;
        for (const auto& bytes : ReplayMachine::OfClass<MarketC2SPurchaseRequestPacket>(sent))
            requests.push_back(bytes);
    }
    out << "  client stock matches server: " << (match ? "yes" : "no") << " (" << items
        << " items)\n";

    if (!server.Receive(requests, sent, err))
        return false;
    const auto confirmed = ReplayMachine::Decoded<MarketS2CPurchaseConfirmationPacket>(sent);
    const auto denied = ReplayMachine::Decoded<MarketS2CPurchaseDeniedPacket>(sent);
    if (confirmed.size() != 1 || denied.size() != 1) {
        err << "gamehost: the market answered " << confirmed.size() << " confirmations and "
            << denied.size() << " denials\n";
        return false;
    }
    out << "  slot " << confirmed[0]->itemIndex << ": buyer " << confirmed[0]->buyerId
        << " confirmed, buyer " << denied[0]->buyerId << " denied (status "
        << static_cast<int32_t>(denied[0]->status) << ")\n";
    return true;
}

} // namespace GAME
