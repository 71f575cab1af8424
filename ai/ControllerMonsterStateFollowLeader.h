#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Runs to its place at the leader (the ally of the data).
class ControllerMonsterStateFollowLeader : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateFollowLeader(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kAllDefaults);
    }
    ~ControllerMonsterStateFollowLeader() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;
    void LostSlot() override;
    void AllyDied(uint32_t allyId) override;

    // The monster's slot round the leader; false when there is none or the monster stands in it.
    static bool FindPlaceAtLeader(Monster& self, Character& leader, WorldVec3& place);

private:
    void TeleportIfLeftBehind(Character& leader);
};

} // namespace GAME
