#pragma once

#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterState.h"
#include "engine/GameTimer.h"

#include <cstdint>
#include <string>

namespace GAME {

// The spell-casting boss: none of the monster states, only its own. Phase 1 hurls a
// telekinesis spell at the closest foe every 12 s, taunting first; after twelve casts phase 2
// fires its direct attack every 5 s.
class ControllerTelkine : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerTelkine)

public:
    ControllerTelkine() = default;
    ~ControllerTelkine() override;

    // "skeletonSpell", "telekinesisSpell", "directAttack"; the monster keys keep their
    // built values.
    void Load(const LoadTable& table) override;
    void InitialUpdate() override;

    const std::string& GetSkeletonSpell() const { return skeletonSpell; }
    const std::string& GetTelekinesisSpell() const { return telekinesisSpell; }
    const std::string& GetDirectAttack() const { return directAttack; }
    uint32_t GetSkeletonSpellId() const { return skeletonSpellId; }
    uint32_t GetTelekinesisSpellId() const { return telekinesisSpellId; }
    uint32_t GetDirectAttackId() const { return directAttackId; }

protected:
    void RegisterStates() override;

private:
    std::string skeletonSpell;
    std::string telekinesisSpell;
    std::string directAttack;
    uint32_t skeletonSpellId = 0;
    uint32_t telekinesisSpellId = 0;
    uint32_t directAttackId = 0;
};

// The boss's states share the search for the closest player and the closest other foe.
class ControllerTelkineState : public ControllerMonsterStateBase {
public:
    explicit ControllerTelkineState(ControllerTelkine* controller)
        : ControllerMonsterStateBase(controller), telkine(controller)
    {}

protected:
    // Among the living foes in sight; a strictly nearer one replaces, so the first wins a tie.
    void FindClosestEnemies(Character*& closestPlayer, Character*& closestOther);

    ControllerTelkine* telkine;
};

class ControllerTelkineStateAttackPhase1 : public ControllerTelkineState {
public:
    using ControllerTelkineState::ControllerTelkineState;

    void OnUpdate(int32_t elapsedMs) override;
    void HandleEvent(const Name& event) override;

    int32_t GetCastCount() const { return castCount; }
    int32_t GetCastLimit() const { return castLimit; }
    int32_t GetSinceCast() const { return sinceCast; }
    bool IsCasting() const { return casting; }

private:
    void Cast();

    int32_t sinceCast = 0; // ms
    int32_t castLimit = 12;
    int32_t castCount = 0;
    int32_t castInterval = 12000; // ms
    bool casting = false;
    bool emotePending = true;
};

class ControllerTelkineStateAttackPhase2 : public ControllerTelkineState {
public:
    using ControllerTelkineState::ControllerTelkineState;

    void OnBegin() override { timer.Reset(); }
    void OnUpdate(int32_t elapsedMs) override;

private:
    GameTimer timer;
    int32_t interval = 5000; // ms
};

} // namespace GAME
