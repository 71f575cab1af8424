#include "game/TeleportConfirmActivity.h"

#include "core/DialogManager.h"
#include "engine/Region.h"
#include "game/GameEngine.h"

namespace GAME {

void TeleportConfirmActivity::SetRequest(const std::string& requestText, const WorldVec3& target)
{
    text = requestText;
    destination = target;
}

void TeleportConfirmActivity::Update(int /*ms*/)
{
    DialogManager& dialogs = GameEngine::Get().GetDialogManager();
    if (!dialogShown) {
        dialogs.AddDialog(DialogManager::DialogQuestion, false, DialogManager::PartyTeleportConfirm,
                          text, true, 0, true);
        dialogShown = true;
    }
    if (dialogs.GetNumResponsesFor(DialogManager::PartyTeleportConfirm) == 0)
        return;
    if (dialogs.GetResponseFor(DialogManager::PartyTeleportConfirm).answer)
        Teleport();
    finished = true;
}

void TeleportConfirmActivity::Render(GraphicsCanvas& /*canvas*/) {}

bool TeleportConfirmActivity::GetWorldDestination(int32_t& x, int32_t& y, int32_t& z) const
{
    const Region* region = destination.GetRegion();
    if (region == nullptr)
        return false;
    // Region offsets are whole world units; only the sum with the position is truncated again.
    const Vec3& offset = region->GetOffsetFromWorld();
    const Vec3& position = destination.GetRegionPosition();
    x = static_cast<int32_t>(static_cast<float>(static_cast<int32_t>(offset.x)) + position.x);
    y = static_cast<int32_t>(static_cast<float>(static_cast<int32_t>(offset.y)) + position.y);
    z = static_cast<int32_t>(static_cast<float>(static_cast<int32_t>(offset.z)) + position.z);
    return true;
}

void TeleportConfirmActivity::Teleport()
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    if (GetWorldDestination(x, y, z))
        GameEngine::Get().InitiatePlayerTeleport(x, y, z);
}

} // namespace GAME
