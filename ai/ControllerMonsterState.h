#pragma once

#include "ai/ControllerAIStateT.h"
#include "ai/ControllerMonster.h"
#include "characters/Monster.h"

#include <cstdint>
#include <string>

namespace GAME {

class Character;

// What every monster state shares: the status switches, the skill bookkeeping and the usual
// answers to what a monster notices. A state wires its handlers to the answers it wants.
// The members are defined in ControllerMonsterState.cpp and instantiated there for each
// (controller, character) pair; another pair adds its instantiation there.
template <typename TController, typename TCharacter>
class ControllerMonsterState : public ControllerAIStateT<TController, TCharacter> {
public:
    explicit ControllerMonsterState(TController* controller)
        : ControllerAIStateT<TController, TCharacter>(controller)
    {}
    ~ControllerMonsterState() override = default;

    // Starts a special attack's cooldown or the heal timer; the specials win over the heal.
    void SkillUsed(uint32_t skillId) override;
    bool RespondsToFear() override { return true; }
    void Panic(uint32_t sourceId) override { DefaultPanicResponse(sourceId); }
    void BeginStun() override { SwitchDroppingTemporaries("Stunned"); }
    void BeginImmobilize() override { SwitchDroppingTemporaries("Immobile"); }
    void BeginTrap() override { SwitchDroppingTemporaries("Trapped"); }

    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}

    // Handlers a state opts into with `Answer` (see below); otherwise they do nothing.
    bool ShouldFindEnemy() override { return Answers(kFindEnemy); }
    bool ShouldFindClosestEnemy() override { return Answers(kFindClosestEnemy); }
    void EnemyFound(uint32_t enemyId) override;
    void ClosestEnemyFound(uint32_t enemyId, float distance) override;
    void Attacked(uint32_t attackerId) override;
    void AllyAttacked(uint32_t allyId, uint32_t attackerId) override;
    void LowHealth() override;
    void AllyDied(uint32_t allyId) override;
    void AllyNeedsHelp(uint32_t allyId, uint32_t id) override;
    void RequestAttack(uint32_t requesterId, uint32_t targetId) override;
    void RequestMove(uint32_t requesterId, const WorldVec3& point) override;
    void ProjectileNotification(uint32_t projectileId) override;
    void Confused(int32_t value) override;
    void QuestCommandMove(uint32_t targetId, const WorldVec3& point) override;
    void QuestCommandWalk(uint32_t targetId, const WorldVec3& point) override;
    void QuestCommandPlayAnimation(AnimationSet_Type type, bool looping) override;
    void QuestCommandUseSkill(uint32_t skillId, uint32_t targetId) override;

    // Up to five tries of a point round `centre` between the two radii, on the floor, in a
    // loaded region, farther than `minDistance` from the character and reachable; `maxVertical`
    // 0 skips the height test. When every try failed it logs, once a monster.
    static bool PickRandomPointInVicinity(WorldVec3& out, Character* character,
                                          const WorldVec3& centre, float minRadius, float maxRadius,
                                          float minDistance, float maxVertical);
    static SkillUseRange ParseSkillUseRange(const std::string& text)
    {
        return ControllerMonster::GetSkillUseRangeFromText(text);
    }

protected:
    using ControllerAIStateT<TController, TCharacter>::GetController;
    using ControllerAIStateT<TController, TCharacter>::GetCharacter;

    // What a state answers with the shared behaviour, set once in its constructor:
    // kFindEnemy and kFindClosestEnemy make the two searches true, kEventDefaults sends the
    // eleven notifications (EnemyFound ... Confused) to the default answers, kQuestDefaults
    // the four quest commands.
    static constexpr uint32_t kFindEnemy = 1;
    static constexpr uint32_t kFindClosestEnemy = 2;
    static constexpr uint32_t kEventDefaults = 4;
    static constexpr uint32_t kQuestDefaults = 8;
    static constexpr uint32_t kSearches = kFindEnemy | kFindClosestEnemy;
    static constexpr uint32_t kAllDefaults = kSearches | kEventDefaults | kQuestDefaults;
    void Answer(uint32_t flags) { answers = flags; }
    bool Answers(uint32_t flag) const { return (answers & flag) != 0; }

    // The default answers; a state calls them from the handler of the same name.
    void DefaultEnemyFoundResponse(uint32_t enemyId);
    void DefaultClosestEnemyFoundResponse(uint32_t enemyId, float distance);
    void DefaultAttackedResponse(uint32_t attackerId);
    void DefaultAllyAttackedResponse(uint32_t allyId, uint32_t attackerId);
    void DefaultAllyNeedsHelpResponse(uint32_t enemyId, uint32_t id);
    void DefaultLowHealthResponse();
    void DefaultAllyDiedResponse(uint32_t allyId);
    void DefaultConfusedResponse(uint32_t sourceId);
    void DefaultPanicResponse(uint32_t sourceId);
    void DefaultRequestAttackResponse(uint32_t requesterId, uint32_t targetId);
    void DefaultRequestMoveResponse(uint32_t requesterId, const WorldVec3& point);
    bool DefaultRequestConversationResponse(uint32_t partnerId);
    void DefaultQuestCommandMoveResponse(uint32_t targetId, const WorldVec3& point);
    void DefaultQuestCommandWalkResponse(uint32_t targetId, const WorldVec3& point);
    void DefaultQuestCommandPlayAnimationResponse(AnimationSet_Type type, bool looping);
    void DefaultQuestCommandUseSkillResponse(uint32_t skillId, uint32_t targetId);
    void DefaultProjectileNotificationResponse(uint32_t projectileId);
    void HealAllyWhenAttacked(uint32_t allyId);
    void CallForFollowers();
    void JoinLeader(uint32_t leaderId);
    bool ShouldBuffSelf();

    // The "Pursue" switch every answer uses: the enemy with its best skill.
    void PursueEnemy(uint32_t enemyId, uint32_t allyId = 0);
    // Queues "UseSkillOnAlly" with the ally and the skill.
    void UseSkillOnAlly(uint32_t allyId, uint32_t skillId);
    void SwitchTo(const std::string& name, uint32_t enemyId = 0, uint32_t allyId = 0,
                  uint32_t skillId = 0, const WorldVec3& point = WorldVec3());
    // Temporaries dropped without their OnEnd, then the named state with empty data.
    void SwitchDroppingTemporaries(const std::string& name);

    // Actions the typed base lacks.
    void Immobilize();
    void TakeTrap();
    void RemoveTrap();

    // Queries on the driven monster; safe when it is gone.
    uint32_t GetMonsterId();
    uint32_t GetLeaderId();
    WorldVec3 GetOwnPosition();
    float GetOwnRadius();
    // Whether the monster already stands on the point.
    bool IsAt(const WorldVec3& point);
    static float Distance(const WorldVec3& a, const WorldVec3& b);
    // b - a, in a's region; zero when the two cannot be related.
    static Vec3 Offset(const WorldVec3& a, const WorldVec3& b);
    static constexpr float kReachTolerance = 0.5f;
    static constexpr float kAtPointDistance = 0.1f;
    // The character with the id, or null.
    static Character* FindCharacter(uint32_t id);
    bool IsClearPath(uint32_t targetId);
    bool IsCloseEnough(uint32_t enemyId, uint32_t skillId);
    // Close enough for the skill and nothing in the way.
    bool CanAttackNow(uint32_t enemyId, uint32_t skillId);
    // "Attack" the enemy with the skill when it can be struck now, else "Pursue" it.
    void AttackElsePursue(uint32_t enemyId, uint32_t skillId);
    // At a path's end: "Attack" on with the current data when the enemy can be struck now, else
    // "Return".
    void AttackElseReturn();
    bool CanMove();

private:
    uint32_t answers = 0;
};

extern template class ControllerMonsterState<ControllerMonster, Monster>;

// The state base of the plain monster controller.
using ControllerMonsterStateBase = ControllerMonsterState<ControllerMonster, Monster>;

} // namespace GAME
