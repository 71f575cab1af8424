#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class CollisionData;
class ControllerAI;
class Entity;
class Object;
class UniqueId;
class Name;
class ProjectileInfo;
class WorldVec3;
enum AnimationSet_Type : int32_t;

// One named state of a thinking controller. The controller hands every notification to the
// state that executes; the bodies come from ControllerAIStateT and the concrete states.
class ControllerAIState {
public:
    explicit ControllerAIState(ControllerAI* controller) : controller(controller) {}
    ControllerAIState(const ControllerAIState&) = delete;
    ControllerAIState& operator=(const ControllerAIState&) = delete;

    // Virtual operations, in the order of their slots.
    virtual ~ControllerAIState() = default;
    virtual void DebugRender() = 0;
    virtual bool CloseEnoughToUseSkill(uint32_t enemyId, uint32_t skillId) = 0;
    virtual bool ShouldFindEnemy() = 0;
    virtual bool ShouldFindClosestEnemy() = 0;
    virtual void EnemyFound(uint32_t enemyId) = 0;
    virtual void ClosestEnemyFound(uint32_t enemyId, float distance) = 0;
    virtual void Attacked(uint32_t attackerId) = 0;
    virtual void AllyAttacked(uint32_t allyId, uint32_t attackerId) = 0;
    virtual void LowHealth() = 0;
    virtual void AllyDied(uint32_t allyId) = 0;
    virtual void AllyNeedsHelp(uint32_t allyId, uint32_t id) = 0;
    virtual void HandleEvent(const Name& event) = 0;
    virtual void EndOfPathReached() = 0;
    virtual void LostSlot() = 0;
    virtual void RequestAttack(uint32_t targetId, uint32_t skillId) = 0;
    virtual void RequestMove(uint32_t targetId, const WorldVec3& point) = 0;
    virtual bool RequestConversation(uint32_t partnerId) = 0;
    virtual bool IsAvailableForSidelineConversations() = 0;
    virtual void RequestSidelineConversation(const WorldVec3& point) = 0;
    virtual void NotifySidelineDialogThread() = 0;
    virtual void NotifySidelineConversationEnd() = 0;
    virtual void QuestCommandMove(uint32_t targetId, const WorldVec3& point) = 0;
    virtual void QuestCommandWalk(uint32_t targetId, const WorldVec3& point) = 0;
    virtual void QuestCommandPlayAnimation(AnimationSet_Type type, bool flag) = 0;
    virtual void QuestCommandUseSkill(uint32_t skillId, uint32_t targetId) = 0;
    virtual void ProjectileNotification(uint32_t projectileId) = 0;
    virtual void ProjectileCollisionCallback(const ProjectileInfo& info,
                                             const CollisionData& data) = 0;
    virtual void StunMe(float seconds) = 0;
    virtual void Panic(uint32_t sourceId) = 0;
    virtual void WakeUp(uint32_t sourceId) = 0;
    virtual void CharacterIsDying() = 0;
    virtual void CharacterIsDead() = 0;
    virtual void Confused(int32_t value) = 0;
    virtual void BeginImmobilize() = 0;
    virtual void EndImmobilize() = 0;
    virtual void BeginTrap() = 0;
    virtual void EndTrap() = 0;
    virtual void BeginStun() = 0;
    virtual void EndStun() = 0;
    virtual bool RespondsToFear() = 0;
    virtual bool UsePathPositionAsHome() = 0;
    virtual bool SelectPrimaryAction(bool flag1, bool flag2, const WorldVec3& point,
                                     uint32_t& out) = 0;
    virtual bool SelectSecondaryAction(bool flag1, bool flag2, const WorldVec3& point,
                                       uint32_t& out) = 0;
    virtual bool ActivateSuperSkill(bool flag1, bool flag2, const WorldVec3& point,
                                    uint32_t& out) = 0;
    virtual bool RequestUseItem(uint32_t itemId, bool flag) = 0;
    virtual bool RequestReleasePet(uint32_t petId) = 0;
    virtual bool RequestUseRelic(uint32_t relicId, uint32_t targetId) = 0;
    virtual bool Done() const { return done; }
    virtual void SetDone(bool value) { done = value; }
    virtual void OnBegin() = 0;
    virtual void OnEnd() = 0;
    virtual void OnUpdate(int32_t elapsedMs) = 0;
    virtual void SkillUsed(uint32_t skillId) = 0;
    virtual void DoorOpened() = 0;
    virtual void DoorClosed() = 0;
    // How far off the stand point a skill may still be used, in world units.
    virtual float GetSkillUseTolerance(uint32_t targetId) = 0;

protected:
    ControllerAI* GetAIController() const { return controller; }
    uint32_t GetDrivenCharacterId() const;
    // The driven character as an object; null when it is gone.
    Object* LookUpDrivenCharacter() const;
    // Temporaries dropped, the stun time kept (whole units), then "Stunned".
    void StunController(float seconds);
    // Temporaries dropped, then the named state with empty data.
    void SwitchAfterClearing(const std::string& name);

    // ---- queries (aiqueries) begin ----
    // Whether the enemy is close enough for the skill; the default of CloseEnoughToUseSkill.
    bool SkillInRange(uint32_t enemyId, uint32_t skillId);
    // False when no character has the id.
    static bool IsAlive(uint32_t id);
    // The character with the id, or null after logging on behalf of `who`.
    static Character* ValidateObjectId(uint32_t id, const std::string& who);
    // Characters within the view distance of this one, this one left out; `out` is cleared.
    void FindEnemiesInSight(std::vector<Character*>& out);
    void FindAlliesInSight(std::vector<Character*>& out);
    // Either kind of slash matches the other; otherwise the record names match byte for byte.
    void FindAlliesOfType(std::vector<Character*>& out, const std::string& recordName);
    // Index of the nearest entity among those that exist and stand somewhere; -1 for none.
    int32_t GetClosest(const std::vector<UniqueId>& ids);
    // Whether the line of sight to the target is free; an entity in the way is named.
    bool IsPathClear(uint32_t targetId, Entity*& blocker);
    // The nearest living hostile barrier on the way to the target, or null.
    Character* IsBarrierBlocking(uint32_t targetId);
    static bool BlocksPath(const Entity* entity);
    // ---- queries (aiqueries) end ----

private:
    ControllerAI* controller;
    bool done = false;
};

} // namespace GAME
