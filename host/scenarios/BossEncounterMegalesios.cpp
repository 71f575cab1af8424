#include "host/scenarios/BossEncounterMegalesios.h"

#include "characters/Megalesios.h"
#include "host/scenarios/ArenaReport.h"
#include "host/scenarios/BossEncounterStage.h"

#include <string>

namespace GAME {

namespace {

// The quest's word sets the boss off; the hero keeps out of the way.
constexpr const char* kMegalesiosOrders =
    "30 quest @Megalesios skill Records/Skills/Bosses/MegalesiosBursts.dbr\n"
    "600 release\n";
constexpr const char* kMegalesiosCast = "Creatures/Monster/Bosses/Animations/Cast.anm";

// What the watch saw last, so each change is told once.
struct Seen {
    bool launched = false;
    bool destroyed = false;
};

} // namespace

bool PlayMegalesiosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    Seen seen;
    BossEncounterStage::Encounter encounter{
        "megalesios",
        {"Hero", "Megalesios", "Conduit"},
        kMegalesiosOrders,
        {BossEncounterStage::Lines::WholeLife, BossEncounterStage::Events::AfterLines, false}};
    encounter.stage = [](BossEncounterStage& stage) {
        stage.MarkHitEvent(kMegalesiosCast, ArenaReport::kHitEvent, ArenaReport::kHitMs);
        return stage.StageHero(0.0f, 0.0f) &&
               stage.Enter("Megalesios", "Records/Creatures/Bosses/Megalesios.dbr", 8.0f, 0.0f) &&
               stage.Enter("Conduit", "Records/Creatures/Bosses/MegalesiosConduit.dbr", 10.0f,
                           1.0f);
    };
    encounter.watch = [&seen](BossEncounterStage& stage) {
        const auto* boss = stage.Find<Megalesios>("Megalesios");
        if (boss == nullptr)
            return;
        if (boss->IsLaunched() && !seen.launched)
            stage.Event("Megalesios launches its bursts");
        if (boss->IsConduitDestroyed() && !seen.destroyed)
            stage.Event("the conduit is destroyed");
        seen.launched = boss->IsLaunched();
        seen.destroyed = boss->IsConduitDestroyed();
    };
    encounter.outcome = [&seen](BossEncounterStage&) {
        return std::string(seen.destroyed ? "the conduit is destroyed" : "the conduit holds");
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
