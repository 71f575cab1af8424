#pragma once

#include "ai/ControllerAI.h"
#include "combat/AngerManager.h"
#include "core/UniqueId.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class Character;
class LoadTable;
class Proxy;
class Region;
class WorldCoords;
struct Sphere;

enum FleeBehavior : int32_t {
    NeverFlee = 0,
    FleeOnLowHealth = 1,
    FleeOnDamage = 2,
    FleeWhenEnemyClose = 3,
};

enum FleeTarget : int32_t {
    AwayFromEnemy = 0,
    TowardsAllies = 1,
    TowardsHome = 2,
};

enum RoamBehavior : int32_t {
    NeverRoam = 0,
    Roam = 1,
};

enum SkillUseBehavior : int32_t {
    NeverUseSkill = 0,
    WhenIdle = 1,
    WhenEnemyIsSeen = 2,
};

enum BuffAllyTargeting : int32_t {
    BuffClosest = 0,
    BuffStrongest = 1,
    BuffWeakest = 2,
};

enum DistressResponseBehavior : int32_t {
    RespondToSameType = 0,
    RespondToSameGroup = 1,
    RespondToAll = 2,
};

enum LeaderBehavior : int32_t {
    NeverLead = 0,
    LeadOnPatrol = 1,
    LeadWhenEnemyIsSeen = 2,
    LeadOnDamage = 3,
};

// The band of distances in which a special attack may be used.
enum SkillUseRange : int32_t {
    SkillUseRange_None = 0,
    SkillUseRange_Short = 1,
    SkillUseRange_Medium = 2,
    SkillUseRange_Long = 3,
};

// Whom the second skill of a chain is cast on.
enum ChainedSkillBehavior : int32_t {
    ChainedSkillBehavior_None = 0,
    ChainedSkillBehavior_UseOnLeader = 1,
    ChainedSkillBehavior_UseOnSelf = 2,
};

// The controller of every monster: the record's personality, the skill slots the monster hands
// it, the anger table and the decisions its states ask for. The states do the acting.
class ControllerMonster : public ControllerAI {
    GAME_DECLARE_CLASS(ControllerMonster)

public:
    // One special attack: the skill, when it may first be used and how often after that.
    struct SpecialAttack {
        uint32_t skill = 0;      // 0: slot empty
        int32_t timeout = 0;     // ms
        int32_t delay = 0;       // ms between two uses
        int32_t cooldown = 0;    // ms
        int32_t initialWait = 0; // ms, runs once an enemy was found
        uint32_t chance = 0;     // percent
        SkillUseRange useRange = SkillUseRange_None;
    };
    static constexpr int kNumSpecialAttacks = 5;

    ControllerMonster();
    ~ControllerMonster() override;

    // Parses a record's range word; only the exact words name a band.
    static SkillUseRange GetSkillUseRangeFromText(const std::string& text);

    void Load(const LoadTable& table) override;
    void PostParentAttached() override;
    void Update(int32_t elapsedMs) override;
    void TeamChanged() override;
    // Every teleport of the monster ends in `Teleported`, whoever moved it.
    void Teleport(const WorldCoords& coords) override;

    // Behaviour the derived monster controllers change.
    virtual float ProcessAngerTarget(const Character& foe, int32_t elapsedMs);
    virtual void Teleported(const WorldCoords& coords);
    virtual bool CanMove();
    virtual uint32_t ChooseBestSkillOverride(uint32_t targetId, bool check);
    virtual bool ClosestEnemyFoundOverride(uint32_t enemyId, float distance);
    virtual bool ShouldAlwaysLookForClosestEnemy();

    // Notifications.
    void ProjectileNotification(uint32_t projectileId) override;
    void ScareMe(uint32_t scarerId, float duration) override;
    void TauntMe(float amount, uint32_t taunterId) override;
    void BeginStun() override;
    void EndStun() override;
    void BeginImmobilize() override;
    void EndImmobilize() override;
    void BeginTrap() override;
    void EndTrap() override;
    void UnderAttack(uint32_t attackerId) override;
    void AllyAttacked(uint32_t allyId, uint32_t attackerId) override;

    // Decisions the states ask for.
    uint32_t ChooseBestSkill(uint32_t targetId, bool check);
    uint32_t ChooseBestBuffSelfSkill();
    uint32_t ChooseBestAllyToBuff();
    bool IsSkillInProperRange(uint32_t targetId, SkillUseRange range);
    bool InPursuitRange(uint32_t characterId);
    bool IsEnemyValid(uint32_t characterId);
    WorldVec3 GetHomePosition();
    bool ShouldCareAboutDistressCall(uint32_t allyId);
    bool ShouldHealAlly(uint32_t allyId) const;
    bool CanFlee();
    bool StillScared() const { return scareTimer > 0; }
    bool ShouldEmoteBeforePursuing();
    void SetEmoted(bool value) { emoted = value; }
    bool ShouldPlayRallyOrAlert();
    bool IsEnemyFound() const { return enemyFound; }

    // Flight bookkeeping.
    void IncrementFleeCount() { ++fleeCount; }
    void ResetFleeTimer() { fleeTimer = fleeDelay; }
    uint32_t GetFleeCount() const { return fleeCount; }
    int32_t GetFleeTimer() const { return fleeTimer; }
    int32_t GetScareTimer() const { return scareTimer; }

    // True the first time only: a crowd with no room about it would tell its failure to find a
    // point at every try, so each monster tells it once.
    bool FirstVicinityFailure() { return !std::exchange(vicinityFailureTold, true); }

    // Called by the states when they used a skill.
    void SetHealTimer(int32_t ms) { healTimer = ms; }
    void SetSpecialAttackCooldown(int index, int32_t ms);
    void SetSpecialAttackInitialWait(int index, int32_t ms);

    // Sight: the living foes (or friends) in the sphere, never the monster itself nor a corpse.
    void GetCharactersInSphere(std::vector<Character*>& out, const Region* region,
                               const Sphere& sphere, bool foes);
    void GetFriendsInSphere(std::vector<Character*>& out, const Region* region,
                            const Sphere& sphere);
    void GetFoesInSphere(std::vector<Character*>& out, const Region* region, const Sphere& sphere);

    // Movement goals.
    WorldVec3 GetClosestMovePoint(const WorldVec3& target);
    void ReleaseMoveGoal();

    // Leaders.
    void TeleportToLeader(Character* leader);

    // Patrol.
    const std::vector<UniqueId>& GetPatrolPoints() const { return patrolPoints; }
    uint32_t GetCurrentPatrolPoint() const { return currentPatrolPoint; }
    void SetCurrentPatrolPoint(uint32_t index) { currentPatrolPoint = index; }
    // Null unless the spawn pool still exists.
    Proxy* GetProxy() const;

    // Extra loot of a dying monster.
    void CreateDropMiscItems();

    // Settings from the record.
    float GetAngerTolerance() const { return angerTolerance; }
    float GetAttackedAnger() const { return attackedAnger; }
    float GetAllyAttackedAnger() const { return allyAttackedAnger; }
    float GetSightAngerRate() const { return sightAngerRate; }
    float GetForgiveRate() const { return forgiveRate; }
    float GetInnerSightAngerRate() const { return innerSightAngerRate; }
    float GetProjectileAnger() const { return projectileAnger; }
    float GetAngerTimer() const { return angerTimer; }
    int32_t GetFindEnemyTimer() const { return findEnemyTimer; }
    float GetEnemyTooClose() const { return enemyTooClose; }
    int32_t GetPursuitTime() const { return pursuitTime; }
    float GetMaxPursuitDistance() const { return maxPursuitDistance; }
    FleeBehavior GetFleeBehavior() const { return fleeBehavior; }
    FleeTarget GetFleeTarget() const { return fleeTarget; }
    uint32_t GetMaxFleeCount() const { return maxFleeCount; }
    uint32_t GetFleeChance() const { return fleeChance; }
    int32_t GetFleeTime() const { return fleeTime; }
    int32_t GetFleeDelay() const { return fleeDelay; }
    float GetFleeDistance() const { return fleeDistance; }
    bool GetClearAngerWhenFleeing() const { return clearAngerWhenFleeing; }
    RoamBehavior GetRoamBehavior() const { return roamBehavior; }
    SkillUseBehavior GetBuffSelfBehavior() const { return buffSelfBehavior; }
    SkillUseBehavior GetBuffAllyBehavior() const { return buffAllyBehavior; }
    BuffAllyTargeting GetBuffAllyTargeting() const { return buffAllyTargeting; }
    SkillUseBehavior GetDebuffEnemyBehavior() const { return debuffEnemyBehavior; }
    uint32_t GetChanceToRespondToDistressCall() const { return distressCallChance; }
    const std::string& GetDistressResponseGroup() const { return distressResponseGroup; }
    DistressResponseBehavior GetDistressResponseBehavior() const
    {
        return distressResponseBehavior;
    }
    uint32_t GetHealLeaderHealthPercentage() const { return healLeaderThreshold; }
    uint32_t GetHealAllyHealthPercentage() const { return healAllyThreshold; }
    LeaderBehavior GetLeaderBehavior() const { return leaderBehavior; }
    float GetLeaderDistance() const { return leaderDistance; }
    uint32_t GetMaxFollowers() const { return maxFollowers; }
    uint32_t GetFollowersJoined() const { return followersJoined; }
    void SetFollowersJoined(uint32_t count) { followersJoined = count; }
    float GetWanderDistance() const { return wanderDistance; }
    float GetRoamDistance() const { return roamDistance; }
    float GetTeleportToLeaderDistance() const { return teleportToLeaderDistance; }
    uint32_t GetChanceToIdleOnPatrol() const { return chanceToIdleOnPatrol; }
    int32_t GetMinPatrolIdleTime() const { return minPatrolIdleTime; }
    int32_t GetMaxPatrolIdleTime() const { return maxPatrolIdleTime; }
    float GetInnerViewDistance() const { return innerViewDistance; }
    float GetMaxYViewDistance() const { return maxYViewDistance; }
    uint32_t GetRandomAngerChance() const { return randomAngerChance; }
    int32_t GetMinTimeBeforeRoam() const { return minTimeBeforeRoam; }
    int32_t GetMaxTimeBeforeRoam() const { return maxTimeBeforeRoam; }
    float GetMinRoamDistance() const { return minRoamDistance; }
    float GetMinWanderDistance() const { return minWanderDistance; }
    bool GetResetOriginAfterFleeing() const { return resetOriginAfterFleeing; }
    uint32_t GetEmoteBeforePursuingChance() const { return emoteBeforePursuingChance; }
    float GetDodgeDistance() const { return dodgeDistance; }
    float GetDodgeChance() const { return static_cast<float>(dodgeChance); }
    float GetMinDodgeDistance() const { return minDodgeDistance; }
    uint32_t GetRepositionChance() const { return repositionChance; }
    uint32_t GetEmoteWhenWaitingChance() const { return emoteWhenWaitingChance; }
    int32_t GetMinEmoteTime() const { return minEmoteTime; }
    int32_t GetMaxEmoteTime() const { return maxEmoteTime; }
    int32_t GetRandomAngerTimer() const { return randomAngerTimer; }
    int32_t GetRandomAngerEvaluationTime() const { return randomAngerEvaluationTime; }
    bool GetRandomAngerDone() const { return randomAngerDone; }
    int32_t GetDodgeCooldown() const { return dodgeCooldown; }
    int32_t GetDodgeDelay() const { return dodgeDelay; }
    int32_t GetDeathRangeTimer() const { return deathRangeTimer; }

    // Skill slots, filled by the monster while it loads.
    void SetDefaultAttackSkill(uint32_t skillId) { defaultAttackSkill = skillId; }
    void SetNormalAttackSkill(uint32_t skillId) { normalAttackSkill = skillId; }
    void SetBerserkSkill(uint32_t skillId) { berserkSkill = skillId; }
    void SetDyingSkill(uint32_t skillId) { dyingSkill = skillId; }
    void SetHealSkill(uint32_t skillId, int32_t delayMs);
    void SetBuffSelfSkill(uint32_t skillId) { buffSelfSkills[0] = skillId; }
    void SetBuffSelf2Skill(uint32_t skillId) { buffSelfSkills[1] = skillId; }
    void SetBuffSelf3Skill(uint32_t skillId) { buffSelfSkills[2] = skillId; }
    void SetBuffOtherSkill(uint32_t skillId) { buffOtherSkills[0] = skillId; }
    void SetBuffOther2Skill(uint32_t skillId) { buffOtherSkills[1] = skillId; }
    void SetBuffOther3Skill(uint32_t skillId) { buffOtherSkills[2] = skillId; }
    void SetSpecialAttackSkill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                               uint32_t chance, SkillUseRange range);
    void SetSpecialAttack2Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetSpecialAttack3Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetSpecialAttack4Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetSpecialAttack5Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetInitialSkill(uint32_t skillId) { initialSkill = skillId; }
    void SetChainInitialSkill(uint32_t skillId) { chainInitialSkill = skillId; }
    void SetChainNextSkill(uint32_t skillId) { chainNextSkill = skillId; }
    void SetChainBehavior(ChainedSkillBehavior behavior) { chainBehavior = behavior; }
    void SetSkillRanges(float shortMin, float shortMax, float mediumMin, float mediumMax,
                        float longMin, float longMax);

    uint32_t GetDefaultSkillId() const { return defaultAttackSkill; }
    uint32_t GetNormalAttackSkillId() const { return normalAttackSkill; }
    uint32_t GetBerserkSkillId() const { return berserkSkill; }
    uint32_t GetDyingSkillId() const { return dyingSkill; }
    uint32_t GetHealSkillId() const { return healSkill; }
    int32_t GetHealDelay() const { return healDelay; }
    int32_t GetHealTimer() const { return healTimer; }
    uint32_t GetBuffSelfSkillId() const { return buffSelfSkills[0]; }
    uint32_t GetBuffSelf2SkillId() const { return buffSelfSkills[1]; }
    uint32_t GetBuffSelf3SkillId() const { return buffSelfSkills[2]; }
    uint32_t GetBuffOtherSkillId() const { return buffOtherSkills[0]; }
    uint32_t GetBuffOther2SkillId() const { return buffOtherSkills[1]; }
    uint32_t GetBuffOther3SkillId() const { return buffOtherSkills[2]; }
    uint32_t GetInitialSkillId() const { return initialSkill; }
    uint32_t GetChainInitialSkill() const { return chainInitialSkill; }
    uint32_t GetChainNextSkill() const { return chainNextSkill; }
    ChainedSkillBehavior GetChainBehavior() const { return chainBehavior; }
    void GetSpecialAttackSkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                   uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack2SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack3SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack4SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack5SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    // All seven words of special attack `index` (0 to 4); an empty one outside that range.
    SpecialAttack GetSpecialAttack(int index) const;

    float GetShortRangeMin() const { return shortRangeMin; }
    float GetShortRangeMax() const { return shortRangeMax; }
    float GetMediumRangeMin() const { return mediumRangeMin; }
    float GetMediumRangeMax() const { return mediumRangeMax; }
    float GetLongRangeMin() const { return longRangeMin; }
    float GetLongRangeMax() const { return longRangeMax; }

    // The monster's time to live in ms; 0 for ever.
    void SetLifetime(int32_t ms) { lifetime = ms; }
    int32_t GetLifetime() const { return lifetime; }

    // Anger.
    AngerManager& GetAngerManager() { return angerManager; }
    const AngerManager& GetAngerManager() const { return angerManager; }
    void ClearAnger() { angerManager.Clear(); }
    // The other monster takes over this one's grudges.
    void TransferAnger(ControllerMonster& other) const;
    void SetMostHatedEnemy(uint32_t enemyId) { angerManager.SetMostHatedEnemy(enemyId); }
    // The enemy the anger table names at the anger tolerance; 0 for none.
    uint32_t GetMostHatedEnemy() const;
    void ShowAngerLevels() const { angerManager.ShowAngerLevels(); }

    // A new master: old grudges no longer count.
    void NewLeader(uint32_t leaderId);

    // The spawn pool that made the monster.
    void SetProxyId(const UniqueId& id) { proxyId = id; }
    const UniqueId& GetProxyId() const { return proxyId; }
    // Replaces the treasure pool; nothing for an empty record name.
    void SetTreasureProxy(const std::string& record);
    // Null once the pool is gone.
    Proxy* GetTreasureProxy() const;

    // Passed on to the executing state; there is none until the states exist.
    void Confuse(int32_t value);
    int32_t GetConfusedTime() const { return confusedTime; }
    void SetConfusedTime(int32_t ms) { confusedTime = ms; }

protected:
    // RegisterStates lives in ControllerMonsterRegisterStates.cpp, beside the state classes.
    void RegisterStates() override;
    void RegisterTemporaryStates() override;
    void InitializeStates() override;

    // Update's rounds.
    void AngerUpdate(int32_t elapsedMs);
    void FindEnemyUpdate(int32_t elapsedMs);
    void FindEnemy();
    void FindClosestEnemy(Character* foe, float distance);
    void TryToHealAlly();
    void RandomAngerUpdate(int32_t elapsedMs);
    Character* PickRandomEnemyInView();
    void DieIfEnemyInRange();

private:
    static void SetSpecial(SpecialAttack& slot, uint32_t skillId, int32_t timeoutMs,
                           int32_t delayMs, uint32_t chance, SkillUseRange range);
    static void GetSpecial(const SpecialAttack& slot, uint32_t& skill, int32_t& timeout,
                           int32_t& delay, uint32_t& chance, SkillUseRange& range);

    // Infinite without a world or across unrelated regions.
    static float Distance(const WorldVec3& a, const WorldVec3& b);
    static float HeightDifference(const WorldVec3& a, const WorldVec3& b);
    static bool IsFoe(const Character& self, const Character& other);
    static bool IsFriend(const Character& self, const Character& other);
    bool CloseEnough(uint32_t targetId, uint32_t skillId);
    static bool IsSkillEnabled(uint32_t skillId);
    // The life fraction in percent; false for a maximum of 0 or less.
    static bool GetLifePercent(const Character& character, float& percent);
    void GatherPatrolPoints(const UniqueId& id, const std::string& groupType);

    bool rallyPending = true;
    int32_t findEnemyTimer = 0;
    float angerTolerance = 10.0f;
    float attackedAnger = 100.0f;
    float allyAttackedAnger = 40.0f;
    float sightAngerRate = 20.0f;
    float forgiveRate = 50.0f;
    float innerSightAngerRate = 50.0f;
    float projectileAnger = 20.0f;
    float angerTimer = 0.0f;
    // Load always sets it; 5.0 like the record default.
    float enemyTooClose = 5.0f;
    AngerManager angerManager;
    int32_t pursuitTime = 10000;
    float maxPursuitDistance = 20.0f;
    FleeBehavior fleeBehavior = NeverFlee;
    FleeTarget fleeTarget = AwayFromEnemy;
    uint32_t maxFleeCount = 3;
    uint32_t fleeChance = 100;
    int32_t fleeTime = 3000;
    int32_t fleeDelay = 2000;
    float fleeDistance = 5.0f;
    bool clearAngerWhenFleeing = false;
    RoamBehavior roamBehavior = NeverRoam;
    SkillUseBehavior buffSelfBehavior = WhenEnemyIsSeen;
    SkillUseBehavior buffAllyBehavior = WhenEnemyIsSeen;
    BuffAllyTargeting buffAllyTargeting = BuffClosest;
    SkillUseBehavior debuffEnemyBehavior = NeverUseSkill;
    uint32_t distressCallChance = 100;
    std::string distressResponseGroup;
    DistressResponseBehavior distressResponseBehavior = RespondToAll;
    uint32_t healLeaderThreshold = 0;
    uint32_t healAllyThreshold = 0;
    LeaderBehavior leaderBehavior = NeverLead;
    float leaderDistance = 2.0f;
    uint32_t maxFollowers = 4;
    uint32_t followersJoined = 0;
    float wanderDistance = 5.0f;
    float roamDistance = 10.0f;
    float teleportToLeaderDistance = 15.0f;
    uint32_t chanceToIdleOnPatrol = 20;
    int32_t minPatrolIdleTime = 2000;
    int32_t maxPatrolIdleTime = 5000;
    float innerViewDistance = 5.0f;
    float maxYViewDistance = 0.0f;
    uint32_t randomAngerChance = 0;
    int32_t minTimeBeforeRoam = 3000;
    int32_t maxTimeBeforeRoam = 10000;
    float minRoamDistance = 2.0f;
    float minWanderDistance = 5.0f;
    bool resetOriginAfterFleeing = false;
    uint32_t emoteBeforePursuingChance = 0;
    float dodgeDistance = 4.0f;
    uint32_t dodgeChance = 0;
    float minDodgeDistance = 2.0f;
    uint32_t repositionChance = 0;

    uint32_t defaultAttackSkill = 0;
    bool noAttackTold = false;
    bool vicinityFailureTold = false;
    uint32_t normalAttackSkill = 0;
    uint32_t berserkSkill = 0;
    uint32_t dyingSkill = 0;
    uint32_t healSkill = 0;
    int32_t healDelay = 0; // ms
    int32_t healTimer = 0; // ms
    uint32_t buffSelfSkills[3] = {0, 0, 0};
    uint32_t buffOtherSkills[3] = {0, 0, 0};
    SpecialAttack specialAttacks[kNumSpecialAttacks];
    uint32_t initialSkill = 0;
    bool enemyFound = false;
    bool emoted = false;
    uint32_t emoteWhenWaitingChance = 0;
    int32_t minEmoteTime = 2000;
    int32_t maxEmoteTime = 4000;
    std::vector<UniqueId> patrolPoints;
    uint32_t currentPatrolPoint = 0;

    int32_t lifetime = 0; // ms
    UniqueId proxyId;
    int32_t randomAngerTimer = 3000;
    int32_t randomAngerEvaluationTime = 3000;
    bool randomAngerDone = false;
    int32_t dodgeCooldown = 0;
    int32_t dodgeDelay = 0;
    int32_t confusedTime = 0; // ms
    uint32_t fleeCount = 0;
    int32_t fleeTimer = 0;
    int32_t scareTimer = 0;
    int32_t deathRangeTimer = 200;

    uint32_t chainInitialSkill = 0;
    uint32_t chainNextSkill = 0;
    ChainedSkillBehavior chainBehavior = ChainedSkillBehavior_None;
    float shortRangeMin = 0.0f;
    float shortRangeMax = 4.0f;
    float mediumRangeMin = 4.0f;
    float mediumRangeMax = 8.0f;
    float longRangeMin = 8.0f;
    float longRangeMax = 16.0f;

    // Held by id: the object manager owns the pool and may destroy it first.
    uint32_t treasureProxyId = 0;
};

} // namespace GAME
