#include "host/BossEncounterMegalesios.h"

#include "characters/Megalesios.h"
#include "host/BossStage.h"

#include <memory>

namespace GAME {

namespace {

// The quest's word sets the boss off; the hero keeps out of the way.
constexpr const char* kOrders =
    "30 quest @Megalesios skill Records/Skills/Bosses/MegalesiosBursts.dbr\n"
    "600 release\n";

// What the watch saw last, so each change is told once.
struct Seen {
    bool launched = false;
    bool destroyed = false;
};

} // namespace

bool PlayMegalesiosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    auto seen = std::make_shared<Seen>();
    BossStage::Script script;
    script.builtInOrders = kOrders;
    script.entries = {{"Megalesios", "Records/Creatures/Bosses/Megalesios.dbr", 8.0f, 0.0f},
                      {"Conduit", "Records/Creatures/Bosses/MegalesiosConduit.dbr", 10.0f, 1.0f}};
    script.hitAnimations = {"Creatures/Monster/Bosses/Animations/Cast.anm"};
    script.watch = [seen](BossStage& stage, int32_t frame) {
        const auto* boss = stage.Find<Megalesios>("Megalesios");
        if (boss == nullptr)
            return;
        if (boss->IsLaunched() && !seen->launched)
            stage.Event(frame, "Megalesios launches its bursts");
        if (boss->IsConduitDestroyed() && !seen->destroyed)
            stage.Event(frame, "the conduit is destroyed");
        seen->launched = boss->IsLaunched();
        seen->destroyed = boss->IsConduitDestroyed();
    };
    script.outcome = [seen](BossStage&) {
        return std::string(seen->destroyed ? "the conduit is destroyed" : "the conduit holds");
    };
    BossStage stage(options, out, err, "megalesios");
    return stage.Run(script);
}

} // namespace GAME
