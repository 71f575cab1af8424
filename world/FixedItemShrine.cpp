#include "world/FixedItemShrine.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "core/Saturate.h"
#include "engine/EffectEntity.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "game/MinimapGameNugget.h"
#include "world/FixedItemConfigCommands.h"
#include "world/FxMesh.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItemShrine, FixedItem);

namespace {

constexpr const char* kFixedItemShrineSource = "Project/Game/FixedItemShrine";
constexpr const char* kPhaseStems[FixedItemShrine::PhaseCount] = {
    "idle", "idleToActive", "active", "activeToDormant", "dormant", "dormantToIdle"};
constexpr const char* kEffectKeys[3] = {"IdleLoopingEffect", "DormantToIdleEffect",
                                        "ActiveOneShotEffect"};
constexpr const char* kAttachmentKeys[3] = {"IdleLoopingAttachment", "DormantToIdleAttachment",
                                            "ActiveOneShotAttachment"};

int32_t ShrineMs(const LoadTable& table, const char* key)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key, 0.0f)) * 1000.0);
}

} // namespace

FixedItemShrine::~FixedItemShrine()
{
    ObjectManager& objects = ObjectManager::Instance();
    for (size_t i = 0; i < placedEffects.size(); ++i)
        objects.DestroyObjectEx(GetPlacedEffect(static_cast<PlacedEffect>(i)),
                                kFixedItemShrineSource, __LINE__);
}

void FixedItemShrine::Load(const LoadTable& table)
{
    FixedItem::Load(table);
    for (size_t i = 0; i < 3; ++i) {
        effectRecords[i] = table.GetString(kEffectKeys[i], "");
        effectAttachments[i] = table.GetString(kAttachmentKeys[i], "");
    }
    activeMeshEffect = table.GetString("ActiveMeshFX", "");
    for (size_t i = 0; i < PhaseCount; ++i)
        phases[i].Load(table, kPhaseStems[i]);
}

void FixedItemShrine::PreLoad(bool flag)
{
    FixedItem::PreLoad(flag);
    for (FixedItemLook& phase : phases)
        phase.PreLoad(flag);
}

void FixedItemShrine::InitialUpdate()
{
    FixedItem::InitialUpdate();
    if (GetCurrentState() == FixedItem_None)
        SetFixedItemState(FixedItem_ShrineIdle, 0, true, true);
    InstallController(std::make_unique<FixedItemShrineController>());
}

bool FixedItemShrine::IsOfInterest()
{
    if (GetCurrentState() != FixedItem_ShrineIdle)
        return false;
    return !IsLocked() || !GetLockedTextTag().empty();
}

void FixedItemShrine::RequestToUse(uint32_t requester)
{
    FixedItem::RequestToUse(requester);
    if (!IsLocked())
        return;
    if (Player* player = ObjectManager::Instance().GetObject<Player>(requester))
        player->PlayLockedShrineVox();
}

void FixedItemShrine::AppendDetailMapData(std::vector<MinimapGameNugget>& list) const
{
    MinimapGameNugget nugget;
    nugget.type = kNuggetType;
    nugget.text = GetGameDescription(false);
    nugget.position = GetCoords().GetPosition();
    nugget.facing = GetCoords().GetRegionCoords().forward;
    list.push_back(nugget);
}

bool FixedItemShrine::PlayAnimationAndFX(bool instantaneous, FixedItemLook& look, bool loop)
{
    if (instantaneous && !loop)
        return look.SetLastPose(*this), true;
    const bool started = look.Play(*this, animationSpeed, loop);
    if (started && !instantaneous)
        look.PlaySoundAndEffect(GetCoords());
    return started;
}

void FixedItemShrine::SetFixedItemState(FixedItem_State state, uint32_t newUser, bool instantaneous,
                                        bool /*playSounds*/)
{
    user = newUser;
    if (state == GetCurrentState())
        return;
    SetCurrentState(state);
    switch (state) {
    case FixedItem_ShrineIdle:
        GoIdle(instantaneous);
        StartIdleEffect();
        break;
    case FixedItem_ShrineIdleToActive:
        GoTransition(instantaneous, PhaseIdleToActive, FixedItem_ShrineActive,
                     &FixedItemShrine::GoActive);
        StartActiveEffect();
        break;
    case FixedItem_ShrineActive:
        GoActive(instantaneous);
        StartActiveEffect();
        break;
    case FixedItem_ShrineActiveToDormant:
        GoTransition(instantaneous, PhaseActiveToDormant, FixedItem_ShrineDormant,
                     &FixedItemShrine::GoDormant);
        PlaceEffectsInWorld();
        break;
    case FixedItem_ShrineDormant:
        GoDormant(instantaneous);
        PlaceEffectsInWorld();
        break;
    case FixedItem_ShrineDormantToIdle:
        GoTransition(instantaneous, PhaseDormantToIdle, FixedItem_ShrineIdle,
                     &FixedItemShrine::GoIdle);
        StartIdleEffect();
        break;
    default:
        break;
    }
}

void FixedItemShrine::GoIdle(bool instantaneous)
{
    PlayAnimationAndFX(instantaneous, phases[PhaseIdle], true);
}

void FixedItemShrine::GoActive(bool instantaneous)
{
    if (gGameEngine != nullptr)
        gGameEngine->UnlockTutorialPage(kTutorialPage, true);
    PlayAnimationAndFX(instantaneous, phases[PhaseActive], true);
    if (!instantaneous) {
        GetActiveEffect().StartFx();
        NotifyAllies(user);
    }
    PlaySkillWarningFx();
}

void FixedItemShrine::GoDormant(bool instantaneous)
{
    PlayAnimationAndFX(instantaneous, phases[PhaseDormant], true);
    if (!instantaneous)
        GetActiveEffect().StopFx();
}

void FixedItemShrine::GoTransition(bool instantaneous, Phase phase, FixedItem_State target,
                                   void (FixedItemShrine::*go)(bool))
{
    if (PlayAnimationAndFX(instantaneous, phases[phase], false))
        return;
    SetCurrentState(target);
    (this->*go)(false);
}

void FixedItemShrine::AnimationCallback(int32_t kind, const Name& name)
{
    static const Name end = Name::Create("End");
    Actor::AnimationCallback(kind, name);
    if (name == end) {
        if (GetCurrentState() == FixedItem_ShrineIdleToActive) {
            SetCurrentState(FixedItem_ShrineActive);
            GoActive(false);
        } else if (GetCurrentState() == FixedItem_ShrineActiveToDormant) {
            SetCurrentState(FixedItem_ShrineDormant);
            GoDormant(false);
        } else if (GetCurrentState() == FixedItem_ShrineDormantToIdle) {
            SetCurrentState(FixedItem_ShrineIdle);
            GoIdle(false);
        }
    }
    if (FixedItemController* controller = GetController())
        controller->AnimationCallback(kind, name);
}

EffectEntity* FixedItemShrine::GetPlacedEffect(PlacedEffect which) const
{
    const uint32_t id = placedEffects[which];
    return id != 0 ? ObjectManager::Instance().GetObject<EffectEntity>(id) : nullptr;
}

void FixedItemShrine::PlaceEffectsInWorld()
{
    for (size_t i = 0; i < placedEffects.size(); ++i) {
        if (EffectEntity* effect = GetPlacedEffect(static_cast<PlacedEffect>(i))) {
            effect->StopEmitting();
            Detach(effect);
            // Its last particles die out there; an effect the world refuses would be nobody's.
            if (!effect->AddToWorld(GetCoords(), false))
                ObjectManager::Instance().DestroyObjectEx(effect, kFixedItemShrineSource, __LINE__);
        }
        placedEffects[i] = 0;
    }
}

void FixedItemShrine::AttachEffect(PlacedEffect which)
{
    if (effectRecords[which].empty())
        return;
    auto* effect =
        ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(effectRecords[which]);
    if (effect == nullptr)
        return;
    placedEffects[which] = effect->GetObjectId();
    effect->StartEmitting();
    Attach(effect, Coords::Identity(), effectAttachments[which].c_str());
}

void FixedItemShrine::StartIdleEffect()
{
    PlaceEffectsInWorld();
    AttachEffect(IdleLooping);
    AttachEffect(DormantToIdle);
}

void FixedItemShrine::StartActiveEffect()
{
    PlaceEffectsInWorld();
    AttachEffect(ActiveOneShot);
    StartActiveFXMesh();
}

void FixedItemShrine::StartActiveFXMesh()
{
    if (activeMeshEffect.empty())
        return;
    if (auto* mesh = ObjectManager::Instance().CreateObjectFromFile<FxMesh>(activeMeshEffect)) {
        mesh->AddToWorld(GetCoords());
        mesh->Start();
    }
}

void FixedItemShrineController::LoadFromDatabase(const std::string& name)
{
    FixedItemController::LoadFromDatabase(name);
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(name);
    const LoadTable& table = objects.GetLoadTable(name);
    oneTimeUse = table.GetBool("oneTimeUse", false);
    activeTime = ShrineMs(table, "shrineActiveTime");
    dormantTime = ShrineMs(table, "shrineDormantTime");
    sampleTime = ShrineMs(table, "shrineSampleTime");
    radius = table.GetFloat("shrineRadius", 0.0f);
}

void FixedItemShrineController::InitialUpdate()
{
    switch (GetItemState()) {
    case FixedItem_ShrineIdle:
    case FixedItem_ShrineDormantToIdle:
        state = Ready;
        break;
    case FixedItem_ShrineIdleToActive:
    case FixedItem_ShrineActive:
        state = Active;
        break;
    case FixedItem_ShrineActiveToDormant:
    case FixedItem_ShrineDormant:
        state = Dormant;
        break;
    default:
        break;
    }
}

void FixedItemShrineController::TouchedByActor()
{
    if (state != Ready || GetParent() == nullptr || GetParent()->IsLocked())
        return;
    phaseCountdown = activeTime;
    sampleCountdown = 0;
    state = Active;
    QueueStateChange(FixedItem_ShrineIdleToActive, GetTouchingActor());
    user = GetTouchingActor();
    LoadDropLoot();
    RunSkill();
}

void FixedItemShrineController::Update(int32_t ms)
{
    FixedItemController::Update(ms);
    if (phaseCountdown > 0)
        phaseCountdown = AddSaturating(phaseCountdown, -ms);
    if (sampleCountdown > 0)
        sampleCountdown = AddSaturating(sampleCountdown, -ms);
    if (state == Active && sampleCountdown < 1) {
        sampleCountdown = sampleTime;
        SampleTargets();
    }
    if (phaseCountdown >= 1)
        return;
    if (state == Active) {
        state = Dormant;
        phaseCountdown = dormantTime;
        user = 0;
        QueueStateChange(FixedItem_ShrineActiveToDormant, 0);
    } else if (state == Dormant && !oneTimeUse) {
        state = Ready;
        QueueStateChange(FixedItem_ShrineDormantToIdle, 0);
    }
}

// Every machine gives the bonus to the ids chosen here.
void FixedItemShrineController::SampleTargets()
{
    FixedItem* shrine = GetParent();
    const auto* character = ObjectManager::Instance().GetObject<Character>(user);
    if (character == nullptr || shrine == nullptr || gGameEngine == nullptr)
        return;
    std::vector<uint32_t> targets;
    gGameEngine->GetTargetsInRadius(character->GetTeam(), shrine->GetCoords().GetPosition(), radius,
                                    targets, 0, true);
    Queue(std::make_unique<FixedItemTargetConfigCmd>(shrine->GetObjectId(), user, targets));
}

} // namespace GAME
