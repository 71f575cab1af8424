#include "host/scenarios/BossEncounterOrmenos.h"

#include "characters/Character.h"
#include "characters/Ormenos.h"
#include "host/scenarios/ArenaReport.h"
#include "host/scenarios/BossEncounterStage.h"

#include <string>

namespace GAME {

namespace {

// The hero opens on the boss; a quest has it burn the giant's chains, and the sickle goes.
constexpr const char* kOrmenosOrders =
    "1 click @Ormenos\n"
    "2 hold\n"
    "120 quest @Ormenos skill Records/Skills/Bosses/ChainLaser.dbr\n"
    "400 release\n";
constexpr const char* kOrmenosCast = "Creatures/Monster/Bosses/Animations/Cast.anm";

} // namespace

bool PlayOrmenosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    bool lost = false;
    BossEncounterStage::Encounter encounter{
        "ormenos",
        {"Hero", "Ormenos", "Giant"},
        kOrmenosOrders,
        {BossEncounterStage::Lines::WholeLife, BossEncounterStage::Events::AfterLines, false}};
    encounter.stage = [](BossEncounterStage& stage) {
        stage.MarkHitEvent(kOrmenosCast, ArenaReport::kHitEvent, ArenaReport::kHitMs);
        return stage.StageHero(0.0f, 0.0f) &&
               stage.Enter("Ormenos", "Records/Creatures/Bosses/Ormenos.dbr", 6.0f, 0.0f) &&
               stage.Enter("Giant", "Records/Creatures/Bosses/ChainedGiant.dbr", 9.0f, 6.0f);
    };
    encounter.watch = [&lost](BossEncounterStage& stage) {
        const auto* boss = stage.Find<Ormenos>("Ormenos");
        if (boss != nullptr && boss->IsSickleExploded() && !lost) {
            lost = true;
            stage.Event("Ormenos loses its sickle");
        }
    };
    encounter.outcome = [&lost](BossEncounterStage& stage) {
        const Character* boss = stage.Find("Ormenos");
        const Character* hero = stage.Find("Hero");
        std::string words =
            boss == nullptr || !boss->IsAlive() ? "Ormenos falls" : "Ormenos stands";
        words += lost ? " without its sickle" : " with its sickle";
        if (hero == nullptr || !hero->IsAlive())
            words += ", the hero falls";
        return words;
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
