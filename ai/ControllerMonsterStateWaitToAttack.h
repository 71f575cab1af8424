#pragma once

#include "ai/ControllerMonsterState.h"
#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

// Every slot round the enemy is taken: fidget or stroll nearby, and look for a free slot
// every 333 ms.
class ControllerMonsterStateWaitToAttack : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateWaitToAttack(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kSearches | kQuestDefaults);
    }
    ~ControllerMonsterStateWaitToAttack() override = default;

    static constexpr int32_t kCheckInterval = 333;
    // Nearer than this the monster strolls beyond the enemy rather than round itself.
    static constexpr float kNearDistance = 4.0f;
    static constexpr int kRoamTries = 3;
    // Cosine of the 30 degrees within which the monster faces the enemy.
    static constexpr float kFacingCosine = 0.8660254f;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;
    void HandleEvent(const Name& event) override;

    const WorldVec3& GetRoamCentre() const { return roamCentre; }
    float GetRoamRadius() const { return roamRadius; }

private:
    bool EmoteOrRoam();
    bool StartRoaming();
    bool FacesEnemy(Character& enemy);

    int32_t emoteTimer = 0;
    WorldVec3 roamCentre;
    float roamRadius = 0.0f;
    bool waiting = false;
    int32_t checkTimer = 0;
    bool startingWalk = false;
    bool arrivedEarly = false;
};

} // namespace GAME
