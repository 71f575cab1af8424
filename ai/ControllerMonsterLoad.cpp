#include "ai/ControllerMonster.h"

#include "engine/LoadTable.h"

#include <string>

namespace GAME {

namespace {

// The record text of each value, in value order. A text that names none leaves `value` alone.
template <typename Enum, size_t N>
void ReadEnum(const LoadTable& table, const char* key, const char* fallback,
              const char* const (&names)[N], Enum& value)
{
    const std::string text = table.GetString(key, fallback);
    for (size_t i = 0; i < N; ++i) {
        if (text == names[i]) {
            value = static_cast<Enum>(i);
            return;
        }
    }
}

uint32_t ReadUnsigned(const LoadTable& table, const char* key, int32_t fallback)
{
    return static_cast<uint32_t>(table.GetInt(key, fallback));
}

constexpr const char* kFleeBehaviors[] = {"NeverFlee", "FleeOnLowHealth", "FleeOnDamage",
                                          "FleeWhenEnemyClose"};
constexpr const char* kFleeTargets[] = {"AwayFromEnemy", "TowardsAllies", "TowardsHome"};
constexpr const char* kRoamBehaviors[] = {"NeverRoam", "Roam"};
constexpr const char* kSkillUseBehaviors[] = {"NeverUseSkill", "WhenIdle", "WhenEnemyIsSeen"};
constexpr const char* kBuffAllyTargetings[] = {"BuffClosest", "BuffStrongest", "BuffWeakest"};
constexpr const char* kLeaderBehaviors[] = {"NeverLead", "LeadOnPatrol", "LeadWhenEnemyIsSeen",
                                            "LeadOnDamage"};

} // namespace

void ControllerMonster::Load(const LoadTable& table)
{
    ControllerAI::Load(table);

    fleeTime = table.GetInt("FleeTime", 3000);
    // Read twice; only the second read counts.
    maxFleeCount = ReadUnsigned(table, "maxFleeCount", 2);
    fleeDistance = table.GetFloat("fleeDistance", 5.0f);
    clearAngerWhenFleeing = table.GetBool("ClearAngerWhenFleeing", false);
    resetOriginAfterFleeing = table.GetBool("ResetOriginAfterFleeing", false);
    ReadEnum(table, "FleeBehavior", "NeverFlee", kFleeBehaviors, fleeBehavior);
    ReadEnum(table, "FleeTarget", "AwayFromEnemy", kFleeTargets, fleeTarget);
    maxFleeCount = ReadUnsigned(table, "maxFleeCount", 3);
    fleeDelay = table.GetInt("FleeDelay", 2000);
    fleeChance = ReadUnsigned(table, "FleeChance", 100);
    innerViewDistance = table.GetFloat("InnerViewDistance", 5.0f);
    maxYViewDistance = table.GetFloat("MaxYViewDistance", 0.0f);
    pursuitTime = table.GetInt("PursuitTime", 10000);
    maxPursuitDistance = table.GetFloat("MaxPursuitDistance", 0.0f);
    emoteBeforePursuingChance = ReadUnsigned(table, "EmoteBeforePursuingChance", 0);
    ReadEnum(table, "RoamBehavior", "NeverRoam", kRoamBehaviors, roamBehavior);
    minRoamDistance = table.GetFloat("MinRoamDistance", 2.0f);
    roamDistance = table.GetFloat("RoamDistance", 10.0f);
    minTimeBeforeRoam = table.GetInt("MinTimeBeforeRoam", 3000);
    maxTimeBeforeRoam = table.GetInt("MaxTimeBeforeRoam", 10000);
    minWanderDistance = table.GetFloat("MinWanderDistance", 2.0f);
    wanderDistance = table.GetFloat("WanderDistance", 5.0f);
    teleportToLeaderDistance = table.GetFloat("TeleportToLeaderDistance", 20.0f);
    ReadEnum(table, "BuffSelfBehavior", "NeverUseSkill", kSkillUseBehaviors, buffSelfBehavior);
    ReadEnum(table, "BuffAllyBehavior", "NeverUseSkill", kSkillUseBehaviors, buffAllyBehavior);
    ReadEnum(table, "BuffAllyTargeting", "BuffClosest", kBuffAllyTargetings, buffAllyTargeting);
    // The default text names no value: a missing key keeps the start value.
    ReadEnum(table, "DebuffEnemyBehavior", "NeverUseDebuff", kSkillUseBehaviors,
             debuffEnemyBehavior);
    distressCallChance = ReadUnsigned(table, "ChanceToRespondToDistressCall", 100);
    distressResponseGroup = table.GetString("DistressResponseGroup", "");
    const std::string distress = table.GetString("DistressResponseBehavior", "RespondToAll");
    if (distress == "RespondToSameType")
        distressResponseBehavior = RespondToSameType;
    else if (distress == "RespondToSameGroup")
        distressResponseBehavior = RespondToSameGroup;
    else
        distressResponseBehavior = RespondToAll;
    ReadEnum(table, "LeaderBehavior", "NeverLead", kLeaderBehaviors, leaderBehavior);
    leaderDistance = table.GetFloat("LeaderDistance", 5.0f);
    maxFollowers = ReadUnsigned(table, "MaxFollowers", 4);
    healLeaderThreshold = ReadUnsigned(table, "healLeaderHealthPercentage", 0);
    healAllyThreshold = ReadUnsigned(table, "healAllyHealthPercentage", 0);
    chanceToIdleOnPatrol = ReadUnsigned(table, "ChanceToIdleOnPatrol", 20);
    minPatrolIdleTime = table.GetInt("MinPatrolIdleTime", 2000);
    maxPatrolIdleTime = table.GetInt("MaxPatrolIdleTime", 5000);
    angerTolerance = table.GetFloat("AngerTolerance", 10.0f);
    attackedAnger = table.GetFloat("AttackedAnger", 100.0f);
    allyAttackedAnger = table.GetFloat("AllyAttackedAnger", 40.0f);
    sightAngerRate = table.GetFloat("SightAngerRate", 20.0f);
    innerSightAngerRate = table.GetFloat("InnerSightAngerRate", 20.0f);
    projectileAnger = table.GetFloat("ProjectileAnger", 20.0f);
    forgiveRate = table.GetFloat("ForgiveRate", 50.0f);
    enemyTooClose = table.GetFloat("enemyTooClose", 5.0f);
    randomAngerChance = ReadUnsigned(table, "RandomAngerChance", 0);
    randomAngerEvaluationTime = table.GetInt("RandomAngerEvaluationTime", 3000);
    dodgeDelay = table.GetInt("DodgeDelay", 5000);
    dodgeDistance = table.GetFloat("DodgeDistance", 4.0f);
    dodgeChance = ReadUnsigned(table, "DodgeChance", 0);
    minDodgeDistance = table.GetFloat("MinDodgeDistance", 0.0f);
    repositionChance = ReadUnsigned(table, "RepositionChance", 0);
    emoteWhenWaitingChance = ReadUnsigned(table, "EmoteWhenWaitingChance", 50);
    minEmoteTime = table.GetInt("MinEmoteTime", 2000);
    maxEmoteTime = table.GetInt("MaxEmoteTime", 4000);
}

} // namespace GAME
