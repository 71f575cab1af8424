#pragma once

#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// Standing by, or defending a living leader; a roaming monster sets off when its timer runs out.
class ControllerMonsterStateIdle : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateIdle(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {
        Answer(kAllDefaults);
    }
    ~ControllerMonsterStateIdle() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    bool RequestConversation(uint32_t partnerId) override
    {
        return DefaultRequestConversationResponse(partnerId);
    }
    int32_t GetRoamTimer() const { return roamTimer; }

private:
    int32_t roamTimer = 0;
};

} // namespace GAME
