#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The caster boss against the hero: its taunts and throws of the first phase, then the
// direct attacks of the second.
class BossEncounterTelkine {
public:
    static constexpr const char* kBoss = "Records/Creatures/Bosses/Telkine.dbr";
    static const char* const kDefaultOrders;

    static bool Play(const HostOptions& options, std::ostream& out, std::ostream& err);
};

} // namespace GAME
