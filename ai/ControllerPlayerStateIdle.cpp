#include "ai/ControllerPlayerStateIdle.h"

#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "game/GameEngine.h"

namespace GAME {

void ControllerPlayerStateIdle::DrawCountdown()
{
    idleCountdown = GameEngine::Get().GetRandomGen().IGenerate(kMinIdleTime, kMaxIdleTime);
}

void ControllerPlayerStateIdle::OnBegin()
{
    Idle();
    DrawCountdown();
}

void ControllerPlayerStateIdle::OnUpdate(int32_t elapsedMs)
{
    const Player* player = GetCharacter();
    // Under attack the player never dozes off.
    if (player != nullptr && player->IsUnderAttack()) {
        DrawCountdown();
        return;
    }
    idleCountdown = AddSaturating(idleCountdown, -elapsedMs);
    if (idleCountdown < 0)
        SetState("LongIdle", ControllerAIStateData());
}

} // namespace GAME
