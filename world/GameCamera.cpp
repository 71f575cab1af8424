#include "world/GameCamera.h"

#include "characters/Player.h"
#include "core/Helpers.h"
#include "core/MathUtils.h"

namespace GAME {

GameCamera::GameCamera()
    : distanceRange(GetCameraDistance(), 1000.0f, 1.0f),
      yawRange(RadiansToDegrees(GetCameraYaw()), kDefaultYaw, kDefaultYaw),
      pitchRange(RadiansToDegrees(GetCameraPitch()), 89.0f, 0.0f)
{
    ResetToDefaults(true);
}

GameCamera::~GameCamera() = default;

void GameCamera::Update()
{
    UpdateTarget();
    WorldCamera::Update();
}

WorldVec3 GameCamera::GetTarget() const
{
    WorldVec3 result = target;
    if (!result.HasRegion())
        return result;
    result.TranslateInRegion(targetOffset);
    if (result.HasRegion() && shakeTimeLeft > 0)
        result.TranslateInRegion(GetCameraOffset());
    return result;
}

void GameCamera::UpdateTarget()
{
    // Actors carry no attach points in this engine, so the player's "Camera" point is the
    // player's own position.
    if (player != nullptr)
        target = player->GetCoords().GetPosition();
}

void GameCamera::Shake(int32_t milliseconds, float magnitude)
{
    shakeTimeLeft = shakeDuration = milliseconds;
    shakeMagnitude = magnitude;
}

void GameCamera::SetMovementExtents(float distanceMin, float distanceMax, float pitchMin,
                                    float pitchMax)
{
    distanceRange.SetValues(distanceMin, distanceMax);
    pitchRange.SetValues(pitchMin, pitchMax);

    const float distance = distanceRange.GetFraction(GetCameraDistance());
    distanceRange.SetCurrentFraction(distance);
    distanceRange.SetTargetFraction(distance);
    const float pitch = pitchRange.GetFraction(RadiansToDegrees(GetCameraPitch()));
    pitchRange.SetCurrentFraction(pitch);
    pitchRange.SetTargetFraction(pitch);
}

void GameCamera::ResetToDefaults(bool full)
{
    targetOffset = Vec3();

    float pitchStart;
    if (full) {
        distanceRange.SetCurrentFraction(distanceRange.GetFraction(GetCameraDistanceDefault()));
        yawRange.SetCurrentFraction(yawRange.GetFraction(kDefaultYaw));
        pitchStart = GetCameraPitchDefault();
    } else {
        distanceRange.SetCurrentFraction(distanceRange.GetFraction(GetCameraDistance()));
        yawRange.SetCurrentFraction(yawRange.GetFraction(RadiansToDegrees(GetCameraYaw())));
        pitchStart = RadiansToDegrees(GetCameraPitch());
    }
    pitchRange.SetCurrentFraction(pitchRange.GetFraction(pitchStart));

    // Only the targets are held inside the extents; a camera pushed outside them eases back in.
    distanceRange.SetTargetFraction(
        Clamp(distanceRange.GetFraction(GetCameraDistanceDefault()), 0.0f, 1.0f));
    yawRange.SetTargetFraction(Clamp(yawRange.GetFraction(kDefaultYaw), 0.0f, 1.0f));
    pitchRange.SetTargetFraction(
        Clamp(pitchRange.GetFraction(GetCameraPitchDefault()), 0.0f, 1.0f));

    SetCameraDistance(distanceRange.GetValue());
    SetCameraYaw(DegreesToRadians(yawRange.GetValue()));
    SetCameraPitch(DegreesToRadians(pitchRange.GetValue()));
    SetCameraFOV(DegreesToRadians(kFieldOfView));
}

} // namespace GAME
