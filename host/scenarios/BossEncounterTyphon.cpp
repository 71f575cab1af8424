#include "host/scenarios/BossEncounterTyphon.h"

#include "ai/ControllerTyphon.h"
#include "characters/Typhon.h"
#include "characters/TyphonGod.h"
#include "characters/TyphonStatue.h"
#include "engine/ObjectManager.h"
#include "game/ActivityManager.h"
#include "host/scenarios/BossEncounterStage.h"

#include <string>

namespace GAME {

namespace {

constexpr const char* kTyphon = "Records/Creatures/Bosses/Typhon.dbr";
constexpr const char* kZeus = "Records/Creatures/Bosses/ZeusStatue.dbr";
constexpr const char* kHades = "Records/Creatures/Bosses/HadesStatue.dbr";
// The boss wakes to the hero, who goes for it at once: it fights him until it takes a god's
// powers from a statue, and again when they have faded.
constexpr const char* kTyphonOrders = "1 quest @Typhon wake\n"
                                      "30 click @Typhon\n"
                                      "31 hold\n"
                                      "900 release\n";

} // namespace

bool PlayTyphonEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    uint32_t god = TyphonGod_None;
    std::string taken;
    uint32_t activities = 0;
    int endings = 0;
    BossEncounterStage::Encounter encounter{
        "typhon",
        {"Hero", "Typhon", "Zeus", "Hades"},
        kTyphonOrders,
        {BossEncounterStage::Lines::Enemy, BossEncounterStage::Events::AfterLines, true}};
    encounter.screen = true;
    encounter.stage = [&](BossEncounterStage& stage) {
        activities = ActivityManager::Get().GetLastId();
        return stage.StageHero(0.0f, 0.0f) &&
               stage.Enter<Typhon>("Typhon", kTyphon, 5.0f, 0.0f) != nullptr &&
               stage.Enter<TyphonStatue>("Zeus", kZeus, 9.0f, 6.0f) != nullptr &&
               stage.Enter<TyphonStatue>("Hades", kHades, 9.0f, -6.0f) != nullptr;
    };
    encounter.watch = [&](BossEncounterStage& stage) {
        const auto* typhon = stage.Find<Typhon>("Typhon");
        const auto* mind =
            typhon != nullptr
                ? ObjectManager::Instance().GetObject<ControllerTyphon>(typhon->GetControllerId())
                : nullptr;
        const uint32_t now = mind != nullptr ? mind->GetCurrentGod() : TyphonGod_None;
        if (now != god && IsTyphonGod(now)) {
            stage.Event(std::string("Typhon takes the powers of ") + TyphonGodToName(now));
            taken += std::string(taken.empty() ? " " : " and ") + TyphonGodToName(now);
        } else if (now != god) {
            stage.Event("Typhon's powers fade");
        }
        god = now;
        // Each ending installed is told: the game must end once.
        for (; activities != ActivityManager::Get().GetLastId(); ++activities, ++endings)
            stage.Event("the game ends");
    };
    encounter.outcome = [&](BossEncounterStage&) {
        const std::string powers =
            taken.empty() ? "took no god's powers" : "took the powers of" + taken;
        return "Typhon " + powers + (endings > 0 ? ", falls and the game ends" : " and stands");
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
