#include "host/BossEncounterTelkine.h"

#include "ai/ControllerTelkine.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "host/BossEncounterStage.h"

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
    const auto* boss = ObjectManager::Instance().GetObject<Monster>(stage.IdOf("Telkine"));
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
    return BossEncounterStage(options, out, err, "telkine", {"Hero", "Telkine"})
        .Play(
            kDefaultOrders,
            [](BossEncounterStage& stage) {
                return stage.StageHero(0.0f, -6.0f) &&
                       stage.Enter("Telkine", kBoss, 0.0f, 6.0f) != nullptr;
            },
            [&casts](BossEncounterStage& stage) {
                const ControllerTelkineStateAttackPhase1* phase = PhaseOne(stage);
                for (; phase != nullptr && casts < phase->GetCastCount();)
                    stage.Event("Telkine throws, cast " + std::to_string(++casts));
            },
            [&casts](BossEncounterStage& stage) {
                return std::to_string(casts) + " casts, " + stage.Fate("Telkine");
            });
}

} // namespace GAME
