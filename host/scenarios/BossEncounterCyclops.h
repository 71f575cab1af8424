#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The charging boss: woken by a quest order it walks to its script point, roars
// ("Cyclops roars"), charges the hero through his ally and fights.
class BossEncounterCyclops {
public:
    static constexpr const char* kBoss = "Records/Creatures/Bosses/Cyclops.dbr";
    static constexpr const char* kAlly = "Records/Creatures/Bosses/Satyr.dbr";
    static constexpr const char* kScriptPoint = "Records/Game/Bosses/CyclopsScriptPoint.dbr";
    static const char* const kDefaultOrders;

    static bool Play(const HostOptions& options, std::ostream& out, std::ostream& err);
};

} // namespace GAME
