#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The leaping boss: three teleport points, a placed squad behind the first and third, one a
// spawner made behind the second. Each leap prints "Bandari jumps to point K".
class BossEncounterBandari {
public:
    static constexpr const char* kBoss = "Records/Creatures/Bosses/Bandari.dbr";
    static constexpr const char* kWarrior = "Records/Creatures/Bosses/TerracottaWarrior.dbr";
    static constexpr const char* kPoint = "Records/Game/Bosses/BandariTeleportPoint.dbr";
    static constexpr const char* kProxy = "Records/Game/Bosses/TerracottaProxy.dbr";
    static const char* const kDefaultOrders;

    static bool Play(const HostOptions& options, std::ostream& out, std::ostream& err);
};

} // namespace GAME
