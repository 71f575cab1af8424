#include "world/FixedItemQuestObject.h"

#include "characters/Character.h"
#include "core/DialogManager.h"
#include "core/GameEvents.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "game/GameUIInterface.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItemQuestObject, FixedItem);
GAME_IMPLEMENT_CLASS(FixedItemTyphonPortal, FixedItem);
GAME_IMPLEMENT_CLASS(FixedItemWell, FixedItem);

FixedItemQuestObject::~FixedItemQuestObject() = default;

void FixedItemQuestObject::SetOperation(bool instantaneous)
{
    FixedItemLook& look = GetLockLook();
    if (instantaneous) {
        look.SetLastPose(*this);
        return;
    }
    look.PlayOnce(*this);
    look.PlaySoundAndEffect(GetCoords());
}

void FixedItemQuestObject::RequestToUse(uint32_t user)
{
    // No controller and no locked sound: only the quests hear of it, and only while locked.
    if (IsLocked())
        SendUseEvent(user);
}

FixedItemTyphonPortal::~FixedItemTyphonPortal() = default;

void FixedItemTyphonPortal::RequestToUse(uint32_t user)
{
    if (IsLocked()) {
        PlayLockedSound();
        return;
    }
    GameEngine& game = GameEngine::Get();
    if (user != game.GetPlayerId())
        return;
    const char* tag =
        game.GetPlayerUnlockedLevel() ? "TagPortalEndGame" : "tagTyphonUGPortalToOlympus";
    game.GetDialogManager().AddDialog(DialogManager::DialogQuestion, false,
                                      DialogManager::PartyPortalUse, std::string(tag), true, 0,
                                      true);
    waitingForAnswer = true;
}

void FixedItemTyphonPortal::UpdateSelf(int32_t elapsedMs)
{
    FixedItem::UpdateSelf(elapsedMs);
    if (!waitingForAnswer || gGameEngine == nullptr)
        return;
    DialogManager& dialogs = gGameEngine->GetDialogManager();
    if (dialogs.GetNumResponsesFor(DialogManager::PartyPortalUse) == 0)
        return;
    waitingForAnswer = false;
    if (!dialogs.GetResponseFor(DialogManager::PartyPortalUse).answer)
        return;
    gGameEngine->AutoSave();
    gGameEngine->SetPlayerCompletedLevel(true);
    if (GameUIInterface* ui = gGameEngine->GetUI())
        ui->EnterEndGame();
}

WorldVec3 FixedItemTyphonPortal::GetMoveToPoint(uint32_t user)
{
    const auto* character = ObjectManager::Instance().GetObject<Character>(user);
    if (character == nullptr)
        return WorldVec3();
    const WorldVec3 own = GetCoords().GetPosition();
    const Vec3 towardPortal = (-OffsetTo(character->GetCoords().GetPosition())).Unit();
    const float distance = character->GetExtents() + GetExtraReach() + GetExtents();
    WorldVec3 point = own;
    point.Translate(towardPortal * -distance);
    point.PutOnFloor();
    return point;
}

FixedItemWell::~FixedItemWell() = default;

} // namespace GAME
