#include "host/TravelReport.h"

#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/GraphicsCanvas.h"
#include "engine/WorldCoords.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "game/RespawnActivity.h"
#include "game/TeleportActivity.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"

#include <ostream>
#include <string>

namespace GAME {

namespace {

std::string Where(const Player& player)
{
    const WorldVec3 at = player.GetCoords().GetPosition();
    return "region " + std::to_string(at.GetRegionId()) + " " +
           HostSamples::PointText(at.GetRegionPosition());
}

const char* OnOff(bool on)
{
    return on ? "on" : "off";
}

} // namespace

TravelReport::TravelReport(const HostOptions& options, std::ostream& out)
    : options(options), out(out)
{}

void TravelReport::Act(int64_t frame, Player& player)
{
    GameEngine& game = GameEngine::Get();
    const std::string prefix = "frame " + std::to_string(frame) + ": ";
    if (options.portal && (frame == kFirstPortalFrame || frame == kActionFrame)) {
        out << prefix << "portal asked for by player " << player.GetObjectId()
            << (game.MainPlayerHasPersonalTeleport() ? ", who owns one" : "") << '\n';
        game.CreateFixedItemTeleport();
    }
    if (frame != kActionFrame)
        return;
    // The overlay is drawn only for the player at this machine's controls.
    if (options.teleport || options.respawn)
        player.SetIsControllingCharacter(true);
    rendering = game.IsRenderingEnabled();
    teleportMode = gEngine->IsTeleportMode();
    needsSleep = game.NeedsSleep();
    if (options.teleport) {
        const int32_t* to = options.teleportTo;
        out << prefix << "teleport of player " << player.GetObjectId() << " from " << Where(player)
            << " to " << to[0] << ',' << to[1] << ',' << to[2] << '\n';
        game.InitiatePlayerTeleport(to[0], to[1], to[2]);
        activityId = ActivityManager::Get().GetLastId();
        kind = "teleport";
    } else if (options.respawn) {
        out << prefix << "respawn of player " << player.GetObjectId() << " at " << Where(player)
            << '\n';
        activityId = game.StartRespawnForLocalPlayer(player.GetCoords().GetPosition());
        kind = "respawn";
    }
}

void TravelReport::Report(int64_t frame, const Player& player)
{
    if (activityId == 0)
        return;
    const std::string prefix = "frame " + std::to_string(frame) + ": ";
    PrintSwitches(prefix.c_str());
    GameActivity* activity = ActivityManager::Get().GetActivity(activityId);
    if (activity != nullptr) {
        PrintActivity(prefix.c_str(), *activity);
        return;
    }
    out << prefix << kind << " finished, player at " << Where(player) << ", needs sleep "
        << GameEngine::Get().NeedsSleep() << '\n';
    activityId = 0;
}

void TravelReport::PrintSwitches(const char* prefix)
{
    const bool nowRendering = GameEngine::Get().IsRenderingEnabled();
    if (nowRendering != rendering)
        out << prefix << "rendering " << OnOff(nowRendering) << '\n';
    const bool nowTeleportMode = gEngine->IsTeleportMode();
    if (nowTeleportMode != teleportMode)
        out << prefix << "teleport mode " << OnOff(nowTeleportMode) << '\n';
    rendering = nowRendering;
    teleportMode = nowTeleportMode;
}

void TravelReport::PrintActivity(const char* prefix, GameActivity& activity) const
{
    // The overlay's first draw is the fade over the whole screen.
    GraphicsCanvas canvas(800, 600);
    activity.Render(canvas);
    out << prefix << kind;
    if (const auto* teleport = dynamic_cast<const TeleportActivity*>(&activity))
        out << " state " << teleport->GetState() << ", timer " << teleport->GetStateTimer();
    else if (const auto* respawn = dynamic_cast<const RespawnActivity*>(&activity))
        out << " state " << respawn->GetState() << ", timer " << respawn->GetStateTimer();
    out << ", fade ";
    if (canvas.GetDraws().empty())
        out << '-';
    else
        out << canvas.GetDraws().front().color.alpha;
    out << ", needs sleep " << GameEngine::Get().NeedsSleep() << '\n';
}

} // namespace GAME
