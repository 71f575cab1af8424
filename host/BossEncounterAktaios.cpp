#include "host/BossEncounterAktaios.h"

#include "characters/Monster.h"
#include "engine/Vec3.h"
#include "engine/WorldCoords.h"
#include "host/BossArena.h"

#include <string>

namespace GAME {

namespace {

constexpr const char* kAktaios = "Records/Creatures/Bosses/Aktaios.dbr";
// A step longer than any run in one frame: the boss stands somewhere else at once.
constexpr float kTradeDistance = 1.5f;
// The quest has the boss cast its mirage, then the hero goes for it.
constexpr const char* kOrders = "5 quest @Aktaios skill Records/Skills/Show/Mirage.dbr @Hero\n"
                                "90 click @Aktaios\n"
                                "91 hold\n"
                                "400 release\n";

} // namespace

bool PlayAktaiosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    BossArena arena(options, out, err);
    Vec3 last;
    int trades = 0;
    const auto stage = [&] {
        const Monster* boss = arena.Enter("Aktaios", kAktaios, 6.0f, 0.0f);
        if (boss != nullptr)
            last = boss->GetCoords().GetRegionCoords().origin;
        return boss != nullptr;
    };
    const auto watch = [&](int32_t frame) {
        const auto* boss = arena.Find<Monster>("Aktaios");
        if (boss == nullptr)
            return;
        const Vec3 now = boss->GetCoords().GetRegionCoords().origin;
        if ((now - last).Length() > kTradeDistance) {
            ++trades;
            arena.Event(frame, "Aktaios trades places");
        }
        last = now;
    };
    const auto outcome = [&] {
        const auto* boss = arena.Find<Monster>("Aktaios");
        const std::string fate = boss != nullptr && boss->IsAlive() ? "stands" : "falls";
        return "Aktaios traded places " + std::to_string(trades) + " times and " + fate;
    };
    return arena.Run("aktaios", {"Hero", "Aktaios"}, kOrders, stage, watch, outcome);
}

} // namespace GAME
