#include "host/scenarios/BossEncounterTelkine.h"

#include "ai/ControllerTelkine.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "host/scenarios/BossEncounterStage.h"

#include <string>

namespace GAME {

// The hero keeps his distance through the twelve throws, then closes in.
const char* const BossEncounterTelkine::kDefaultOrders = "1 click 0,-8\n"
                                                         "5000 click @Telkine\n"
                                                         "5001 hold\n"
                                                         "5300 release\n";

namespace {

const ControllerTelkineStateAttackPhase1* PhaseOne(const BossEncounterStage& stage)
{
    const auto* boss = stage.Find<Monster>("Telkine");
    const auto* brain =
        boss != nullptr
            ? ObjectManager::Instance().GetObject<ControllerTelkine>(boss->GetControllerId())
            : nullptr;
    return brain != nullptr ? static_cast<const ControllerTelkineStateAttackPhase1*>(
                                  brain->GetState("AttackPhase1"))
                            : nullptr;
}

} // namespace

bool BossEncounterTelkine::Play(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    int32_t casts = 0;
    BossEncounterStage::Encounter encounter{"telkine", {"Hero", "Telkine"}, kDefaultOrders};
    encounter.stage = [](BossEncounterStage& stage) {
        return stage.StageHero(0.0f, -6.0f) &&
               stage.EnterFacingHero("Telkine", kBoss, 0.0f, 6.0f) != nullptr;
    };
    encounter.watch = [&casts](BossEncounterStage& stage) {
        const ControllerTelkineStateAttackPhase1* phase = PhaseOne(stage);
        for (; phase != nullptr && casts < phase->GetCastCount();)
            stage.Event("Telkine throws, cast " + std::to_string(++casts));
    };
    encounter.outcome = [&casts](BossEncounterStage& stage) {
        return std::to_string(casts) + " casts, " + stage.Fate("Telkine");
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
