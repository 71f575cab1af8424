#include "world/FixedItem.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "core/BinaryWriter.h"
#include "core/GameEvents.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "world/FixedItemController.h"
#include "world/FixedItemSkill.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItem, Actor);

namespace {
constexpr const char* kFixedItemSource = "Project/Game/FixedItem";
constexpr float kAllyRadius = 20.0f;
} // namespace

FixedItem::FixedItem() : team(TeamManager::DefaultMonsterTeam())
{
    SetPhysicsType(0);
    frameTimer.Reset();
}

FixedItem::~FixedItem()
{
    activeEffect.DeleteFx();
    DestroyOwnedObjects();
}

void FixedItem::DestroyOwnedObjects()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(GetSkill(), kFixedItemSource, __LINE__);
    objects.DestroyObjectEx(GetLockedSound(), kFixedItemSource, __LINE__);
    skillId = 0;
    lockedSoundId = 0;
}

FixedItemSkill* FixedItem::GetSkill() const
{
    return skillId != 0 ? ObjectManager::Instance().GetObject<FixedItemSkill>(skillId) : nullptr;
}

SoundPak* FixedItem::GetLockedSound() const
{
    return lockedSoundId != 0 ? ObjectManager::Instance().GetObject<SoundPak>(lockedSoundId)
                              : nullptr;
}

const DynamicObstacle* FixedItem::GetPathObstacle(size_t index) const
{
    return index < pathObstacles.size() ? pathObstacles[index].get() : nullptr;
}

void FixedItem::Load(const LoadTable& table)
{
    Actor::Load(table);
    bonus.Load(table);
    // A second load must not strand the first load's objects.
    DestroyOwnedObjects();
    LoadSkill(table.GetString("skillName", ""));
    const float delaySeconds = table.GetFloat("skillDelay", 0.0f);
    skillDelay = SaturateToInt(static_cast<double>(delaySeconds) * 1000.0);
    if (skillDelay == 0)
        skillDelay = 1;
    const std::string effect = table.GetString("activeEffectName", "");
    if (!effect.empty())
        activeEffect.LoadFX(effect, this);
    for (size_t i = 0; i < kSoundCount; ++i)
        soundFiles[i] = table.GetString(("sound" + std::to_string(i + 1)).c_str(), "");
    locked = table.GetBool("locked", false);
    lockedSoundId = Item::LoadSoundPakFromTable(table, "lockedSound");
    lockedTextTag = table.GetString("lockedTextTag", "");
    descriptionTag = table.GetString("description", "");
    const std::string dropName = table.GetString("perPartyMemberDropItemName", "");
    if (!dropName.empty())
        dropPerPartyMember.baseName = dropName;
}

void FixedItem::LoadSkill(const std::string& record)
{
    if (record.empty())
        return;
    // Typed before it loads: a record of another kind is not loaded at all.
    auto* skill = ObjectManager::Instance().CreateObjectFromFile<FixedItemSkill>(record, 0);
    if (skill == nullptr)
        return;
    skillId = skill->GetObjectId();
    skill->AssignParent(this);
}

void FixedItem::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    if (FixedItemSkill* skill = GetSkill())
        skill->PreLoad(flag);
    if (SoundPak* sound = GetLockedSound())
        sound->PreLoad(flag);
    animationSounds.PreLoad();
}

void FixedItem::InitialUpdate()
{
    Actor::InitialUpdate();
    if (pendingState != FixedItem_None) {
        SetFixedItemState(pendingState, 0, true, false);
        pendingState = FixedItem_None;
    }
    for (size_t i = 0; i < kSoundCount; ++i)
        animationSounds.AddSound(Name::Create("sound" + std::to_string(i + 1)), soundFiles[i],
                                 100.0f);
    GameEvent_FixedItemSpawn event;
    event.objectName = GetObjectName();
    event.objectId = GetObjectId();
    EventManager::Instance().Send("GameEvent_FixedItemSpawn", event);
}

void FixedItem::UpdateSelf(int32_t elapsedMs)
{
    // Read before the actor's update, which moves the frame on.
    const uint32_t gap = gEngine->GetFrameCount() - GetLastUpdateFrame();
    Actor::UpdateSelf(elapsedMs);
    frameTimer.Update();
    elapsed = static_cast<uint32_t>(Max(frameTimer.GetElapsedTime(), 0));
    auraManager.Update(*this, elapsedMs);
    if (controller != nullptr)
        controller->Update(static_cast<int32_t>(elapsed));
    RefreshPathObstacle(gap);
}

// The obstacle is rebuilt one consecutive update after the item comes back into the frame
// (or a door asks for it), so that a region still loading is not asked too early.
void FixedItem::RefreshPathObstacle(uint32_t gap)
{
    if (gap < 2 && !obstacleRefreshPending) {
        if (obstacleCountdown >= 1 && --obstacleCountdown == 0)
            CreatePathObstacle();
        return;
    }
    obstacleCountdown = 1;
    obstacleRefreshPending = false;
}

void FixedItem::AnimationCallback(int32_t kind, const Name& name)
{
    animationSounds.PlaySound(*this, name, nullptr);
    if (controller != nullptr)
        controller->AnimationCallback(kind, name);
}

void FixedItem::RequestToUse(uint32_t user)
{
    if (controller != nullptr)
        controller->HasBeenTouchedByActor(user);
    if (IsLocked() || IsAlternateLock(user))
        PlayLockedSound();
}

void FixedItem::UseOnTarget(uint32_t user, const std::vector<uint32_t>& targets)
{
    if (Player* player = ObjectManager::Instance().GetObject<Player>(user)) {
        player->ContactWithObject(GetObjectId());
        SendUseEvent(user);
    }
    GiveBonusToTargets(targets);
}

void FixedItem::SendUseEvent(uint32_t user) const
{
    GameEvent_FixedItemUse event;
    event.objectName = GetObjectName();
    event.userId = user;
    event.objectId = GetObjectId();
    EventManager::Instance().Send("GameEvent_FixedItemUse", event);
}

void FixedItem::GiveBonusToTargets(const std::vector<uint32_t>& targets)
{
    const PlayStatsLifeType type =
        currentState == FixedItem_ShrineActive ? PlayStatsLife_Shrine : PlayStatsLife_Unknown;
    for (uint32_t id : targets) {
        if (Character* character = ObjectManager::Instance().GetObject<Character>(id))
            character->TakeBonus(bonus, false, type);
    }
}

void FixedItem::UseSkillOnTargets(uint32_t user, const std::vector<uint32_t>& targets)
{
    if (FixedItemSkill* skill = GetSkill())
        skill->ProcessTargetResults(user, targets);
}

void FixedItem::SetCurrentState(FixedItem_State state)
{
    currentState = state;
    if (controller != nullptr)
        controller->SetFixedItemState(state);
}

bool FixedItem::ControllersRunHere()
{
    return !gEngine->IsNetworkClient() && !gEngine->IsLevelEditor();
}

void FixedItem::InstallController(std::unique_ptr<FixedItemController> made)
{
    controller.reset();
    if (made == nullptr || !ControllersRunHere())
        return;
    made->SetParent(this);
    made->LoadFromDatabase(GetObjectName());
    made->SetFixedItemState(currentState);
    made->InitialUpdate();
    controller = std::move(made);
}

void FixedItem::PlaySkillWarningFx()
{
    if (FixedItemSkill* skill = GetSkill())
        skill->PlayWarningFx();
}

void FixedItem::DropAdditionalItems(ItemReplicaInfo& info, uint32_t count)
{
    if (controller != nullptr)
        controller->DropAdditionalItems(info, count);
}

WorldCoords FixedItem::GetLootDropCoords() const
{
    static const Name spawnPoint = Name::Create("SpawnPoint");
    return GetAttachedCoords(spawnPoint);
}

void FixedItem::PlayLockedSound()
{
    if (SoundPak* sound = GetLockedSound())
        sound->Play(GetCoords(), false, true);
}

void FixedItem::NotifyAllies(uint32_t user)
{
    if (gGameEngine == nullptr)
        return;
    std::vector<uint32_t> allies;
    gGameEngine->GetTargetsInRadius(team, GetCoords().GetPosition(), kAllyRadius, allies, 0, true);
    for (uint32_t id : allies) {
        if (Character* ally = ObjectManager::Instance().GetObject<Character>(id))
            ally->AllyAttacked(GetObjectId(), user);
    }
}

std::wstring FixedItem::GetGameDescription(bool shortForm) const
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    std::wstring text = shortForm ? L"^y" : L"";
    text += texts.Format("SimpleStringFormat", texts.Format(descriptionTag));
    if (locked && !lockedTextTag.empty() && !shortForm)
        text += L"^n" + texts.Format(lockedTextTag);
    return text;
}

Vec3 FixedItem::OffsetTo(const WorldVec3& point) const
{
    const WorldCoords& own = GetCoords();
    Vec3 there;
    if (!point.GetPositionInRegion(own.GetRegionId(), there))
        return Vec3();
    return there - own.GetRegionCoords().origin;
}

float FixedItem::GetExtents() const
{
    const GraphicsMeshInstance* mesh = GetMeshInstance();
    return mesh != nullptr ? mesh->GetBoundingBox().GetExtents().Length() : 0.0f;
}

bool FixedItem::IsCharacterInFront(const WorldCoords& point) const
{
    return Dot(OffsetTo(point.GetPosition()), GetCoords().GetRegionCoords().forward) > 0.0f;
}

float FixedItem::GetStandingDistance(float userExtent) const
{
    if (GetMeshInstance() == nullptr)
        return userExtent + 3.0f;
    return GetExtents() + userExtent + 2.0f;
}

WorldVec3 FixedItem::GetMoveToPoint(uint32_t user)
{
    const WorldVec3 own = GetCoords().GetPosition();
    const auto* character = ObjectManager::Instance().GetObject<Character>(user);
    if (character == nullptr || GetMeshInstance() == nullptr)
        return own;
    const Vec3 direction = OffsetTo(character->GetCoords().GetPosition()).Unit();
    WorldVec3 point = own;
    point.TranslateToFloor(direction * GetStandingDistance(character->GetExtents()));
    return point;
}

void FixedItem::CreatePathObstacle()
{
    DynamicObstacle::CreateForHitBoxes(*this, pathObstacles);
}

void FixedItem::RemovePathObstacle()
{
    DynamicObstacle::RemoveAll(pathObstacles);
}

void FixedItem::DebugRender()
{
    for (const std::unique_ptr<DynamicObstacle>& obstacle : pathObstacles) {
        const Sphere& sphere = obstacle->GetSphere();
        gEngine->GetDebugRenderManager().RenderSphere(
            WorldVec3(GetCoords().GetRegionId(), sphere.center), sphere.radius, Color());
    }
}

void FixedItem::SaveState(BinaryWriter& writer) const
{
    Actor::SaveState(writer);
    const FixedItem_State saved = pendingState != FixedItem_None ? pendingState : currentState;
    writer.WriteUInt32(static_cast<uint32_t>(saved));
    writer.WriteBool(locked);
    dropPerPartyMember.WriteLevelState(writer);
}

bool FixedItem::RestoreCutShort() const
{
    gEngine->Log(Engine::LogData, "Fixed item %s: level state cut short", GetObjectName().c_str());
    return false;
}

bool FixedItem::RestoreState(BinaryReader& reader)
{
    if (!Actor::RestoreState(reader))
        return RestoreCutShort();
    uint32_t state = 0;
    if (!reader.ReadUInt32(state))
        return RestoreCutShort();
    if (!IsFixedItemState(state)) {
        gEngine->Log(Engine::LogData, "Fixed item %s: level state %u is no state; refused",
                     GetObjectName().c_str(), state);
        return false;
    }
    pendingState = static_cast<FixedItem_State>(state);
    uint32_t lockWord = 0;
    if (!reader.ReadUInt32(lockWord))
        return RestoreCutShort();
    locked = lockWord != 0;
    // The base name is the record's own and is not saved.
    if (!dropPerPartyMember.ReadLevelState(reader))
        return RestoreCutShort();
    return true;
}

void FixedItem::WriteReplicationData(NetPacketOutBuffer& out)
{
    const FixedItem_State sent = pendingState != FixedItem_None ? pendingState : currentState;
    out.AddUInt(static_cast<uint32_t>(sent));
    out.Add(locked);
}

void FixedItem::ReadReplicationData(NetPacketInBuffer& in)
{
    in.RemoveUInt(replicatedState);
    in.Remove(replicatedLock);
}

void FixedItem::ApplyReplicationData()
{
    locked = replicatedLock;
    if (!IsFixedItemState(replicatedState)) {
        gEngine->Log(Engine::LogData, "Fixed item %s: replicated state %u is no state; refused",
                     GetObjectName().c_str(), replicatedState);
        return;
    }
    pendingState = static_cast<FixedItem_State>(replicatedState);
}

} // namespace GAME
