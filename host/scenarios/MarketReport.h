#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace GAME {

class MarketClient;
struct HostOptions;

// `gamehost --scenario market`: in single player the hero talks to the village trader, whose
// stock is printed sack by sack with its prices; he buys, sells back, closes and reopens, and
// the price he is offered drops. Then a server and two clients, each a machine of its own,
// exchange the encoded market packets: the client's stock must match the server's, and two
// buyers race for one slot.
class MarketReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kMerchant = "Records/Creatures/Npc/Townsfolk/Merchant.dbr";
    static constexpr uint32_t kMerchantId = 800;
    static constexpr uint32_t kHeroId = 0x10000001;
    static constexpr uint32_t kGold = 1000;
    static constexpr int32_t kFrameMs = 100;
    // Enough frames for a window to ask, the server to answer and every item to be made.
    static constexpr int kStockFrames = 40;

    MarketReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    MarketReport(const MarketReport&) = delete;
    MarketReport& operator=(const MarketReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its character.
    bool Run();

    // Each stock slot with its record names, seed and price, one a line: what two machines
    // must agree on.
    static std::string StockKey(const MarketClient& market);
    // The trader and a rich hero (the main player) in the world, under the same ids on every
    // machine; false, with one line on `err`, when a record does not make its character.
    static bool Stage(std::ostream& err, uint32_t heroId);
    // The trader's market on this machine; null without one.
    static MarketClient* Market();

private:
    bool PlaySingle();
    bool PlayNetwork();
    void PrintStock(const MarketClient& market) const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
