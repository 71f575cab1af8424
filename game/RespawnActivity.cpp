#include "game/RespawnActivity.h"

#include "characters/Player.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/GraphicsCanvas.h"
#include "engine/ObjectManager.h"
#include "engine/PieOmatic.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkRegionLoaderBase.h"

#include <cmath>
#include <utility>

namespace GAME {

namespace {

constexpr int32_t kFadeInMs = 1000;
constexpr float kPieBox = 100.0f;

} // namespace

RespawnActivity::RespawnActivity()
    : pie(std::make_unique<PieOmatic>("InGameUI/UI_LoadingArt_01.tex",
                                      "InGameUI/UI_LoadingArt_Grey01.tex"))
{}

RespawnActivity::~RespawnActivity()
{
    if (raisedNeedsSleep && gGameEngine != nullptr)
        gGameEngine->DecrementNeedsSleepCounter();
}

void RespawnActivity::Begin(const WorldVec3& newTarget, uint32_t newPlayerId)
{
    target = newTarget;
    playerId = newPlayerId;
    CreateLoader();
}

void RespawnActivity::Update(int ms)
{
    AddStatisticText();
    stateTimer = AddSaturating(stateTimer, Max(ms, 0));
    if (regionLoader && regionLoader->HasPlayerId())
        regionLoader->Update();
    pie->Update(ms);
    if (holdFrames <= 0)
        UpdateFade(ms);
    if (holdFrames > 0)
        --holdFrames;
    if (GetPlayer() == nullptr)
        EndWithoutPlayer();
    else
        UpdateStates();
}

void RespawnActivity::UpdateFade(int ms)
{
    const float step = kFadePerMs * static_cast<float>(Max(ms, 0));
    if (std::fabs(fadeTarget - fadeLevel) <= step)
        fadeLevel = fadeTarget;
    else
        fadeLevel += fadeLevel < fadeTarget ? step : -step;
}

void RespawnActivity::UpdateStates()
{
    if (state == 0) {
        if (stateTimer >= kFadeInMs) {
            if (IsLocal()) {
                gEngine->SetTeleportMode(true);
                GameEngine::Get().SetRenderingEnabled(false, RenderingDisable_Respawn);
                RaiseNeedsSleep();
            }
            pie->FadeIn();
            SetState(1);
        }
    } else if (state == 1) {
        if (!loaded && (!regionLoader || regionLoader->IsDone())) {
            stateTimer %= loadingStep;
            loaded = true;
        }
        if (loaded && stateTimer >= loadingStep)
            FinishLoading();
    }
}

void RespawnActivity::FinishLoading()
{
    if (IsLocal()) {
        gEngine->SetTeleportMode(false);
        GameEngine::Get().SetRenderingEnabled(true, RenderingDisable_Respawn);
        respawnComplete = true;
    }
    FadeOut();
    SetState(2);
}

void RespawnActivity::FadeOut()
{
    fadeTarget = 0.0f;
    holdFrames = 1;
    pie->FadeOut();
}

void RespawnActivity::EndWithoutPlayer()
{
    if (state == 2)
        return;
    if (IsLocal()) {
        gEngine->SetTeleportMode(false);
        GameEngine::Get().SetRenderingEnabled(true, RenderingDisable_Respawn);
        RaiseNeedsSleep();
    }
    FadeOut();
    SetState(2);
}

void RespawnActivity::Render(GraphicsCanvas& canvas)
{
    if (!DrawsOverlay())
        return;
    const float width = static_cast<float>(canvas.GetWidth());
    const float height = static_cast<float>(canvas.GetHeight());
    if (fadeLevel > 0.0f)
        canvas.RenderRect(Rect(0.0f, 0.0f, width, height), Color(0.0f, 0.0f, 0.0f, fadeLevel));
    if (state == 1)
        pie->Render(canvas, Rect(width - kPieBox, height - kPieBox, kPieBox, kPieBox));
}

void RespawnActivity::SetState(int32_t newState)
{
    state = newState;
    stateTimer = 0;
}

void RespawnActivity::InstallLoader(std::unique_ptr<NetworkRegionLoaderBase> loader)
{
    regionLoader = std::move(loader);
    if (regionLoader)
        regionLoader->Register(target, playerId);
}

Player* RespawnActivity::GetPlayer() const
{
    return ObjectManager::Instance().GetObject<Player>(playerId);
}

void RespawnActivity::RaiseNeedsSleep()
{
    if (raisedNeedsSleep)
        return;
    GameEngine::Get().IncrementNeedsSleepCounter();
    raisedNeedsSleep = true;
}

} // namespace GAME
