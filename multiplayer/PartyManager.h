#pragma once

#include "engine/EventHandler.h"
#include "multiplayer/GameEvent_InviteToParty.h"

#include <cstdint>
#include <vector>

namespace GAME {

class WorldVec3;

// Parties are not kept here: membership is the party field of the client player manager's
// records, and a party's id is its leader's player id (0 for none). The manager answers the
// questions about them and runs the local side of invitations, kicks and hand-overs.
class PartyManager {
public:
    PartyManager();
    ~PartyManager();
    PartyManager(const PartyManager&) = delete;
    PartyManager& operator=(const PartyManager&) = delete;

    // Acts on the answer to the invitation dialog, once the player gave it.
    void Update();

    uint32_t GetParty(uint32_t playerId) const;
    // A player outside every party is a party of one.
    uint32_t GetNumPlayersInParty(uint32_t partyId) const;
    uint32_t GetNumInPlayersParty(uint32_t playerId) const;
    uint32_t GetNumPlayersInPartyNear(uint32_t partyId, const WorldVec3& point, float radius) const;
    uint32_t GetPlayerFaction(uint32_t playerId) const;
    void GetPlayersInParty(uint32_t partyId, std::vector<uint32_t>& out) const;
    void GetPartyMembers(uint32_t playerId, std::vector<uint32_t>& out) const;
    bool AreInPartyTogether(uint32_t a, uint32_t b) const;
    float GetPartyExperienceMultiplier(uint32_t playerId, uint32_t monsterId) const;

    void MessagePlayerJoin(uint32_t partyId, uint32_t joinerId);
    void MessagePlayerInvited(uint32_t partyId, uint32_t inviteeId);
    void MessagePlayerLeaving(uint32_t partyId, uint32_t leaverId);

    void HandlePartyInvite(uint32_t inviteeId, int32_t inviterId);
    void OnInviteToParty(const GameEvent_InviteToParty& event);
    void AttemptToKickFromLocalParty(uint32_t playerId);
    void CleanUpForPlayerLeave(uint32_t leaverId);
    void ReassignRemainingParty();

    bool IsInvitePending() const { return invitePending; }
    size_t GetNumQueuedInvitations() const { return queuedInvitations.size(); }
    uint32_t GetCurrentInviter() const { return currentInvitation.inviterId; }

private:
    void ShowInvitation(const GameEvent_InviteToParty& invitation);
    void MessagePartyExcept(uint32_t partyId, uint32_t exceptId, const char* tag);

    bool invitePending = false;
    EventHandler<PartyManager, GameEvent_InviteToParty> inviteListener;
    uint32_t inviteSoundId = 0; // the object manager's; looked up, since it may be gone first
    std::vector<GameEvent_InviteToParty> queuedInvitations;
    GameEvent_InviteToParty currentInvitation;
};

} // namespace GAME
