#include "ai/ControllerMonsterStateFollowLeader.h"

#include "engine/Engine.h"
#include "engine/World.h"

namespace GAME {

bool ControllerMonsterStateFollowLeader::FindPlaceAtLeader(Monster& self, Character& leader,
                                                           WorldVec3& place)
{
    place = self.GetMoveToPoint(leader.GetObjectId(), 0, leader.GetPathPosition());
    return place.HasRegion() && !(place == self.GetPathPosition());
}

void ControllerMonsterStateFollowLeader::TeleportIfLeftBehind(Character& leader)
{
    const float limit = GetController()->GetTeleportToLeaderDistance();
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (limit <= 0.0f || world == nullptr || !CanMove() ||
        !(world->GetDistance(GetOwnPosition(), leader.GetPathPosition()) > limit))
        return;
    GetController()->TeleportToLeader(&leader);
}

void ControllerMonsterStateFollowLeader::OnBegin()
{
    const uint32_t leaderId = GetCurrentAlly();
    Monster* self = GetCharacter();
    Character* leader = FindCharacter(leaderId);
    if (self == nullptr || leader == nullptr || !leader->IsAlive()) {
        SwitchTo("Idle");
        return;
    }
    WorldVec3 place;
    if (!FindPlaceAtLeader(*self, *leader, place) || !self->CanMoveTo(place, 0.5f)) {
        SwitchTo("DefendLeader", 0, leaderId);
        return;
    }
    MoveTo(place, 0, 0);
}

void ControllerMonsterStateFollowLeader::OnUpdate(int32_t /*elapsedMs*/)
{
    Character* leader = FindCharacter(GetCurrentAlly());
    if (leader == nullptr || !leader->IsAlive()) {
        SwitchTo("Return");
        return;
    }
    TeleportIfLeftBehind(*leader);
}

void ControllerMonsterStateFollowLeader::EndOfPathReached()
{
    SwitchTo("DefendLeader", 0, GetCurrentAlly());
}

void ControllerMonsterStateFollowLeader::LostSlot()
{
    SwitchTo("DefendLeader", 0, GetCurrentAlly());
}

void ControllerMonsterStateFollowLeader::AllyDied(uint32_t allyId)
{
    const uint32_t leaderId = GetCurrentAlly();
    DefaultAllyDiedResponse(allyId);
    if (allyId == leaderId)
        SwitchTo("Return");
}

} // namespace GAME
