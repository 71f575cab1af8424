#pragma once

#include "ai/ControllerAIState.h"
#include "ai/ControllerAIStateData.h"
#include "core/RTTI_ClassInfo.h"

#include <cstdint>
#include <string>

namespace GAME {

// The defaults every concrete state starts from, and its typed helpers. TController is the
// controller class owning the state, TCharacter the class of the character it drives.
template <typename TController, typename TCharacter>
class ControllerAIStateT : public ControllerAIState {
public:
    explicit ControllerAIStateT(TController* controller)
        : ControllerAIState(controller), typedController(controller)
    {}
    ~ControllerAIStateT() override = default;

    void DebugRender() override {}
    bool CloseEnoughToUseSkill(uint32_t enemyId, uint32_t skillId) override
    {
        return SkillInRange(enemyId, skillId);
    }
    bool ShouldFindEnemy() override { return false; }
    bool ShouldFindClosestEnemy() override { return false; }
    void EnemyFound(uint32_t /*enemyId*/) override {}
    void ClosestEnemyFound(uint32_t /*enemyId*/, float /*distance*/) override {}
    void Attacked(uint32_t /*attackerId*/) override {}
    void AllyAttacked(uint32_t /*allyId*/, uint32_t /*attackerId*/) override {}
    void LowHealth() override {}
    void AllyDied(uint32_t /*allyId*/) override {}
    void AllyNeedsHelp(uint32_t /*allyId*/, uint32_t /*id*/) override {}
    void HandleEvent(const Name& /*event*/) override {}
    void EndOfPathReached() override {}
    void LostSlot() override {}
    void RequestAttack(uint32_t /*targetId*/, uint32_t /*skillId*/) override {}
    void RequestMove(uint32_t /*targetId*/, const WorldVec3& /*point*/) override {}
    bool RequestConversation(uint32_t /*partnerId*/) override { return false; }
    bool IsAvailableForSidelineConversations() override { return false; }
    void RequestSidelineConversation(const WorldVec3& /*point*/) override {}
    void NotifySidelineDialogThread() override {}
    void NotifySidelineConversationEnd() override {}
    void QuestCommandMove(uint32_t /*targetId*/, const WorldVec3& /*point*/) override {}
    void QuestCommandWalk(uint32_t /*targetId*/, const WorldVec3& /*point*/) override {}
    void QuestCommandPlayAnimation(AnimationSet_Type /*type*/, bool /*flag*/) override {}
    void QuestCommandUseSkill(uint32_t /*skillId*/, uint32_t /*targetId*/) override {}
    void ProjectileNotification(uint32_t /*projectileId*/) override {}
    void ProjectileCollisionCallback(const ProjectileInfo& /*info*/,
                                     const CollisionData& /*data*/) override
    {}
    void StunMe(float seconds) override { StunController(seconds); }
    void Panic(uint32_t /*sourceId*/) override {}
    void WakeUp(uint32_t /*sourceId*/) override {}
    void CharacterIsDying() override { SwitchAfterClearing("Dying"); }
    void CharacterIsDead() override { SwitchAfterClearing("Dead"); }
    void Confused(int32_t /*value*/) override {}
    void BeginImmobilize() override {}
    void EndImmobilize() override {}
    void BeginTrap() override {}
    void EndTrap() override {}
    void BeginStun() override {}
    void EndStun() override {}
    bool RespondsToFear() override { return false; }
    bool UsePathPositionAsHome() override { return false; }
    bool SelectPrimaryAction(bool /*flag1*/, bool /*flag2*/, const WorldVec3& /*point*/,
                             uint32_t& /*out*/) override
    {
        return false;
    }
    bool SelectSecondaryAction(bool /*flag1*/, bool /*flag2*/, const WorldVec3& /*point*/,
                               uint32_t& /*out*/) override
    {
        return false;
    }
    bool ActivateSuperSkill(bool /*flag1*/, bool /*flag2*/, const WorldVec3& /*point*/,
                            uint32_t& /*out*/) override
    {
        return false;
    }
    bool RequestUseItem(uint32_t /*itemId*/, bool /*flag*/) override { return false; }
    bool RequestReleasePet(uint32_t /*petId*/) override { return false; }
    bool RequestUseRelic(uint32_t /*relicId*/, uint32_t /*targetId*/) override { return false; }
    void SkillUsed(uint32_t /*skillId*/) override {}
    void DoorOpened() override {}
    void DoorClosed() override {}
    float GetSkillUseTolerance(uint32_t /*targetId*/) override { return 0.5f; }

protected:
    TController* GetController() const { return typedController; }
    // Looked up once and kept; looked up again when the controller drives another character.
    TCharacter* GetCharacter()
    {
        const uint32_t id = GetDrivenCharacterId();
        if (cachedCharacter == nullptr || cachedCharacterId != id) {
            cachedCharacter = DynamicCast<TCharacter>(LookUpDrivenCharacter());
            cachedCharacterId = id;
        }
        return cachedCharacter;
    }

    void Idle() { typedController->Idle(); }
    void LongIdle() { typedController->LongIdle(); }
    void PickUp(uint32_t itemId) { typedController->PickUp(itemId); }
    void Use(uint32_t objectId) { typedController->Use(objectId); }
    void Chat(uint32_t partnerId) { typedController->Chat(partnerId); }
    void TakeStun() { typedController->TakeStun(); }
    void Die() { typedController->Die(); }
    void PlayAnimation(AnimationSet_Type type, const Name& name, float speed, bool loop,
                       uint32_t value)
    {
        typedController->PlayAnimation(type, name, speed, loop, value);
    }
    void MoveTo(const WorldVec3& destination, uint32_t targetId, uint32_t skillId)
    {
        typedController->MoveTo(destination, targetId, skillId);
    }
    void WalkTo(const WorldVec3& destination, uint32_t targetId)
    {
        typedController->WalkTo(destination, targetId);
    }
    // The skill goes out under the character's reference number; then this state hears of it.
    void UseSkill(uint32_t targetId, const WorldVec3& point, uint32_t skillId, uint32_t value)
    {
        TCharacter* character = GetCharacter();
        const uint32_t skillRef =
            character != nullptr ? character->GetSkillReferenceNumber(skillId) : skillId;
        typedController->UseSkill(targetId, point, skillRef, value);
        SkillUsed(skillId);
    }
    void SetState(const std::string& name, const ControllerAIStateData& data)
    {
        typedController->SetState(name, data);
    }
    void AddTemporaryState(const std::string& name, const ControllerAIStateData& data)
    {
        typedController->AddTemporaryState(name, data);
    }
    void ClearTemporaryStates() { typedController->ClearTemporaryStates(); }
    void KillMe() { typedController->KillMe(); }

    uint32_t GetCurrentEnemy() const { return typedController->GetCurrentEnemy(); }
    uint32_t GetCurrentAlly() const { return typedController->GetCurrentAlly(); }
    uint32_t GetCurrentSkillID() const { return typedController->GetCurrentSkillID(); }
    WorldVec3 GetPointOfInterest() const { return typedController->GetCurrentPointOfInterest(); }
    float GetViewDistance() const { return typedController->GetViewDistance(); }
    int32_t GetStunTime() const { return typedController->GetStunTime(); }

private:
    TController* typedController;
    TCharacter* cachedCharacter = nullptr;
    uint32_t cachedCharacterId = 0;
};

} // namespace GAME
