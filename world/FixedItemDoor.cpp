#include "world/FixedItemDoor.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/Sphere.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItemDoorBase, FixedItem);
GAME_IMPLEMENT_CLASS(FixedItemDoor, FixedItemDoorBase);
GAME_IMPLEMENT_CLASS(FixedItemDoorSwapping, FixedItemDoorBase);

namespace {

void FadeLoop(const FixedItemLook& loop, int32_t fadeMs)
{
    if (auto* sound = ObjectManager::Instance().GetObject<SoundPak>(loop.GetSoundId()))
        sound->FadeLastPlayedSound(fadeMs);
}

} // namespace

FixedItemDoorBase::~FixedItemDoorBase() = default;

void FixedItemDoorBase::Load(const LoadTable& table)
{
    FixedItem::Load(table);
    openLook.LoadSound(table, "openSound");
    closeLook.LoadSound(table, "closeSound");
    openLook.LoadEffect(table, "openFxPakName");
    closeLook.LoadEffect(table, "closeFxPakName");
    openLoop.LoadSound(table, "openSoundLoop");
    openLoopFadeTime = table.GetInt("openSoundFadeTime", kDefaultFadeTime);
    closedLoop.LoadSound(table, "closedSoundLoop");
    closedLoopFadeTime = table.GetInt("closedSoundFadeTime", kDefaultFadeTime);
    openOnly = table.GetBool("openOnly", false);
    autoClose = table.GetBool("autoClose", false);
    oneWayDoor = table.GetBool("oneWayDoor", false);
    reverseOneWayDirection = table.GetBool("reverseOneWayDirection", false);
}

void FixedItemDoorBase::PreLoad(bool flag)
{
    FixedItem::PreLoad(flag);
    openLook.PreLoad(flag);
    closeLook.PreLoad(flag);
}

void FixedItemDoorBase::InitialUpdate()
{
    FixedItem::InitialUpdate();
    if (GetCurrentState() == FixedItem_None) {
        SetFixedItemState(FixedItem_DoorClosed, 0, true, true);
        closedLoop.PlaySound(GetCoords(), true);
    }
    InstallController(std::make_unique<FixedItemDoorController>());
}

void FixedItemDoorBase::RequestToUse(uint32_t user)
{
    FixedItem::RequestToUse(user);
    if (!IsLocked() && !IsAlternateLock(user))
        return;
    if (Player* player = ObjectManager::Instance().GetObject<Player>(user))
        player->PlayLockedDoorVox();
}

void FixedItemDoorBase::SetFixedItemState(FixedItem_State state, uint32_t user, bool instantaneous,
                                          bool playSounds)
{
    if (state == FixedItem_DoorOpenForGood) {
        state = FixedItem_DoorOpen;
        autoClose = false;
    }
    if (state == GetCurrentState())
        return;
    if (GetCurrentState() == FixedItem_DoorOpen)
        FadeLoop(openLoop, openLoopFadeTime);
    else
        FadeLoop(closedLoop, closedLoopFadeTime);
    SetCurrentState(state);
    if (state == FixedItem_DoorOpen) {
        if (instantaneous)
            InstantaneousOpen();
        else
            Swing(openLook, true, user, playSounds);
    } else if (state == FixedItem_DoorClosed) {
        if (instantaneous)
            InstantaneousClose();
        else
            Swing(closeLook, false, user, playSounds);
    }
}

// Opening or closing as it is seen and heard: the sound, the swing, the effect, then the loop
// of the side it swings to.
void FixedItemDoorBase::Swing(const FixedItemLook& look, bool opening, uint32_t user,
                              bool playSounds)
{
    const WorldCoords coords = GetCoords();
    if (playSounds)
        look.PlaySound(coords, false);
    if (opening)
        Open();
    else
        Close();
    look.PlaceEffect(coords);
    if (opening)
        NotifyAllies(user);
    if (playSounds)
        (opening ? openLoop : closedLoop).PlaySound(coords, true);
}

bool FixedItemDoorBase::IsOfInterest()
{
    if (openOnly && GetCurrentState() != FixedItem_DoorClosed)
        return false;
    return !IsLocked() || !GetLockedTextTag().empty();
}

float FixedItemDoorBase::GetStandingDistance(float userExtent) const
{
    const GraphicsMeshInstance* mesh = GetMeshInstance();
    if (mesh == nullptr)
        return userExtent + 3.0f;
    return userExtent + mesh->GetRegionSpaceBoundingBox().min.z + 1.0f;
}

bool FixedItemDoorBase::IsUserInFront(uint32_t user, bool& isCharacter) const
{
    const auto* character = ObjectManager::Instance().GetObject<Character>(user);
    isCharacter = character != nullptr;
    return isCharacter && IsCharacterInFront(character->GetCoords());
}

bool FixedItemDoorBase::IsAlternateLock(uint32_t user)
{
    if (!oneWayDoor)
        return false;
    bool isCharacter = false;
    const bool front = IsUserInFront(user, isCharacter);
    if (!isCharacter)
        return true;
    return front ? reverseOneWayDirection : !reverseOneWayDirection;
}

WorldVec3 FixedItemDoorBase::GetMoveToPoint(uint32_t user)
{
    WorldVec3 point = GetCoords().GetPosition();
    auto* character = ObjectManager::Instance().GetObject<Character>(user);
    if (character == nullptr || GetMeshInstance() == nullptr)
        return point;
    Vec3 offset =
        GetCoords().GetRegionCoords().forward * GetStandingDistance(character->GetExtents());
    if (!IsCharacterInFront(character->GetCoords()))
        offset = -offset;
    point.Translate(offset);
    if (!character->CanMoveTo(point, 0.5f))
        return WorldVec3();
    return point;
}

void FixedItemDoorBase::SaveState(BinaryWriter& writer) const
{
    FixedItem::SaveState(writer);
    writer.WriteBool(autoClose);
}

bool FixedItemDoorBase::RestoreState(BinaryReader& reader)
{
    if (!FixedItem::RestoreState(reader))
        return false;
    uint32_t word = 0;
    if (!reader.ReadUInt32(word))
        return RestoreCutShort();
    autoClose = word != 0;
    return true;
}

FixedItemDoor::~FixedItemDoor() = default;

void FixedItemDoor::Load(const LoadTable& table)
{
    FixedItemDoorBase::Load(table);
    const std::string open = table.GetString("openAnimation", "");
    if (!open.empty())
        openAnimation.AddAnimation(open, table.GetFloat("openAnimationSpeed", 0.0f), 0.0f, "");
    const std::string close = table.GetString("closeAnimation", "");
    if (!close.empty())
        closeAnimation.AddAnimation(close, table.GetFloat("closeAnimationSpeed", 0.0f), 0.0f, "");
}

void FixedItemDoor::PreLoad(bool flag)
{
    FixedItemDoorBase::PreLoad(flag);
    openAnimation.PreLoad(flag);
    closeAnimation.PreLoad(flag);
}

void FixedItemDoor::AnimationCallback(int32_t kind, const Name& name)
{
    FixedItem::AnimationCallback(kind, name);
    // The leaf moves through the walkers' way on every step of its swing.
    CreatePathObstacle();
}

void FixedItemDoor::Open()
{
    openAnimation.PlayAnimation(*this, Name(), 1.0f, false, 0);
    PlaySkillWarningFx();
}

void FixedItemDoor::InstantaneousOpen()
{
    openAnimation.SetLastPose(*this);
    SetObstacleRefreshPending();
}

void FixedItemDoor::Close()
{
    closeAnimation.PlayAnimation(*this, Name(), 1.0f, false, 0);
}

void FixedItemDoor::InstantaneousClose()
{
    closeAnimation.SetLastPose(*this);
    SetObstacleRefreshPending();
}

FixedItemDoorSwapping::FixedItemDoorSwapping()
    : openMesh(std::make_unique<GraphicsMeshInstance>()),
      closedMesh(std::make_unique<GraphicsMeshInstance>())
{}

FixedItemDoorSwapping::~FixedItemDoorSwapping()
{
    if (previousKept)
        SetMeshInstance(previousMesh);
}

void FixedItemDoorSwapping::Load(const LoadTable& table)
{
    FixedItemDoorBase::Load(table);
    GraphicsMeshInstance* own = GetMeshInstance();
    const std::string ownName = own != nullptr ? own->GetMesh() : std::string();
    openMesh->SetMesh(table.GetString("openMesh", ownName));
    closedMesh->SetMesh(table.GetString("closedMesh", ownName));
    if (!previousKept) {
        previousMesh = own;
        previousKept = true;
    }
}

void FixedItemDoorSwapping::PreLoad(bool flag)
{
    FixedItemDoorBase::PreLoad(flag);
    openMesh->PreLoad();
    closedMesh->PreLoad();
}

void FixedItemDoorSwapping::Open()
{
    SetMeshInstance(openMesh.get());
}

void FixedItemDoorSwapping::Close()
{
    SetMeshInstance(closedMesh.get());
    CreatePathObstacle();
}

void FixedItemDoorController::LoadFromDatabase(const std::string& name)
{
    FixedItemController::LoadFromDatabase(name);
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(name);
    openOnly = objects.GetLoadTable(name).GetBool("openOnly", false);
}

void FixedItemDoorController::InitialUpdate()
{
    seenState = GetItemState();
    FollowItemState();
}

void FixedItemDoorController::FollowItemState()
{
    if (GetItemState() == FixedItem_DoorOpen)
        state = Open;
    else if (GetItemState() == FixedItem_DoorClosed)
        state = Closed;
}

void FixedItemDoorController::TouchedByActor()
{
    FixedItem* door = GetParent();
    if (door == nullptr || door->IsLocked() || door->IsAlternateLock(GetTouchingActor()))
        return;
    if (state == Closed) {
        state = Opening;
        QueueStateChange(FixedItem_DoorOpen, GetTouchingActor());
    } else if (state == Open && !openOnly) {
        state = Closing;
        QueueStateChange(FixedItem_DoorClosed, 0);
    }
}

void FixedItemDoorController::AnimationCallback(int32_t /*kind*/, const Name& name)
{
    static const Name end = Name::Create("End");
    if (!(name == end))
        return;
    if (state == Opening)
        state = Open;
    else if (state == Closing)
        state = Closed;
}

void FixedItemDoorController::Update(int32_t ms)
{
    FixedItemController::Update(ms);
    if (GetItemState() != seenState)
        FollowItemState();
    FixedItem* door = GetParent();
    if (state != Open || door == nullptr || !door->IsAutoCloseEnabled() || AnyoneNear())
        return;
    state = Closing;
    QueueStateChange(FixedItem_DoorClosed, 0);
}

bool FixedItemDoorController::AnyoneNear() const
{
    FixedItem* door = GetParent();
    const float radius = 2.0f * door->GetStandingDistance(1.0f) + door->GetExtraReach();
    std::vector<Character*> near;
    const WorldCoords& coords = door->GetCoords();
    Character::FindCharactersInSphere(near, coords.GetRegion(),
                                      Sphere(coords.GetRegionCoords().origin, radius), true, 2);
    return !near.empty();
}

} // namespace GAME
