#include "ai/ControllerMonsterStateFlee.h"

#include "characters/Character.h"
#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Sphere.h"

#include <vector>

namespace GAME {

void ControllerMonsterStateFlee::OnBegin()
{
    fled = false;
    ControllerMonster* controller = GetController();
    controller->IncrementFleeCount();
    WorldVec3 point;
    if (!PickFleePoint(point)) {
        SwitchTo("Idle");
        return;
    }
    if (Monster* self = GetCharacter())
        self->PlayNetSound(self->GetFleeSound());
    MoveTo(point, 0, 0);
    fleeTimer = controller->GetFleeTime();
    fled = true;
}

void ControllerMonsterStateFlee::OnEnd()
{
    ControllerMonster* controller = GetController();
    controller->ResetFleeTimer();
    if (!fled)
        return;
    if (controller->GetClearAngerWhenFleeing())
        controller->ClearAnger();
    if (Monster* self = GetCharacter(); self != nullptr && controller->GetResetOriginAfterFleeing())
        self->SetSpawnPoint(self->GetCoords());
}

void ControllerMonsterStateFlee::OnUpdate(int32_t elapsedMs)
{
    fleeTimer = AddSaturating(fleeTimer, -elapsedMs);
    if (fleeTimer < 0)
        SwitchTo("Idle");
}

void ControllerMonsterStateFlee::EndOfPathReached()
{
    SwitchTo("Idle");
}

bool ControllerMonsterStateFlee::PickFleePoint(WorldVec3& out)
{
    Character* enemy = FindCharacter(GetCurrentEnemy());
    if (enemy == nullptr || GetCharacter() == nullptr)
        return false;
    const WorldVec3 enemyPosition = enemy->GetPathPosition();
    switch (GetController()->GetFleeTarget()) {
    case AwayFromEnemy:
        return PickAwayFromEnemy(out, enemyPosition);
    case TowardsAllies:
        return PickTowardsAllies(out, enemyPosition);
    case TowardsHome:
        out = GetController()->GetHomePosition();
        return true;
    }
    return false;
}

bool ControllerMonsterStateFlee::PickAwayFromEnemy(WorldVec3& out, const WorldVec3& enemyPosition)
{
    const WorldVec3 own = GetOwnPosition();
    // Unit() keeps a zero direction zero: an enemy on the very spot gives no NaN.
    Vec3 offset = Offset(enemyPosition, own).Unit() * GetController()->GetFleeDistance();
    offset.z += RandomFloat(-1.0f, 1.0f);
    offset.x += RandomFloat(-1.0f, 1.0f);
    out = own;
    out.TranslateToFloor(offset);
    return true;
}

bool ControllerMonsterStateFlee::PickTowardsAllies(WorldVec3& out, const WorldVec3& enemyPosition)
{
    ControllerMonster* controller = GetController();
    Monster* self = GetCharacter();
    const WorldVec3 own = GetOwnPosition();
    const WorldVec3 home = controller->GetHomePosition();
    std::vector<Character*> friends;
    controller->GetFriendsInSphere(friends, home.GetRegion(),
                                   Sphere(home.GetRegionPosition(), controller->GetRoamDistance()));
    const Vec3 away = Offset(enemyPosition, own);
    for (Character* candidate : friends) {
        if (DynamicCast<Monster>(candidate) == nullptr)
            continue;
        const Vec3 toFriend = Offset(own, candidate->GetPathPosition());
        if (!(Dot(toFriend, away) > 0.0f) || !(toFriend.Length() > kLeastFriendDistance))
            continue;
        const float extents = self->GetExtents() + candidate->GetExtents();
        const float beyond = RandomFloat(extents, 2.0f * extents);
        out = own;
        out.TranslateToFloor(toFriend + toFriend.Unit() * beyond);
        return true;
    }
    return PickAwayFromEnemy(out, enemyPosition);
}

} // namespace GAME
