#pragma once

#include <cstdint>
#include <set>
#include <utility>

namespace GAME {

// What a server saw of party invitations and their answers, by which it judges who a client may
// put in which party: a party changes hands only by an invitation accepted, or by its leader.
class PartyManager;

class PartyConsent {
public:
    void Invited(uint32_t invitee, uint32_t inviter);
    // The invitee's answer; false, changing nothing, when no such invitation went out.
    bool Answered(uint32_t invitee, uint32_t inviter, bool accepted);
    // Whether `host` may put `player` in `party` (0 for none): its own player into a party it
    // accepted or out of any, the inviter whose invitation one of its players accepted into his
    // own party, and, for a party one of its players leads (as `parties` has them), a member out
    // or to a new leader.
    bool MayJoin(int host, uint32_t player, uint32_t party, const PartyManager* parties) const;
    // The host's players are gone: what they were invited to and accepted goes with them.
    void Forget(int host);

private:
    // (invitee, inviter) pairs.
    std::set<std::pair<uint32_t, uint32_t>> invitations;
    std::set<std::pair<uint32_t, uint32_t>> accepted;
};

} // namespace GAME
