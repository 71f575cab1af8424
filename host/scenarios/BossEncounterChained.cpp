#include "host/scenarios/BossEncounterChained.h"

#include "characters/TyphonChained.h"
#include "engine/Vec3.h"
#include "host/HostSamples.h"
#include "host/scenarios/BossEncounterStage.h"
#include "world/FixedItemTeleport.h"
#include "world/TyphonChains.h"

#include <string>

namespace GAME {

namespace {

constexpr const char* kGiant = "Records/Creatures/Bosses/ChainedGiant.dbr";
constexpr const char* kPortal = "Records/Level/Bosses/GiantPortal.dbr";
// The sample animations carry no events: the giant's breaking animation gets its own.
constexpr const char* kBreakAnimation = "Creatures/Bosses/Giant/BreakChains.anm";
constexpr float kPortalX = 10.0f;
// A quest frees the giant, then sends it to the portal.
constexpr const char* kChainedOrders = "5 quest @Giant anim Chat\n"
                                       "60 quest @Giant walk 9,0\n";

} // namespace

bool PlayChainedEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    uint32_t portalId = 0;
    bool open = false;
    bool broken = false;
    BossEncounterStage::Encounter encounter{
        "chained",
        {"Hero", "Giant"},
        kChainedOrders,
        {BossEncounterStage::Lines::Enemy, BossEncounterStage::Events::AfterLines, true}};
    encounter.stage = [&](BossEncounterStage& stage) {
        stage.MarkHitEvent(kBreakAnimation, "BreakTheChains", 300.0f);
        stage.MarkHitEvent(kBreakAnimation, "OpenPortal", 700.0f);
        if (!stage.StageHero(0.0f, 0.0f))
            return false;
        auto* portal = stage.Place<FixedItemTeleport>(kPortal, kPortalX, 0.0f, UniqueId());
        if (portal == nullptr)
            return false;
        portal->SetLock(true);
        portalId = portal->GetObjectId();
        stage.Out() << "  Portal: " << kPortal << " at "
                    << HostSamples::PointText(Vec3(kPortalX, 0, 0)) << ", locked\n";
        return stage.Enter<TyphonChained>("Giant", kGiant, 7.5f, 0.0f) != nullptr;
    };
    encounter.watch = [&](BossEncounterStage& stage) {
        const auto* giant = stage.Find<TyphonChained>("Giant");
        const TyphonChains* chains = giant != nullptr ? giant->GetChains() : nullptr;
        if (!broken && chains != nullptr && !chains->GetDissolveRequests().empty()) {
            broken = true;
            stage.Event("the chains burst");
        }
        const auto* portal = ObjectManager::Instance().GetObject<FixedItemTeleport>(portalId);
        if (!open && portal != nullptr && !portal->IsLocked()) {
            open = true;
            stage.Event("the portal opens");
        }
    };
    encounter.outcome = [&](BossEncounterStage& stage) {
        const auto* giant = stage.Find<TyphonChained>("Giant");
        const bool there = giant != nullptr && open &&
                           giant->GetCoords().GetRegionCoords().origin.x > kPortalX - 1.5f;
        return std::string(there ? "the giant walks to the open portal" : "the giant stays");
    };
    return BossEncounterStage(options, out, err).Play(encounter);
}

} // namespace GAME
