#include "multiplayer/PartyManager.h"

#include "core/DialogManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "game/UINotification.h"
#include "multiplayer/PlayerManagerClient.h"

namespace GAME {

namespace {
constexpr const char* kInviteEvent = "GameEvent_InviteToParty";
constexpr const char* kPartyInviteSoundRecord =
    "Records/Sounds/Soundpak/UI/PartyInviteMessagePak.dbr";

// Parties live in the client player manager's records; without one there are no parties.
const std::vector<PlayerNetBasicInfo>& Records()
{
    static const std::vector<PlayerNetBasicInfo> none;
    PlayerManagerClient* client = GameEngine::Get().GetPlayerManagerClient();
    return client != nullptr ? client->GetPlayerInfoCache() : none;
}

uint32_t PartyOf(const PlayerNetBasicInfo& record)
{
    return static_cast<uint32_t>(record.partyId);
}

uint32_t LocalPlayerId()
{
    return GameEngine::Get().GetPlayerId();
}

void SetParty(uint32_t playerId, uint32_t partyId)
{
    GameEngine::Get().AddPlayerToParty(playerId, static_cast<int32_t>(partyId));
}

bool IsWithin(const WorldVec3& a, const WorldVec3& b, float radius)
{
    const World* world = gEngine->GetWorld();
    return world != nullptr && world->GetDistance(a, b) <= radius;
}
} // namespace

PartyManager::PartyManager() : inviteListener(kInviteEvent, &PartyManager::OnInviteToParty, this)
{
    if (SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(
            kPartyInviteSoundRecord, 0, true))
        inviteSoundId = sound->GetObjectId();
}

PartyManager::~PartyManager()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (SoundPak* sound = objects.GetObject<SoundPak>(inviteSoundId))
        objects.DestroyObjectEx(sound, "Project/Game/PartyManager", __LINE__);
}

void PartyManager::Update()
{
    if (!invitePending)
        return;
    GameEngine& game = GameEngine::Get();
    DialogManager& dialogs = game.GetDialogManager();
    if (dialogs.GetNumResponsesFor(DialogManager::PartyInvitation) == 0)
        return;

    const bool accepted = dialogs.GetResponseFor(DialogManager::PartyInvitation).answer;
    invitePending = false;
    const uint32_t localId = LocalPlayerId();
    const uint32_t inviterId = currentInvitation.inviterId;
    game.SendPartyRequestResponse(localId, inviterId, accepted);

    if (accepted) {
        SetParty(localId, inviterId);
        SetParty(inviterId, inviterId);
        // Each member hears of the join twice; the players know this message that way.
        MessagePlayerJoin(inviterId, localId);
        MessagePlayerJoin(inviterId, localId);
        queuedInvitations.clear();
        return;
    }
    game.DisplayMessageRemote(inviterId, localId, true, "tagMessageDeny");
    if (!queuedInvitations.empty()) {
        const GameEvent_InviteToParty next = queuedInvitations.front();
        queuedInvitations.erase(queuedInvitations.begin());
        ShowInvitation(next);
    }
}

uint32_t PartyManager::GetParty(uint32_t playerId) const
{
    for (const PlayerNetBasicInfo& record : Records())
        if (record.playerId == playerId)
            return PartyOf(record);
    return 0;
}

uint32_t PartyManager::GetNumPlayersInParty(uint32_t partyId) const
{
    if (partyId == 0)
        return 1;
    uint32_t count = 0;
    for (const PlayerNetBasicInfo& record : Records())
        if (PartyOf(record) == partyId)
            ++count;
    return count;
}

uint32_t PartyManager::GetNumInPlayersParty(uint32_t playerId) const
{
    return GetNumPlayersInParty(GetParty(playerId));
}

uint32_t PartyManager::GetNumPlayersInPartyNear(uint32_t partyId, const WorldVec3& point,
                                                float radius) const
{
    if (partyId == 0)
        return 1;
    uint32_t count = 0;
    for (const PlayerNetBasicInfo& record : Records())
        if (PartyOf(record) == partyId && IsWithin(record.position, point, radius))
            ++count;
    return count;
}

uint32_t PartyManager::GetPlayerFaction(uint32_t playerId) const
{
    const uint32_t party = GetParty(playerId);
    return party != 0 ? party : playerId;
}

void PartyManager::GetPlayersInParty(uint32_t partyId, std::vector<uint32_t>& out) const
{
    if (partyId == 0) {
        out.clear();
        return;
    }
    for (const PlayerNetBasicInfo& record : Records())
        if (PartyOf(record) == partyId)
            out.push_back(record.playerId);
}

void PartyManager::GetPartyMembers(uint32_t playerId, std::vector<uint32_t>& out) const
{
    const uint32_t party = GetParty(playerId);
    if (party == 0)
        out.push_back(playerId);
    else
        GetPlayersInParty(party, out);
}

bool PartyManager::AreInPartyTogether(uint32_t a, uint32_t b) const
{
    if (a == b)
        return true;
    const PlayerNetBasicInfo* first = nullptr;
    const PlayerNetBasicInfo* second = nullptr;
    for (const PlayerNetBasicInfo& record : Records()) {
        if (first == nullptr && record.playerId == a)
            first = &record;
        if (second == nullptr && record.playerId == b)
            second = &record;
    }
    return first != nullptr && second != nullptr && first->partyId == second->partyId &&
           first->partyId != 0;
}

float PartyManager::GetPartyExperienceMultiplier(uint32_t playerId, uint32_t monsterId) const
{
    const GameEngine& game = GameEngine::Get();
    std::vector<uint32_t> members;
    GetPartyMembers(playerId, members);
    float sum = 0.0f;
    for (uint32_t member : members)
        sum += game.GetPlayerDamagePercent(member, monsterId);
    return sum;
}

void PartyManager::MessagePlayerJoin(uint32_t partyId, uint32_t joinerId)
{
    MessagePartyExcept(partyId, joinerId, "tagMessageJoin");
}

void PartyManager::MessagePlayerInvited(uint32_t partyId, uint32_t inviteeId)
{
    MessagePartyExcept(partyId, inviteeId, "tagInviteSend");
}

void PartyManager::MessagePlayerLeaving(uint32_t partyId, uint32_t leaverId)
{
    MessagePartyExcept(partyId, leaverId, "tagMessageLeave");
}

void PartyManager::HandlePartyInvite(uint32_t inviteeId, int32_t inviterId)
{
    const uint32_t localId = LocalPlayerId();
    if (inviteeId != localId || GameEngine::Get().GetMainPlayer() == nullptr ||
        GetParty(localId) != 0)
        return;
    GameEvent_InviteToParty event;
    event.inviterId = static_cast<uint32_t>(inviterId);
    inviteListener.SendEvent(&event);
}

void PartyManager::OnInviteToParty(const GameEvent_InviteToParty& event)
{
    if (invitePending)
        queuedInvitations.push_back(event);
    else
        ShowInvitation(event);
}

void PartyManager::AttemptToKickFromLocalParty(uint32_t playerId)
{
    const uint32_t localId = LocalPlayerId();
    if (GetParty(playerId) != localId || playerId == localId) {
        GameEngine::Get().AddUINotification(
            UINotificationKind_Message, L"You do not have permission to kick that person.", false);
        return;
    }
    MessagePlayerLeaving(GetParty(playerId), playerId);
    // The leader without his only follower has no party left.
    if (GetNumPlayersInParty(localId) == 2)
        SetParty(localId, 0);
    SetParty(playerId, 0);
}

// The leaver's own record may still be listed; he neither leads nor counts in what remains.
void PartyManager::CleanUpForPlayerLeave(uint32_t leaverId)
{
    uint32_t newLeader = 0;
    std::vector<uint32_t> remaining;
    for (const PlayerNetBasicInfo& record : Records()) {
        if (PartyOf(record) != leaverId || record.playerId == leaverId)
            continue;
        if (newLeader == 0)
            newLeader = record.playerId;
        remaining.push_back(record.playerId);
    }
    const uint32_t party = remaining.size() >= 2 ? newLeader : 0;
    for (uint32_t member : remaining)
        SetParty(member, party);
}

void PartyManager::ReassignRemainingParty()
{
    CleanUpForPlayerLeave(LocalPlayerId());
}

void PartyManager::ShowInvitation(const GameEvent_InviteToParty& invitation)
{
    invitePending = true;
    currentInvitation = invitation;
    GameEngine& game = GameEngine::Get();
    PlayerManagerClient* client = game.GetPlayerManagerClient();
    const std::wstring name =
        client != nullptr ? client->GetPlayerName(invitation.inviterId) : std::wstring();
    const std::wstring text = LocalizationManager::Instance().Format("tagInviteMessage", name);
    game.GetDialogManager().AddDialog(DialogManager::DialogQuestion, false,
                                      DialogManager::PartyInvitation, text, true, true);
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(inviteSoundId))
        sound->Play(false);
}

void PartyManager::MessagePartyExcept(uint32_t partyId, uint32_t exceptId, const char* tag)
{
    GameEngine& game = GameEngine::Get();
    std::vector<uint32_t> members;
    GetPlayersInParty(partyId, members);
    for (uint32_t member : members)
        if (member != exceptId)
            game.DisplayMessageRemote(member, exceptId, true, tag);
}

} // namespace GAME
