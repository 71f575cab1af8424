#pragma once

#include "host/OrderScript.h"
#include "host/scenarios/StagedCast.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
struct HostOptions;

// `gamehost --scenario town`: two townsfolk stroll between three wander points, one stops for
// a juggler; the elder obeys a quest walk and a quest animation; a herd of three deer follows
// its herder; the hero talks to the elder, then strikes a shore crab that snaps at itself and
// dies dropping its trinkets, while a militiaman fights beside him, a turret shoots from its
// spot and an ambusher springs out. The hero obeys `--input FILE` or the built-in orders. Each
// frame prints every character whose state changed, and what dropped.
class TownReport : private StagedCast {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/HeroBrawler.dbr";
    static constexpr const char* kTownsman = "Records/Creatures/Npc/Town/Townsman.dbr";
    static constexpr const char* kJuggler = "Records/Creatures/Npc/Town/Juggler.dbr";
    static constexpr const char* kElder = "Records/Creatures/Npc/Townsfolk/VillageElder.dbr";
    static constexpr const char* kDeer = "Records/Creatures/Npc/Town/HerdDeer.dbr";
    static constexpr const char* kHerder = "Records/Creatures/Npc/Town/Herder.dbr";
    static constexpr const char* kCrab = "Records/Creatures/Monster/Town/ShoreCrab.dbr";
    static constexpr const char* kMilitiaman = "Records/Creatures/Monster/Town/Militiaman.dbr";
    static constexpr const char* kTurret = "Records/Creatures/Monster/Town/Turret.dbr";
    static constexpr const char* kAmbusher = "Records/Creatures/Monster/Town/Ambusher.dbr";
    static constexpr const char* kWanderPoint = "Records/Game/Town/WanderPoint.dbr";
    static constexpr const char* kTownsfolkController =
        "Records/Controllers/Npc/TownsfolkController.dbr";
    static const char* const kDefaultOrders;

    TownReport(const HostOptions& options, std::ostream& out, std::ostream& err)
        : StagedCast(options, out, err)
    {}

    static std::vector<std::string> Names();
    // 0 when played; 2, with one line on `err`, when the script or a sample record fails.
    int Run();

private:
    bool Play(const std::vector<ScriptOrder>& orders);
    bool Stage();
    bool StageTownsfolk();
    template <typename Kind>
    Kind* Enter(const std::string& name, const char* record, float x, float z,
                uint32_t uniqueWord = 0);
    static std::string Line(const Character& character);
};

} // namespace GAME
