#include "host/BossEncounterChained.h"

#include "characters/TyphonChained.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "host/BossArena.h"
#include "host/HostSamples.h"
#include "host/ScriptedStage.h"
#include "world/FixedItemTeleport.h"
#include "world/TyphonChains.h"

#include <ostream>
#include <string>

namespace GAME {

namespace {

constexpr const char* kGiant = "Records/Creatures/Bosses/ChainedGiant.dbr";
constexpr const char* kPortal = "Records/Level/Bosses/GiantPortal.dbr";
// The sample animations carry no events: the giant's breaking animation gets its own.
constexpr const char* kBreakAnimation = "Creatures/Bosses/Giant/BreakChains.anm";
constexpr float kPortalX = 10.0f;
// A quest frees the giant, then sends it to the portal.
constexpr const char* kOrders = "5 quest @Giant anim Chat\n"
                                "60 quest @Giant walk 9,0\n";

} // namespace

bool PlayChainedEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    BossArena arena(options, out, err);
    uint32_t portalId = 0;
    bool open = false;
    bool broken = false;
    GraphicsAnim* breaking = nullptr;
    const auto stage = [&] {
        breaking = HostSamples::MarkHitEvent(kBreakAnimation, "BreakTheChains", 300.0f);
        HostSamples::MarkHitEvent(kBreakAnimation, "OpenPortal", 700.0f);
        auto* portal = HostSamples::Make<FixedItemTeleport>(kPortal, err);
        if (portal == nullptr)
            return false;
        gEngine->GetWorld()->AddEntity(
            portal, WorldCoords(WorldVec3(ScriptedStage::kRegion, Vec3(kPortalX, 0.0f, 0.0f))),
            false);
        portal->SetLock(true);
        portalId = portal->GetObjectId();
        out << "  Portal: " << kPortal << " at " << HostSamples::PointText(Vec3(kPortalX, 0, 0))
            << ", locked\n";
        return arena.Enter<TyphonChained>("Giant", kGiant, 7.5f, 0.0f) != nullptr;
    };
    const auto watch = [&](int32_t frame) {
        const auto* giant = arena.Find<TyphonChained>("Giant");
        const TyphonChains* chains = giant != nullptr ? giant->GetChains() : nullptr;
        if (!broken && chains != nullptr && !chains->GetDissolveRequests().empty()) {
            broken = true;
            arena.Event(frame, "the chains burst");
        }
        const auto* portal = ObjectManager::Instance().GetObject<FixedItemTeleport>(portalId);
        if (!open && portal != nullptr && !portal->IsLocked()) {
            open = true;
            arena.Event(frame, "the portal opens");
        }
    };
    const auto outcome = [&] {
        GraphicsEngine::Instance().UnloadAnimation(breaking);
        GraphicsEngine::Instance().UnloadAnimation(breaking);
        const auto* giant = arena.Find<TyphonChained>("Giant");
        const bool there = giant != nullptr && open &&
                           giant->GetCoords().GetRegionCoords().origin.x > kPortalX - 1.5f;
        return std::string(there ? "the giant walks to the open portal" : "the giant stays");
    };
    return arena.Run("chained", {"Hero", "Giant"}, kOrders, stage, watch, outcome);
}

} // namespace GAME
