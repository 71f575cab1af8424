#include "items/TradeManager.h"

#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"

namespace GAME {

namespace {

const char* const kInviteSoundRecord = "Records/Sounds/Soundpak/UI/PartyInviteMessagePak.dbr";

} // namespace

TradeManager::TradeManager()
{
    if (SoundPak* sound =
            ObjectManager::Instance().CreateObjectFromFile<SoundPak>(kInviteSoundRecord))
        inviteSoundId = sound->GetObjectId();
    CleanUp();
}

TradeManager::~TradeManager()
{
    // By id: the object manager may have destroyed every object before the manager goes.
    ObjectManager& objects = ObjectManager::Instance();
    if (SoundPak* sound = objects.GetObject<SoundPak>(inviteSoundId))
        objects.DestroyObjectEx(sound, "Project/Game/TradeManager", __LINE__);
}

void TradeManager::Update()
{
    // The frame's one task is the local player's answer to a pending invitation. An invitation
    // is recorded only when another player's trade request arrives, and requests are not taken
    // yet, so none can be pending.
}

void TradeManager::CleanUp()
{
    tradePartner = 0;
    pendingInvite = 0;
    tradeActive = false;
    initiating = false;
    myTradeState.Clear();
    hisTradeState.Clear();
}

} // namespace GAME
