#pragma once

#include <cstdint>
#include <iosfwd>

namespace GAME {

struct HostOptions;

// `gamehost --scenario trade`: hero A plays on a server and hero B on a client, two machines in
// one process that pass each other their packets as bytes. Step by step A invites, B accepts,
// both offer items and gold and confirm; after each step the machine that acted prints both
// offers, the confirmations and the purses. A's last confirmation comes after B changed his
// offer, so it has to be given again. The server's end state closes the report.
class TradeReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kHelm = "Records/Items/Armor/IronHelm.dbr";
    static constexpr const char* kRelic = "Records/Items/Relics/HunterEye.dbr";
    static constexpr uint32_t kHeroA = 0x0C000001;
    static constexpr uint32_t kHeroB = 0x0C000002;

    TradeReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    TradeReport(const TradeReport&) = delete;
    TradeReport& operator=(const TradeReport&) = delete;

    // False, with one line on `err`, when a sample record does not make what it should or the
    // exchange does not complete on the server.
    bool Run();

private:
    // Both heroes on a fresh machine: A with two helmets and 500 gold, B with two relic shards
    // and 300 gold, each in his bag.
    bool Stage();
    void Print(bool client, const char* step);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    bool staged = true;
};

} // namespace GAME
