#include "multiplayer/PartyConsent.h"

#include "engine/ConnectionManager.h"
#include "multiplayer/PartyManager.h"

#include <algorithm>

namespace GAME {

namespace {
bool IsOf(int host, uint32_t player)
{
    return player != 0 && ConnectionManager::HostOfId(player) == host;
}
} // namespace

void PartyConsent::Invited(uint32_t invitee, uint32_t inviter)
{
    invitations.emplace(invitee, inviter);
}

bool PartyConsent::Answered(uint32_t invitee, uint32_t inviter, bool accepted)
{
    if (invitations.erase({invitee, inviter}) == 0)
        return false;
    if (accepted)
        this->accepted.emplace(invitee, inviter);
    return true;
}

bool PartyConsent::MayJoin(int host, uint32_t player, uint32_t party,
                           const PartyManager* parties) const
{
    if (IsOf(host, player) && (party == 0 || accepted.count({player, party}) != 0))
        return true;
    // The accepting machine makes its inviter the leader of the party he invited to.
    if (player == party && std::any_of(accepted.begin(), accepted.end(), [&](const auto& pair) {
            return pair.second == party && IsOf(host, pair.first);
        }))
        return true;
    // A leader's kick and the hand-over of a party its leader leaves.
    return parties != nullptr && IsOf(host, parties->GetParty(player));
}

void PartyConsent::Forget(int host)
{
    for (auto* pairs : {&invitations, &accepted})
        std::erase_if(*pairs, [host](const auto& pair) {
            return IsOf(host, pair.first) || IsOf(host, pair.second);
        });
}

} // namespace GAME
