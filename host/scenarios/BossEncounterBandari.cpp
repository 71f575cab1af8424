#include "host/scenarios/BossEncounterBandari.h"

#include "ai/ControllerBandari.h"
#include "characters/Monster.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "host/HostSamples.h"
#include "host/scenarios/BossEncounterStage.h"
#include "world/BandariTeleportPoint.h"
#include "world/Proxy.h"

#include <iterator>
#include <string>
#include <vector>

namespace GAME {

// The hero goes for the boss and keeps after it wherever it lands.
const char* const BossEncounterBandari::kDefaultOrders = "1 click @Bandari\n"
                                                         "2 hold\n"
                                                         "700 release\n";

namespace {

constexpr uint32_t kLevelWord = 0xBA4D;
constexpr float kPoints[][2] = {{12.0f, 8.0f}, {-12.0f, 8.0f}, {0.0f, 18.0f}};
// Behind each point, 4 further north; the second squad is the spawner's.
constexpr float kSquadOffset = 4.0f;
constexpr uint32_t kSpawnedSquad = 1;

UniqueId Placed(uint32_t word)
{
    return UniqueId(kLevelWord, 0, 0, word);
}

ControllerBandari* BrainOf(const BossEncounterStage& stage)
{
    const auto* boss = stage.Find<Monster>("Bandari");
    return boss != nullptr
               ? ObjectManager::Instance().GetObject<ControllerBandari>(boss->GetControllerId())
               : nullptr;
}

// The points, their squads and the groups that tie them to the boss; the boss's controller
// reads the groups when it attaches, so they come first.
bool StageBandari(BossEncounterStage& stage)
{
    if (!stage.StageHero(0.0f, -6.0f))
        return false;
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.Destroy();
    std::vector<UniqueId> points;
    for (uint32_t index = 0; index < std::size(kPoints); ++index) {
        const float x = kPoints[index][0];
        const float z = kPoints[index][1];
        const UniqueId point = Placed(10 + index);
        const UniqueId squad = Placed(20 + index);
        if (stage.Place<BandariTeleportPoint>(BossEncounterBandari::kPoint, x, z, point) == nullptr)
            return false;
        points.push_back(point);
        const std::string name = "Warrior" + std::to_string(index + 1);
        if (index == kSpawnedSquad) {
            auto* proxy =
                stage.Place<Proxy>(BossEncounterBandari::kProxy, x, z + kSquadOffset, squad);
            Monster* warrior =
                stage.EnterFacingHero(name, BossEncounterBandari::kWarrior, x, z + kSquadOffset);
            if (proxy == nullptr || warrior == nullptr)
                return false;
            proxy->AddPlacedObject(warrior->GetObjectId());
        } else if (stage.EnterFacingHero(name, BossEncounterBandari::kWarrior, x, z + kSquadOffset,
                                         squad) == nullptr) {
            return false;
        }
        const int32_t warriors = groups.GetNumGroups();
        groups.AddGroup(InstanceGroup("Terracotta Warriors", name, {squad}));
        InstanceGroup at("Bandari Teleport Points", "Point" + std::to_string(index + 1), {point});
        at.AddChild(warriors);
        groups.AddGroup(at);
    }
    const int32_t all = groups.GetNumGroups();
    groups.AddGroup(InstanceGroup("Bandari Teleport Points", "Points", points));
    InstanceGroup boss("Bandari", "Bandari", {Placed(1)});
    boss.AddChild(all);
    groups.AddGroup(boss);
    // The leap's cast carries no events in the samples: it lands half-way.
    stage.MarkHitEvent("Creatures/Monster/Bandari/Animations/Leap.anm", "Hit", 300.0f);
    return stage.EnterFacingHero("Bandari", BossEncounterBandari::kBoss, 0.0f, 2.0f, Placed(1)) !=
           nullptr;
}

} // namespace

bool BossEncounterBandari::Play(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    int32_t jumps = 0;
    BossEncounterStage::Encounter encounter{
        "bandari", {"Hero", "Bandari", "Warrior1", "Warrior2", "Warrior3"}, kDefaultOrders};
    encounter.stage = StageBandari;
    encounter.watch = [&jumps](BossEncounterStage& stage) {
        const ControllerBandari* brain = BrainOf(stage);
        for (; brain != nullptr && jumps < brain->GetNextTeleport();)
            stage.Event("Bandari jumps to point " + std::to_string(++jumps));
    };
    encounter.outcome = [&jumps](BossEncounterStage& stage) {
        return std::to_string(jumps) + " jumps, " + stage.Fate("Bandari");
    };
    const bool played = BossEncounterStage(options, out, err).Play(encounter);
    InstanceGroupManager::Instance().Destroy();
    return played;
}

} // namespace GAME
