#include "host/BossEncounterOrmenos.h"

#include "characters/Character.h"
#include "characters/Ormenos.h"
#include "host/BossStage.h"

#include <memory>

namespace GAME {

namespace {

// The hero opens on the boss; a quest has it burn the giant's chains, and the sickle goes.
constexpr const char* kOrders = "1 click @Ormenos\n"
                                "2 hold\n"
                                "120 quest @Ormenos skill Records/Skills/Bosses/ChainLaser.dbr\n"
                                "400 release\n";

} // namespace

bool PlayOrmenosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    auto lost = std::make_shared<bool>(false);
    BossStage::Script script;
    script.builtInOrders = kOrders;
    script.entries = {{"Ormenos", "Records/Creatures/Bosses/Ormenos.dbr", 6.0f, 0.0f},
                      {"Giant", "Records/Creatures/Bosses/ChainedGiant.dbr", 9.0f, 6.0f}};
    script.hitAnimations = {"Creatures/Monster/Bosses/Animations/Cast.anm"};
    script.watch = [lost](BossStage& stage, int32_t frame) {
        const auto* boss = stage.Find<Ormenos>("Ormenos");
        if (boss != nullptr && boss->IsSickleExploded() && !*lost) {
            *lost = true;
            stage.Event(frame, "Ormenos loses its sickle");
        }
    };
    script.outcome = [lost](BossStage& stage) {
        const Character* boss = stage.Find("Ormenos");
        const Character* hero = stage.Find("Hero");
        std::string words =
            boss == nullptr || !boss->IsAlive() ? "Ormenos falls" : "Ormenos stands";
        words += *lost ? " without its sickle" : " with its sickle";
        if (hero == nullptr || !hero->IsAlive())
            words += ", the hero falls";
        return words;
    };
    BossStage stage(options, out, err, "ormenos");
    return stage.Run(script);
}

} // namespace GAME
