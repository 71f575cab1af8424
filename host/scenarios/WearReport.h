#pragma once

#include <cstdint>
#include <iosfwd>

namespace GAME {

class CursorHandler;
class Player;
struct HostOptions;

// `gamehost --scenario wear`: in single player the hero puts on a helmet, a sword and a shield
// through the cursor, and every slot is printed with its item, whether it is worn, where it
// hangs and the hand state. Weakened below the helmet's strength, the hero sheds it at the next
// sift while it stays in its slot. Three relic shards are set together until the relic is
// complete, and the complete relic goes into the sword once the confirmation is answered.
class WearReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kHelm = "Records/Items/Armor/IronHelm.dbr";
    static constexpr const char* kSword = "Records/Items/Weapons/TrainingSword.dbr";
    static constexpr const char* kShield = "Records/Items/Shields/WoodenShield.dbr";
    static constexpr const char* kRelic = "Records/Items/Relics/HunterEye.dbr";

    WearReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    WearReport(const WearReport&) = delete;
    WearReport& operator=(const WearReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make what it should.
    bool Run();

private:
    bool Play(Player& hero);
    bool Equip(Player& hero, const char* record, int32_t location);
    void PrintSlots(Player& hero);
    bool CombineShards(Player& hero);
    bool SetIntoSword(Player& hero, uint32_t relic);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
