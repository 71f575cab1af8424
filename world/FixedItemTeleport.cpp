#include "world/FixedItemTeleport.h"

#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "game/TeleportConfirmActivity.h"
#include "multiplayer/PartyManager.h"

#include <algorithm>
#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItemTeleport, FixedItem);

namespace {
constexpr int kIdWords = 4;
} // namespace

FixedItemTeleport::~FixedItemTeleport() = default;

void FixedItemTeleport::Load(const LoadTable& table)
{
    FixedItemLockLook::Load(table);
    staticPortal = table.GetBool("staticPortal", false);
    textTag = table.GetString("textTag", "tagSBoatQuestion");
}

void FixedItemTeleport::UpdateSelf(int32_t elapsedMs)
{
    FixedItem::UpdateSelf(elapsedMs);
    if (staticPortal)
        return;
    GameEngine& game = GameEngine::Get();
    if (validationTime <= kValidationLimit) {
        if (const TeleportInfo* info = game.GetTeleportInfo(GetObjectId())) {
            ownerName = game.GetPlayerName(info->ownerId);
            validationTime = 0;
            return;
        }
        const int32_t step = std::clamp(elapsedMs, 1, 100);
        if (validationTime == 0)
            SetLock(true);
        validationTime += step;
        return;
    }
    if (World* world = gEngine->GetWorld(); world != nullptr && IsInWorld())
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, "Project/Game/FixedItemTeleport", 0);
}

WorldVec3 FixedItemTeleport::GetMoveToPoint(uint32_t /*user*/)
{
    WorldVec3 point = GetCoords().GetPosition();
    point.PutOnFloor();
    return point;
}

void FixedItemTeleport::RequestToUse(uint32_t user)
{
    if (IsLocked()) {
        PlayLockedSound();
        return;
    }
    SendUseEvent(user);
    if (staticPortal) {
        if (user == GameEngine::Get().GetPlayerId())
            UseStaticPortal();
    } else {
        UsePlayerPortal(user);
    }
}

void FixedItemTeleport::UsePlayerPortal(uint32_t user) const
{
    GameEngine& game = GameEngine::Get();
    const bool localUser = user == game.GetPlayerId();
    const TeleportInfo* info = game.GetTeleportInfo(GetObjectId());
    const PartyManager* parties = game.GetPartyManager();
    if (info != nullptr && parties != nullptr && parties->AreInPartyTogether(info->ownerId, user)) {
        if (localUser && ObjectManager::Instance().GetObject<Player>(user) != nullptr) {
            GameEvent_GenericEntity menu;
            menu.objectId = GetObjectId();
            EventManager::Instance().Send("GameEvent_ActivateTeleportMenu", menu);
        }
        return;
    }
    if (localUser)
        game.GetDialogManager().AddDialog(DialogManager::DialogNotice, false,
                                          DialogManager::PartyNotice, std::string("tagPortalError"),
                                          true, 0, true);
}

void FixedItemTeleport::UseStaticPortal() const
{
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    std::vector<int32_t> indices;
    groups.GetGroupsThatContain(GetUniqueID(), indices);
    if (indices.empty()) {
        gEngine->Log(Engine::LogRuntime,
                     "Requested to use a boat that was not in a group with a destination.");
        return;
    }
    const InstanceGroup* group = groups.GetGroup(indices.front());
    if (group == nullptr)
        return;
    std::vector<UniqueId> members;
    group->FillIdList(members);
    for (const UniqueId& member : members) {
        if (member == GetUniqueID())
            continue;
        InstanceGroupManager::EntityData data;
        if (!groups.GetEntityData(member, data))
            return;
        auto* confirm = new TeleportConfirmActivity();
        confirm->SetRequest(textTag, WorldVec3(data.regionId, data.position));
        ActivityManager::Get().InstallActivity(confirm);
        return;
    }
}

void FixedItemTeleport::CreatePathObstacle()
{
    if (staticPortal)
        FixedItem::CreatePathObstacle();
}

void FixedItemTeleport::RemovePathObstacle()
{
    if (staticPortal)
        FixedItem::RemovePathObstacle();
}

std::wstring FixedItemTeleport::GetGameDescription(bool shortForm) const
{
    if (staticPortal)
        return FixedItem::GetGameDescription(shortForm);
    GameEngine& game = GameEngine::Get();
    const TeleportInfo* info = game.GetTeleportInfo(GetObjectId());
    const std::wstring owner = info != nullptr ? game.GetPlayerName(info->ownerId) : ownerName;
    return LocalizationManager::Instance().Format("tagPlayerPortal", owner);
}

void FixedItemTeleport::WriteReplicationData(NetPacketOutBuffer& out)
{
    FixedItem::WriteReplicationData(out);
    const UniqueId& id = GetUniqueID();
    out.Add(!id.IsZero());
    if (id.IsZero())
        return;
    for (int i = 0; i < kIdWords; ++i)
        out.AddUInt(id.GetPart(i));
}

void FixedItemTeleport::ReadReplicationData(NetPacketInBuffer& in)
{
    FixedItem::ReadReplicationData(in);
    replicatedIdPresent = false;
    if (!in.Remove(replicatedIdPresent) || !replicatedIdPresent)
        return;
    for (uint32_t& word : replicatedId)
        in.RemoveUInt(word);
    replicatedIdPresent = !in.HasFailed();
}

void FixedItemTeleport::ApplyReplicationData()
{
    FixedItem::ApplyReplicationData();
    if (replicatedIdPresent)
        SetUniqueID(UniqueId(replicatedId[0], replicatedId[1], replicatedId[2], replicatedId[3]));
}

} // namespace GAME
