#include "characters/Npc.h"

#include "ai/ControllerBaseCharacter.h"
#include "characters/LongIdleAction.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "core/MathUtils.h"
#include "core/Saturate.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/VoidCallbackFunctor.h"
#include "engine/World.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "game/GameUIInterface.h"
#include "game/TeleportConfirmActivity.h"
#include "quests/Action_IlluminateNpc.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/Dialog.h"
#include "quests/NpcDialogPak.h"
#include "quests/QuestRepository.h"
#include "world/GameCamera.h"

#include <cmath>

namespace GAME {

namespace {

constexpr const char* kNpcDialogSource = "Project/Game/Npc";
constexpr const char* kQuestion01 = "Records/Effects/ObjectEffects/Question01.dbr";
constexpr const char* kQuestion03 = "Records/Effects/ObjectEffects/Question03.dbr";
constexpr const char* kExclaimation02 = "Records/Effects/ObjectEffects/Exclaimation02.dbr";
constexpr const char* kExclaimation03 = "Records/Effects/ObjectEffects/Exclaimation03.dbr";

// Timers run down by whatever the frame hands them, without wrapping.
int32_t RunDown(int32_t timer, int32_t elapsedMs)
{
    return SaturateToInt(static_cast<double>(timer) - elapsedMs);
}

void DestroyEffect(Entity& owner, EffectEntity*& effect)
{
    if (effect == nullptr)
        return;
    owner.Detach(effect);
    ObjectManager::Instance().DestroyObjectEx(effect, kNpcDialogSource, __LINE__);
    effect = nullptr;
}

} // namespace

void Npc::UpdateSelf(int32_t elapsedMs)
{
    Character::UpdateSelf(elapsedMs);
    Update_Dialog(elapsedMs);
    if (conversationCoolDown > 0)
        conversationCoolDown = RunDown(conversationCoolDown, elapsedMs);
    if (ignoreAttractionTime > 0)
        ignoreAttractionTime = RunDown(ignoreAttractionTime, elapsedMs);
    // Nothing in the dialog reads the alert; it only lasts its time.
    if (alerted) {
        alertTimer = RunDown(alertTimer, elapsedMs);
        if (alertTimer < 1) {
            alertTimer = 0;
            alerted = false;
        }
    }
    if (punctuationEffect == nullptr)
        return;
    if (gGameEngine == nullptr)
        return;
    const WorldCoords& camera = gGameEngine->GetCamera().GetCoords();
    Vec3 toCamera;
    if (!camera.HasRegion() ||
        !camera.GetPosition().GetPositionInRegion(GetCoords().GetRegionId(), toCamera))
        return;
    toCamera = toCamera - GetCoords().GetRegionCoords().origin;
    toCamera.y = 0.0f;
    Vec3 forward = GetCoords().GetRegionCoords().forward;
    forward.y = 0.0f;
    toCamera = toCamera.Unit();
    forward = forward.Unit();
    float angle = std::acos(Clamp(Dot(toCamera, forward), -1.0f, 1.0f));
    if (Cross(toCamera, forward).y > 0.0f)
        angle = -angle;
    Coords placement = Coords::RotationAboutAxis(angle, Vec3(0.0f, 1.0f, 0.0f));
    placement.origin = Vec3(0.0f, 3.0f, 0.0f);
    Attach(punctuationEffect, placement, "Head");
}

void Npc::Update_Dialog(int32_t elapsedMs)
{
    if (dialogTimer > 0) {
        dialogTimer = RunDown(dialogTimer, elapsedMs);
        if (dialogTimer < 1) {
            dialogTimer = 0;
            if (dialogPak != nullptr) {
                if (dialogType == DialogType_Default)
                    AttachPunctuation(kQuestion01);
                dialogPak->ResetRoundTrips();
            }
        }
    }
    if (dialogPak == nullptr || !dialogPak->IsInUse())
        return;
    const Player* player = GetLocalPlayer();
    const World* world = gEngine->GetWorld();
    if (player == nullptr || world == nullptr)
        return;
    const float reach = dialogPak->GetResetDistance();
    if (world->GetDistanceSquared(player->GetCoords().GetPosition(), GetCoords().GetPosition()) >
        reach * reach)
        dialogPak->ResetRoundTrips();
}

void Npc::Converse(uint32_t talkerId)
{
    Player* player = GetLocalPlayer();
    const bool localTalker = player != nullptr && talkerId == player->GetObjectId();
    BoatMasterData boat;
    if (localTalker && player->GetBoatMaster(GetObjectName(), boat)) {
        const Vec3 point(static_cast<float>(boat.x), static_cast<float>(boat.y),
                         static_cast<float>(boat.z));
        const World* world = gEngine->GetWorld();
        const Region* region = world != nullptr ? world->GetRegionContainingPoint(point) : nullptr;
        if (region != nullptr) {
            auto* activity = new TeleportConfirmActivity();
            activity->SetRequest(boat.tag,
                                 WorldVec3(region->GetId(), region->GetRelativePosition(point)));
            ActivityManager::Get().InstallActivity(activity);
        }
        return;
    }
    if (!IsAvailableForConversations())
        return;

    conversationCoolDown = kConversationCoolDown;
    GameUIInterface* ui = gGameEngine != nullptr ? gGameEngine->GetUI() : nullptr;
    bool queryAnsweredFalse = false;
    if (localTalker && dialogPak != nullptr) {
        QuestRepository::Get().EnableDelayedActions(true);
        queryAnsweredFalse = ui != nullptr && !ui->QueryNpcConversation(GetObjectId());
    }

    GameEvent_GenericEntity event;
    event.objectName = GetObjectName();
    event.objectId = talkerId;
    EventManager::Instance().Send("GameEvent_ConversationBegin", event);

    if (!localTalker)
        return;
    if (DialogPak* next = Dialog_Pop())
        playingPaks.push_back(next);
    if (dialogPak != nullptr) {
        if (ui != nullptr)
            ui->ShowNpcDialog(GetObjectId(), talkerId, dialogPak);
        Dialog_Deluminate();
        dialogTimer = SaturateToInt(dialogPak->GetShortGreetingTime() * 1000.0);
        if (updateDialogAction != nullptr)
            updateDialogAction->SetNoPrimaryDialog(true);
    }
    if (!queryAnsweredFalse)
        QuestRepository::Get().EnableDelayedActions(false);
}

void Npc::Dialog_TriggerAlert(uint32_t characterId)
{
    if (ObjectManager::Instance().GetObject<Character>(characterId) == nullptr)
        return;
    if (auto* controller =
            ObjectManager::Instance().GetObject<ControllerBaseCharacter>(controllerId))
        controller->HandleAction(new LongIdleAction(GetObjectId()));
    GameEvent_GenericEntity event;
    event.objectName = GetObjectName();
    event.objectId = GetObjectId();
    EventManager::Instance().Send("GameEvent_ConversationAlert", event);
    alerted = true;
    alertTimer = kAlertTime;
}

// The queue.

void Npc::Dialog_Push(DialogPak* pak)
{
    if (pak != nullptr)
        dialogQueue.insert(dialogQueue.begin(), pak);
}

void Npc::Dialog_Push(const std::string& recordName)
{
    Dialog_Push(NpcDialogPak::Spawn(recordName));
}

void Npc::Dialog_Append(DialogPak* pak)
{
    if (pak != nullptr)
        dialogQueue.push_back(pak);
}

void Npc::Dialog_Append(const std::string& recordName)
{
    Dialog_Append(NpcDialogPak::Spawn(recordName));
}

DialogPak* Npc::Dialog_Pop()
{
    if (dialogQueue.empty())
        return nullptr;
    DialogPak* front = dialogQueue.front();
    dialogQueue.erase(dialogQueue.begin());
    return front;
}

void Npc::OnDialogComplete()
{
    if (!socialTargets.empty()) {
        socialTargets.erase(socialTargets.begin());
    } else if (!playingPaks.empty()) {
        DialogPak* done = playingPaks.front();
        playingPaks.erase(playingPaks.begin());
        DestroyDialogPak(done);
    }
}

void Npc::DestroyDialogPak(DialogPak* pak)
{
    if (pak == nullptr)
        return;
    // Closed first, so the screen never holds a deleted pak.
    GameUIInterface* ui = gGameEngine != nullptr ? gGameEngine->GetUI() : nullptr;
    if (ui != nullptr && ui->IsShowingNpcDialog(pak))
        ui->CloseNpcDialog();
    delete pak;
}

void Npc::DestroyFunctor(VoidCallbackFunctor* functor)
{
    delete functor;
}

// What quests say.

void Npc::Dialog_ReplaceStatic(const char* fileName, Action_UpdateNPCDialog* action, bool played)
{
    if (IsBoatMasterForLocalPlayer())
        return;
    SetPlayerNpcDialog(action);
    NpcDialogPak* pak =
        fileName != nullptr && *fileName != '\0' ? NpcDialogPak::Spawn(fileName) : nullptr;
    saveStateWanted = true;
    DialogPak* old = dialogPak;
    dialogPak = nullptr;
    DestroyDialogPak(old);
    if (pak != nullptr) {
        dialogPak = pak;
        if (dialogType == DialogType_Default || illuminateAction == nullptr || played)
            AttachPunctuation(dialogType == DialogType_Default ? kQuestion01 : kExclaimation03);
        if (played) {
            if (Dialog* primary = pak->GetPrimaryDialog())
                primary->SetHasBeenPlayed(true);
        }
    } else {
        DetachPunctuation();
    }
    updateDialogAction = action;
}

void Npc::Dialog_Illuminate(Action_IlluminateNpc* action)
{
    SetPlayerNpcIllumination(action);
    if (action == nullptr)
        return;
    if (action->IsDeluminate()) {
        Dialog_Deluminate();
        return;
    }
    saveStateWanted = true;
    illuminateAction = action;
    DetachPunctuation();
    switch (action->GetType()) {
    case 1:
        AttachPunctuation(kExclaimation02);
        break;
    case 2:
        AttachPunctuation(kQuestion01);
        break;
    case 3:
        AttachIllumination(illuminationRecord.c_str());
        break;
    default:
        break;
    }
}

void Npc::Dialog_Deluminate()
{
    saveStateWanted = true;
    switch (dialogType) {
    case DialogType_Exclamation:
        AttachPunctuation(kExclaimation03);
        break;
    case DialogType_Question:
    case DialogType_Default:
        AttachPunctuation(kQuestion03);
        break;
    case DialogType_Illumination:
        DetachIllumination();
        break;
    default:
        break;
    }
    if (illuminateAction != nullptr) {
        illuminateAction->SetDeluminate();
        illuminateAction = nullptr;
    }
}

// Marks and glow.

void Npc::AttachPunctuation(const char* name)
{
    if (name == nullptr || punctuationRecord == name)
        return;
    DetachPunctuation();
    punctuationRecord = name;
    punctuationEffect = ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name);
    if (punctuationEffect != nullptr)
        Attach(punctuationEffect, Coords::Identity(), "Head");
}

void Npc::DetachPunctuation()
{
    DestroyEffect(*this, punctuationEffect);
    punctuationRecord.clear();
}

void Npc::AttachIllumination(const char* name)
{
    if (illuminationEffect != nullptr || name == nullptr)
        return;
    illuminationEffect = ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name);
    if (illuminationEffect == nullptr)
        return;
    Attach(illuminationEffect, Coords::Identity(), static_cast<const char*>(nullptr));
    illuminationEffect->StartEmitting();
}

void Npc::DetachIllumination()
{
    if (illuminationEffect != nullptr)
        illuminationEffect->StopEmitting();
    DestroyEffect(*this, illuminationEffect);
}

} // namespace GAME
