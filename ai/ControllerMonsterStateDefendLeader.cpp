#include "ai/ControllerMonsterStateDefendLeader.h"

#include "ai/ControllerMonsterStateFollowLeader.h"
#include "engine/Engine.h"
#include "engine/Platform.h"
#include "engine/World.h"

#include <cstdlib>

namespace GAME {

namespace {

int32_t DrawDistanceTestInterval()
{
    return Platform::Rand() % 300 + 100;
}

} // namespace

void ControllerMonsterStateDefendLeader::OnBegin()
{
    if (!IsAlive(GetCurrentAlly())) {
        SwitchTo("Idle");
        return;
    }
    distanceTestTimer = DrawDistanceTestInterval();
    Idle();
    wanderTimer = Platform::Rand() % 7000 + 3000;
}

void ControllerMonsterStateDefendLeader::OnUpdate(int32_t elapsedMs)
{
    const uint32_t leaderId = GetCurrentAlly();
    Character* leader = FindCharacter(leaderId);
    Monster* self = GetCharacter();
    if (self == nullptr || leader == nullptr || !leader->IsAlive()) {
        SwitchTo("Idle");
        return;
    }
    const float limit = GetController()->GetTeleportToLeaderDistance();
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (CanMove() && limit != 0.0f && world != nullptr &&
        world->GetDistance(self->GetPathPosition(), leader->GetPathPosition()) > limit) {
        // The teleport switches to "Idle" itself.
        GetController()->TeleportToLeader(leader);
        return;
    }
    distanceTestTimer -= elapsedMs;
    if (distanceTestTimer < 0) {
        WorldVec3 place;
        if (ControllerMonsterStateFollowLeader::FindPlaceAtLeader(*self, *leader, place)) {
            SwitchTo("FollowLeader", 0, leaderId);
            return;
        }
        distanceTestTimer = DrawDistanceTestInterval();
    }
    wanderTimer -= elapsedMs;
    if (wanderTimer < 0)
        SwitchTo("Wander", 0, leaderId);
}

void ControllerMonsterStateDefendLeader::AllyDied(uint32_t allyId)
{
    const uint32_t leaderId = GetCurrentAlly();
    DefaultAllyDiedResponse(allyId);
    if (allyId == leaderId)
        SwitchTo("Return");
}

} // namespace GAME
