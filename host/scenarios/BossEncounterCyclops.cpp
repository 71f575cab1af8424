#include "host/scenarios/BossEncounterCyclops.h"

#include "ai/ControllerAI.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "host/scenarios/BossEncounterStage.h"
#include "world/PlayerSpawnPoint.h"

#include <cstring>
#include <string>

namespace GAME {

// A quest wakes the boss; once it charges the hero stands and fights.
const char* const BossEncounterCyclops::kDefaultOrders = "5 quest @Cyclops wake\n"
                                                         "200 click @Cyclops\n"
                                                         "201 hold\n"
                                                         "600 release\n";

namespace {

const char* CyclopsStateOf(const BossEncounterStage& stage, const char* name)
{
    const auto* who = stage.Find<Monster>(name);
    const auto* brain =
        who != nullptr ? ObjectManager::Instance().GetObject<ControllerAI>(who->GetControllerId())
                       : nullptr;
    const char* state = brain != nullptr ? brain->GetExecutingStateName() : nullptr;
    return state != nullptr ? state : "";
}

} // namespace

bool BossEncounterCyclops::Play(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    int32_t roars = 0;
    bool roaring = false;
    BossEncounterStage::Encounter encounter{
        "cyclops", {"Hero", "Cyclops", "Satyr"}, kDefaultOrders};
    encounter.stage = [](BossEncounterStage& stage) {
        return stage.StageHero(0.0f, -8.0f) &&
               stage.Place<ScriptPoint>(kScriptPoint, 0.0f, 4.0f, UniqueId()) != nullptr &&
               stage.EnterFacingHero("Cyclops", kBoss, 0.0f, 10.0f) != nullptr &&
               stage.EnterFacingHero("Satyr", kAlly, 0.5f, -3.0f) != nullptr;
    };
    encounter.watch = [&roars, &roaring](BossEncounterStage& stage) {
        const bool now = std::strcmp(CyclopsStateOf(stage, "Cyclops"), "Roar") == 0;
        if (now && !roaring) {
            ++roars;
            stage.Event("Cyclops roars");
        }
        roaring = now;
    };
    encounter.outcome = [&roars](BossEncounterStage& stage) {
        return std::to_string(roars) + " roars, " + stage.Fate("Cyclops");
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
