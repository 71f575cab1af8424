#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

struct HostOptions;

// `gamehost --scenario drops`: as a server, the hero strikes down a chieftain whose loot and
// gold fall; each item is printed where it lands with its two velocities, and each packet the
// server sent. A gold gift, a quest's walk order and a chest's lock follow. The packets are then
// replayed into a fresh engine started as a client, which prints its own item lines; the two
// machines' lines are compared.
class DropsReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kChieftain = "Records/Creatures/Monster/Arena/PackChieftain.dbr";
    static constexpr const char* kPotion = "Records/Items/Potions/HealthPotion.dbr";
    static constexpr const char* kShield = "Records/Items/Shields/WoodenShield.dbr";
    static constexpr uint32_t kHeroId = 0x10000001;
    static constexpr uint32_t kChieftainId = 900;
    static constexpr uint32_t kChestId = 901;

    DropsReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    DropsReport(const DropsReport&) = delete;
    DropsReport& operator=(const DropsReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its object.
    bool Run();

private:
    bool PlayServer();
    bool ReplayClient();
    // The packets sent since the last call: printed, kept for the client, and carried out on
    // this machine too, since the transport hands a server's packets to every machine.
    void Deliver(const char* what);
    // The lines of what the recorded packets made on this machine.
    std::string Landed();

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::vector<std::vector<uint8_t>> recorded;
    std::vector<uint32_t> itemIds;
    std::string serverItems;
    std::string clientItems;
};

} // namespace GAME
