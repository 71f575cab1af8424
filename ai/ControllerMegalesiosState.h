#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

class Megalesios;

// The boss's own states; each reaches the boss's two flags through `GetBoss`.
class ControllerMegalesiosState : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;

protected:
    // Null when the controller drives no Megalesios.
    Megalesios* GetBoss();
};

// Invincible and idle until a quest says to use a skill: then the bursts.
class ControllerMegalesiosStateStartup : public ControllerMegalesiosState {
public:
    using ControllerMegalesiosState::ControllerMegalesiosState;

    void OnBegin() override;
    void QuestCommandUseSkill(uint32_t skillId, uint32_t targetId) override;
};

// One use of the fifth special attack; its end turns the boss on the conduit.
class ControllerMegalesiosStateLaunchBursts : public ControllerMegalesiosState {
public:
    using ControllerMegalesiosState::ControllerMegalesiosState;

    void OnBegin() override;
    void HandleEvent(const Name& event) override;
};

// Strikes the conduit every one to five seconds until it is gone.
class ControllerMegalesiosStateAttackConduit : public ControllerMegalesiosState {
public:
    explicit ControllerMegalesiosStateAttackConduit(ControllerMonster* controller)
        : ControllerMegalesiosState(controller)
    {
        Answer(kQuestDefaults);
    }

    static constexpr float kSearchMargin = 2.0f;
    static constexpr int32_t kQuestHold = 1000000; // ms

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void OnEnd() override;
    void QuestCommandUseSkill(uint32_t skillId, uint32_t targetId) override;

    int32_t GetAttackTimer() const { return attackTimer; }
    uint32_t GetConduit() const { return conduit; }

private:
    void FindConduit();
    void StrikeConduit(const Character& target, int32_t elapsedMs);

    int32_t attackTimer = 0; // ms
    uint32_t conduit = 0;
};

} // namespace GAME
