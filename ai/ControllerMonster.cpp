#include "ai/ControllerMonster.h"

#include "ai/ControllerAIState.h"
#include "ai/ControllerMonsterStateUseSkillOnAlly.h"
#include "ai/ControllerMonsterStateUseSkillOnPoint.h"
#include "ai/MovementGoalManager.h"
#include "characters/AnimationSet.h"
#include "characters/Monster.h"
#include "characters/Team.h"
#include "characters/TeamManager.h"
#include "core/MathUtils.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/Engine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/UniqueIdMap.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "world/FixedItem.h"
#include "world/Proxy.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerMonster, ControllerAI);

ControllerMonster::ControllerMonster()
{
    SetIgnoreEquipmentRequirements(true);
}

ControllerMonster::~ControllerMonster() = default;

SkillUseRange ControllerMonster::GetSkillUseRangeFromText(const std::string& text)
{
    if (text == "ShortRange")
        return SkillUseRange_Short;
    if (text == "MediumRange")
        return SkillUseRange_Medium;
    if (text == "LongRange")
        return SkillUseRange_Long;
    return SkillUseRange_None;
}

void ControllerMonster::TeamChanged()
{
    angerManager.Clear();
}

void ControllerMonster::RegisterTemporaryStates()
{
    AddTemporaryState("UseSkillOnAlly", new ControllerMonsterStateUseSkillOnAlly(this));
    AddTemporaryState("UseSkillOnPoint", new ControllerMonsterStateUseSkillOnPoint(this));
}

void ControllerMonster::InitializeStates()
{
    const Character* self = GetCharacter();
    SetState(self != nullptr && self->IsAlive() ? "Startup" : "Dead", ControllerAIStateData());
}

void ControllerMonster::Teleported(const WorldCoords& /*coords*/) {}

void ControllerMonster::Teleport(const WorldCoords& coords)
{
    ControllerAI::Teleport(coords);
    Teleported(coords);
}

bool ControllerMonster::CanMove()
{
    const Character* self = GetCharacter();
    const AnimationSet* animations = self != nullptr ? self->GetAnimationSet() : nullptr;
    return animations != nullptr && (animations->DoesAnimationExist(AnimationSet_Walk) ||
                                     animations->DoesAnimationExist(AnimationSet_Run));
}

uint32_t ControllerMonster::ChooseBestSkillOverride(uint32_t /*targetId*/, bool /*check*/)
{
    return 0;
}

bool ControllerMonster::ClosestEnemyFoundOverride(uint32_t /*enemyId*/, float /*distance*/)
{
    return false;
}

bool ControllerMonster::ShouldAlwaysLookForClosestEnemy()
{
    return false;
}

void ControllerMonster::BeginStun()
{
    if (ControllerAIState* state = GetExecutingState())
        state->BeginStun();
}

void ControllerMonster::EndStun()
{
    if (ControllerAIState* state = GetExecutingState())
        state->EndStun();
}

void ControllerMonster::BeginImmobilize()
{
    if (ControllerAIState* state = GetExecutingState())
        state->BeginImmobilize();
}

void ControllerMonster::EndImmobilize()
{
    if (ControllerAIState* state = GetExecutingState())
        state->EndImmobilize();
}

void ControllerMonster::BeginTrap()
{
    if (ControllerAIState* state = GetExecutingState())
        state->BeginTrap();
}

void ControllerMonster::EndTrap()
{
    if (ControllerAIState* state = GetExecutingState())
        state->EndTrap();
}

bool ControllerMonster::ShouldEmoteBeforePursuing()
{
    if (emoted)
        return false;
    return static_cast<uint32_t>(Platform::Rand() % 100) < emoteBeforePursuingChance;
}

bool ControllerMonster::ShouldPlayRallyOrAlert()
{
    const bool pending = rallyPending;
    rallyPending = false;
    return pending;
}

bool ControllerMonster::ShouldHealAlly(uint32_t /*allyId*/) const
{
    return healTimer < 1;
}

bool ControllerMonster::CanFlee()
{
    if (fleeCount >= maxFleeCount || fleeTimer > 0)
        return false;
    return static_cast<uint32_t>(Platform::Rand() % 100) < fleeChance;
}

void ControllerMonster::SetSpecialAttackCooldown(int index, int32_t ms)
{
    if (index >= 0 && index < kNumSpecialAttacks)
        specialAttacks[index].cooldown = ms;
}

void ControllerMonster::SetSpecialAttackInitialWait(int index, int32_t ms)
{
    if (index >= 0 && index < kNumSpecialAttacks)
        specialAttacks[index].initialWait = ms;
}

float ControllerMonster::Distance(const WorldVec3& a, const WorldVec3& b)
{
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    return world != nullptr ? world->GetDistance(a, b) : gPositiveInfinity;
}

float ControllerMonster::HeightDifference(const WorldVec3& a, const WorldVec3& b)
{
    Vec3 other;
    if (!b.GetPositionInRegion(a.GetRegionId(), other))
        return gPositiveInfinity;
    return other.y - a.GetRegionPosition().y;
}

bool ControllerMonster::IsFoe(const Character& self, const Character& other)
{
    const TeamManager* teams = gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
    return teams != nullptr && teams->IsFoe(self.GetTeam(), other.GetTeam());
}

bool ControllerMonster::IsFriend(const Character& self, const Character& other)
{
    const TeamManager* teams = gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
    return teams != nullptr && teams->IsFriend(self.GetTeam(), other.GetTeam());
}

uint32_t ControllerMonster::GetMostHatedEnemy() const
{
    const Character* target = angerManager.GetNewTarget(angerTolerance);
    return target != nullptr ? target->GetObjectId() : 0;
}

bool ControllerMonster::InPursuitRange(uint32_t characterId)
{
    if (maxPursuitDistance == 0.0f)
        return true;
    Character* other = ObjectManager::Instance().GetObject<Character>(characterId);
    Character* self = GetCharacter();
    if (other == nullptr || self == nullptr)
        return false;
    const WorldVec3 otherPosition = other->GetPathPosition();
    if (maxYViewDistance != 0.0f &&
        std::abs(HeightDifference(self->GetPathPosition(), otherPosition)) > maxYViewDistance)
        return false;
    return Distance(otherPosition, GetHomePosition()) < maxPursuitDistance;
}

bool ControllerMonster::IsEnemyValid(uint32_t characterId)
{
    const Character* other = ObjectManager::Instance().GetObject<Character>(characterId);
    const Character* self = GetCharacter();
    if (other == nullptr || self == nullptr || !other->IsAlive() || other->IsHiding() ||
        !IsFoe(*self, *other))
        return false;
    return InPursuitRange(characterId);
}

WorldVec3 ControllerMonster::GetHomePosition()
{
    Character* self = GetCharacter();
    if (self == nullptr)
        return WorldVec3();
    ControllerAIState* state = GetExecutingState();
    if (state != nullptr && state->UsePathPositionAsHome())
        return self->GetPathPosition();
    if (const Monster* monster = DynamicCast<Monster>(self)) {
        Character* leader = ObjectManager::Instance().GetObject<Character>(monster->GetLeader());
        if (leader != nullptr && CanMove())
            return leader->GetPathPosition();
    }
    return self->GetSpawnPoint().GetPosition();
}

bool ControllerMonster::ShouldCareAboutDistressCall(uint32_t allyId)
{
    ObjectManager& objects = ObjectManager::Instance();
    const Character* ally = objects.GetObject<Character>(allyId);
    if (ally == nullptr)
        return objects.GetObject<FixedItem>(allyId) != nullptr;
    const Character* self = GetCharacter();
    if (self == nullptr)
        return false;
    switch (distressResponseBehavior) {
    case RespondToSameType:
        return ally->GetDistressCallGroup() == self->GetDistressCallGroup();
    case RespondToSameGroup: {
        const std::vector<std::string>& mine = self->GetRace();
        for (const std::string& race : ally->GetRace())
            if (std::find(mine.begin(), mine.end(), race) != mine.end())
                return true;
        return false;
    }
    default:
        return true;
    }
}

WorldVec3 ControllerMonster::GetClosestMovePoint(const WorldVec3& target)
{
    Character* self = GetCharacter();
    if (self == nullptr)
        return target;
    return Character::GetMovementGoalManager().GetClosestMovePoint(self->GetObjectId(),
                                                                   self->GetExtents(), target);
}

void ControllerMonster::ReleaseMoveGoal()
{
    if (const Character* self = GetCharacter())
        Character::GetMovementGoalManager().ReleaseMoveGoal(self->GetObjectId());
}

void ControllerMonster::TeleportToLeader(Character* leader)
{
    Character* self = GetCharacter();
    if (leader == nullptr || self == nullptr)
        return;
    WorldVec3 position;
    leader->RequestDefenseSlot(position, self->GetObjectId(), true);
    if (!position.HasRegion())
        return;
    Teleport(WorldCoords(position));
    SetState("Idle", ControllerAIStateData());
}

void ControllerMonster::PostParentAttached()
{
    ControllerAI::PostParentAttached();
    const Character* self = GetCharacter();
    if (self == nullptr)
        return;
    if (!self->GetUniqueID().IsZero()) {
        GatherPatrolPoints(self->GetUniqueID(), "Patrollers");
        return;
    }
    if (const Proxy* proxy = GetProxy())
        GatherPatrolPoints(proxy->GetUniqueID(), "ProxyPatrollers");
}

void ControllerMonster::GatherPatrolPoints(const UniqueId& id, const std::string& groupType)
{
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.LockGroupList();
    std::vector<int32_t> indices;
    groups.GetGroupsThatContain(id, indices);
    for (int32_t index : indices) {
        const InstanceGroup* group = groups.GetGroup(index);
        if (group == nullptr || group->GetType() != groupType)
            continue;
        for (int32_t child = 0; child < group->GetNumChildren(); ++child) {
            const InstanceGroup* points = groups.GetGroup(group->GetChildId(child));
            if (points == nullptr || points->GetType() != "Patrol Points")
                continue;
            std::vector<UniqueId> ids;
            points->FillIdList(ids);
            patrolPoints.insert(patrolPoints.end(), ids.begin(), ids.end());
        }
    }
    groups.UnlockGroupList();
}

Proxy* ControllerMonster::GetProxy() const
{
    return proxyId.IsZero() ? nullptr : DynamicCast<Proxy>(UniqueIdMap::GetEntity(proxyId));
}

void ControllerMonster::SetHealSkill(uint32_t skillId, int32_t delayMs)
{
    healSkill = skillId;
    healDelay = delayMs;
}

void ControllerMonster::SetSpecial(SpecialAttack& slot, uint32_t skillId, int32_t timeoutMs,
                                   int32_t delayMs, uint32_t chance, SkillUseRange range)
{
    slot.skill = skillId;
    slot.timeout = timeoutMs;
    slot.delay = delayMs;
    slot.cooldown = 0;
    slot.initialWait = timeoutMs;
    slot.chance = chance;
    slot.useRange = range;
}

void ControllerMonster::GetSpecial(const SpecialAttack& slot, uint32_t& skill, int32_t& timeout,
                                   int32_t& delay, uint32_t& chance, SkillUseRange& range)
{
    skill = slot.skill;
    timeout = slot.timeout;
    delay = slot.delay;
    chance = slot.chance;
    range = slot.useRange;
}

void ControllerMonster::SetSpecialAttackSkill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                              uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[0], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack2Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[1], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack3Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[2], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack4Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[3], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack5Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[4], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::GetSpecialAttackSkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                                  uint32_t& chance, SkillUseRange& range) const
{
    GetSpecial(specialAttacks[0], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack2SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[1], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack3SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[2], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack4SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[3], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack5SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[4], skill, timeout, delay, chance, range);
}

ControllerMonster::SpecialAttack ControllerMonster::GetSpecialAttack(int index) const
{
    if (index < 0 || index >= kNumSpecialAttacks)
        return SpecialAttack{};
    return specialAttacks[index];
}

void ControllerMonster::SetSkillRanges(float shortMin, float shortMax, float mediumMin,
                                       float mediumMax, float longMin, float longMax)
{
    shortRangeMin = shortMin;
    shortRangeMax = shortMax;
    mediumRangeMin = mediumMin;
    mediumRangeMax = mediumMax;
    longRangeMin = longMin;
    longRangeMax = longMax;
}

void ControllerMonster::TransferAnger(ControllerMonster& other) const
{
    angerManager.TransferAnger(other.angerManager);
}

void ControllerMonster::NewLeader(uint32_t /*leaderId*/)
{
    angerManager.Clear();
}

void ControllerMonster::SetTreasureProxy(const std::string& record)
{
    if (record.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    if (Proxy* old = GetTreasureProxy())
        objects.DestroyObjectEx(old, "ControllerMonster", __LINE__);
    Proxy* proxy = objects.CreateObjectFromFile<Proxy>(record);
    treasureProxyId = proxy ? proxy->GetObjectId() : 0;
}

Proxy* ControllerMonster::GetTreasureProxy() const
{
    return treasureProxyId ? ObjectManager::Instance().GetObject<Proxy>(treasureProxyId) : nullptr;
}

void ControllerMonster::Confuse(int32_t value)
{
    if (ControllerAIState* state = GetExecutingState())
        state->Confused(value);
}

} // namespace GAME
