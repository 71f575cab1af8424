#include "host/scenarios/BossEncounterSpirits.h"

#include "characters/SpiritHost.h"
#include "host/scenarios/ArenaReport.h"
#include "host/scenarios/BossEncounterStage.h"

#include <set>
#include <string>

namespace GAME {

namespace {

// The spirits find their hosts by themselves; the hero then meets what rose.
constexpr const char* kSpiritsOrders = "200 click @Statue1\n"
                                       "201 hold\n"
                                       "600 release\n";

constexpr const char* kHosts[] = {"Statue1", "Statue2"};
constexpr const char* kHost = "Records/Creatures/Bosses/SpiritHost.dbr";
constexpr const char* kSpirit = "Records/Creatures/Bosses/Spirit.dbr";

} // namespace

bool PlaySpiritsEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    std::set<std::string> risen;
    BossEncounterStage::Encounter encounter{
        "spirits",
        {"Hero", "Statue1", "Statue2", "Spirit1", "Spirit2"},
        kSpiritsOrders,
        {BossEncounterStage::Lines::WholeLife, BossEncounterStage::Events::AfterLines, false}};
    encounter.stage = [](BossEncounterStage& stage) {
        stage.MarkHitEvent("Creatures/Monster/Bosses/Animations/Rise.anm", ArenaReport::kHitEvent,
                           ArenaReport::kHitMs);
        return stage.StageHero(0.0f, 0.0f) && stage.Enter("Statue1", kHost, 6.0f, 2.0f) &&
               stage.Enter("Statue2", kHost, 7.0f, -4.0f) &&
               stage.Enter("Spirit1", kSpirit, 10.0f, 1.0f) &&
               stage.Enter("Spirit2", kSpirit, 11.0f, -2.0f);
    };
    encounter.watch = [&risen](BossEncounterStage& stage) {
        for (const char* name : kHosts) {
            const auto* host = stage.Find<SpiritHost>(name);
            if (host != nullptr && host->IsAnimated() && risen.insert(name).second)
                stage.Event(std::string(name) + " rises");
        }
    };
    encounter.outcome = [&risen](BossEncounterStage& stage) {
        size_t standing = 0;
        for (const char* name : kHosts) {
            const auto* host = stage.Find<SpiritHost>(name);
            standing += host != nullptr && host->IsAlive() ? 1 : 0;
        }
        return std::to_string(risen.size()) + " of 2 hosts rose, " + std::to_string(standing) +
               " still stand";
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
