#include "host/scenarios/BossEncounterAktaios.h"

#include "characters/Monster.h"
#include "engine/Vec3.h"
#include "engine/WorldCoords.h"
#include "host/scenarios/BossEncounterStage.h"
#include "skills/SkillManager.h"
#include "skills/Skill_SpawnPet.h"

#include <string>

namespace GAME {

namespace {

constexpr const char* kAktaios = "Records/Creatures/Bosses/Aktaios.dbr";
constexpr const char* kMirage = "Records/Skills/Bosses/AktaiosMirage.dbr";
// A step longer than any run in one frame: the boss stands somewhere else at once.
constexpr float kTradeDistance = 1.5f;
// A quest has the boss cast its mirage, the hero goes for it, and once the copies have faded
// the quest has it cast again.
constexpr const char* kOrders = "5 quest @Aktaios skill Records/Skills/Bosses/AktaiosMirage.dbr "
                                "@Hero\n"
                                "90 click @Aktaios\n"
                                "91 hold\n"
                                "200 quest @Aktaios skill Records/Skills/Bosses/AktaiosMirage.dbr "
                                "@Hero\n"
                                "400 release\n";

std::string Times(int count)
{
    return count == 1 ? "once" : std::to_string(count) + " times";
}

} // namespace

bool PlayAktaiosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    Vec3 last;
    int trades = 0;
    int mirages = 0;
    bool copies = false;
    BossEncounterStage::Encounter encounter{
        "aktaios",
        {"Hero", "Aktaios"},
        kOrders,
        {BossEncounterStage::Lines::Enemy, BossEncounterStage::Events::AfterLines, true}};
    encounter.stage = [&](BossEncounterStage& stage) {
        const Monster* boss = stage.StageHero(0.0f, 0.0f)
                                  ? stage.Enter<Monster>("Aktaios", kAktaios, 6.0f, 0.0f)
                                  : nullptr;
        if (boss != nullptr)
            last = boss->GetCoords().GetRegionCoords().origin;
        return boss != nullptr;
    };
    encounter.watch = [&](BossEncounterStage& stage) {
        auto* boss = stage.Find<Monster>("Aktaios");
        if (boss == nullptr)
            return;
        SkillManager& skills = boss->GetSkillManager();
        const auto* mirage =
            DynamicCast<Skill_SpawnPet>(skills.GetSkill(skills.FindSkillId(kMirage)));
        const bool raised = mirage != nullptr && !mirage->GetPets().empty();
        if (raised && !copies)
            ++mirages;
        copies = raised;
        const Vec3 now = boss->GetCoords().GetRegionCoords().origin;
        if ((now - last).Length() > kTradeDistance) {
            ++trades;
            stage.Event("Aktaios trades places");
        }
        last = now;
    };
    encounter.outcome = [&](BossEncounterStage& stage) {
        const auto* boss = stage.Find<Monster>("Aktaios");
        const std::string fate = boss != nullptr && boss->IsAlive() ? "stands" : "falls";
        return "Aktaios raised its mirage " + Times(mirages) + ", traded places " + Times(trades) +
               " and " + fate;
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
