#include "world/FixedItemContainer.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "world/FixedItemConfigCommands.h"

#include <memory>
#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItemContainer, FixedItem);

namespace {
constexpr const char* kFixedItemContainerSource = "Project/Game/FixedItemContainer";
constexpr float kRadiusLockThreshold = 0.0001f;
} // namespace

FixedItemContainer::~FixedItemContainer()
{
    ObjectManager::Instance().DestroyObjectEx(GetLockedEffect(), kFixedItemContainerSource,
                                              __LINE__);
}

uint32_t FixedItemContainer::ResolveLockedClassification(const std::string& text)
{
    static const char* const names[] = {"Common", "Champion", "Hero", "Boss"};
    for (uint32_t i = 0; i < 4; ++i) {
        if (text == names[i])
            return i;
    }
    return kUnknownClassification;
}

EffectEntity* FixedItemContainer::GetLockedEffect() const
{
    return lockedEffectId != 0 ? ObjectManager::Instance().GetObject<EffectEntity>(lockedEffectId)
                               : nullptr;
}

void FixedItemContainer::Load(const LoadTable& table)
{
    FixedItem::Load(table);
    const std::string idle = table.GetString("idleAnimation", "");
    if (!idle.empty())
        idleAnimation.AddAnimation(idle, table.GetFloat("idleAnimationSpeed", 0.0f), 0.0f, "");
    openLook.Load(table, "open");
    pathableWhenOpen = table.GetBool("pathableWhenOpen", false);
    lockedRadius = table.GetFloat("LockedRadius", 0.0f);
    lockedClassification = ResolveLockedClassification(table.GetString("LockedClassification", ""));
    lockedEffectRecord = table.GetString("LockedEffect", "");
    radiusLockEnabled = lockedRadius > kRadiusLockThreshold;
}

void FixedItemContainer::PreLoad(bool flag)
{
    FixedItem::PreLoad(flag);
    idleAnimation.PreLoad(flag);
    openLook.PreLoad(flag);
}

void FixedItemContainer::RequestToUse(uint32_t user)
{
    FixedItem::RequestToUse(user);
    if (IsLocked()) {
        if (Player* player = ObjectManager::Instance().GetObject<Player>(user))
            player->PlayLockedChestVox();
    }
}

void FixedItemContainer::InitialUpdate()
{
    FixedItem::InitialUpdate();
    if (GetCurrentState() == FixedItem_None)
        SetFixedItemState(FixedItem_ContainerClosed, 0, true, true);
    else if (GetCurrentState() == FixedItem_ContainerOpen && pathableWhenOpen)
        RemovePathObstacle();
    InstallController(std::make_unique<FixedItemContainerController>());
}

void FixedItemContainer::SetFixedItemState(FixedItem_State state, uint32_t user, bool instantaneous,
                                           bool /*playSounds*/)
{
    if (state == GetCurrentState())
        return;
    SetCurrentState(state);
    if (state == FixedItem_ContainerOpen) {
        if (instantaneous) {
            openLook.SetLastPose(*this);
            // A chest restored open has opened already: no lock, no loot, no light to fade.
            notYetOpened = false;
        } else {
            opener = user;
            Open();
        }
        if (pathableWhenOpen)
            RemovePathObstacle();
    } else if (state == FixedItem_ContainerClosed && instantaneous) {
        idleAnimation.SetLastPose(*this);
    }
}

void FixedItemContainer::Open()
{
    notYetOpened = false;
    openLook.PlaySound(GetCoords(), false);
    openLook.PlayOnce(*this);
    openLook.PlaceEffect(GetCoords());
    NotifyAllies(opener);
    PlaySkillWarningFx();
    SendUseEvent(opener);
}

bool FixedItemContainer::CheckRadiusClear() const
{
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return true;
    std::vector<Entity*> near;
    world->GetEntitiesInSphere(near, GetCoords().GetRegion(), GetCoords().GetRegionCoords().origin,
                               lockedRadius, true, 2);
    for (Entity* entity : near) {
        const auto* monster = DynamicCast<Monster>(entity);
        if (monster != nullptr && monster->IsAlive() &&
            static_cast<uint32_t>(monster->GetClassification()) >= lockedClassification)
            return false;
    }
    return true;
}

void FixedItemContainer::UpdateSelf(int32_t elapsedMs)
{
    FixedItem::UpdateSelf(elapsedMs);
    UpdateLockedEffect();
    UpdateRadiusLock(elapsedMs);
    UpdateLightFade();
}

void FixedItemContainer::UpdateLockedEffect()
{
    EffectEntity* effect = GetLockedEffect();
    if (!IsLocked()) {
        if (effect == nullptr)
            return;
        // Left to the world to play out where the chest stands.
        Detach(effect);
        effect->StopEmitting();
        if (!effect->AddToWorld(GetCoords(), false))
            ObjectManager::Instance().DestroyObjectEx(effect, kFixedItemContainerSource, __LINE__);
        lockedEffectId = 0;
        return;
    }
    if (effect != nullptr || lockedEffectRecord.empty())
        return;
    effect = ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(lockedEffectRecord);
    if (effect == nullptr)
        return;
    lockedEffectId = effect->GetObjectId();
    effect->StartEmitting();
    Attach(effect, Coords::Identity(), "");
}

void FixedItemContainer::UpdateRadiusLock(int32_t elapsedMs)
{
    if (!notYetOpened || !radiusLockEnabled)
        return;
    radiusCheckCountdown -= elapsedMs;
    if (radiusCheckCountdown >= 1)
        return;
    SetLock(!CheckRadiusClear());
    radiusCheckCountdown = kRadiusCheckInterval;
}

void FixedItemContainer::UpdateLightFade()
{
    if (GetCurrentState() != FixedItem_ContainerOpen || lightFadeCountdown <= 0)
        return;
    lightFadeCountdown -= static_cast<int32_t>(GetFrameElapsed());
    if (lightFadeCountdown >= 1)
        return;
    for (Entity* child : GetAttachedChildren()) {
        if (auto* effect = DynamicCast<EffectEntity>(child)) {
            effect->StopEmitting();
            effect->FadeLight();
        }
    }
}

void FixedItemContainerController::InitialUpdate()
{
    if (GetItemState() == FixedItem_ContainerOpen)
        state = Open;
    else if (GetItemState() == FixedItem_ContainerClosed)
        state = Closed;
}

void FixedItemContainerController::TouchedByActor()
{
    if (state != Closed || GetParent() == nullptr || GetParent()->IsLocked())
        return;
    state = Opening;
    QueueStateChange(FixedItem_ContainerOpen, GetTouchingActor());
    RunSkill();
}

void FixedItemContainerController::AnimationCallback(int32_t /*kind*/, const Name& name)
{
    static const Name end = Name::Create("End");
    static const Name lootGen = Name::Create("lootGen");
    if (state != Opening)
        return;
    if (name == end)
        state = Open;
    else if (name == lootGen)
        LoadDropLoot();
}

} // namespace GAME
