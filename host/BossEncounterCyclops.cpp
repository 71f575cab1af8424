#include "host/BossEncounterCyclops.h"

#include "ai/ControllerAI.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "host/BossEncounterStage.h"
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

const char* StateOf(const BossEncounterStage& stage, const char* name)
{
    const auto* who = ObjectManager::Instance().GetObject<Monster>(stage.IdOf(name));
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
    return BossEncounterStage(options, out, err, "cyclops", {"Hero", "Cyclops", "Satyr"})
        .Play(
            kDefaultOrders,
            [](BossEncounterStage& stage) {
                return stage.StageHero(0.0f, -8.0f) &&
                       stage.Place<ScriptPoint>(kScriptPoint, 0.0f, 4.0f, UniqueId()) != nullptr &&
                       stage.Enter("Cyclops", kBoss, 0.0f, 10.0f) != nullptr &&
                       stage.Enter("Satyr", kAlly, 0.5f, -3.0f) != nullptr;
            },
            [&roars, &roaring](BossEncounterStage& stage) {
                const bool now = std::strcmp(StateOf(stage, "Cyclops"), "Roar") == 0;
                if (now && !roaring) {
                    ++roars;
                    stage.Event("Cyclops roars");
                }
                roaring = now;
            },
            [&roars](BossEncounterStage& stage) {
                return std::to_string(roars) + " roars, " + stage.Fate("Cyclops");
            });
}

} // namespace GAME
