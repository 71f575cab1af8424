#pragma once

#include "engine/Vec3.h"
#include "engine/WorldCamera.h"
#include "engine/WorldVec3.h"
#include "world/CameraRange.h"

#include <cstdint>

namespace GAME {

class Player;
class Region;
struct Viewport;

// The camera that follows the player: distance, yaw and pitch each run smoothly between
// configurable extents, and a shake can disturb the point looked at.
class GameCamera : public WorldCamera {
public:
    GameCamera();
    ~GameCamera() override;

    // Follows the player's camera point first, then places the camera.
    void Update() override;
    // The controllers run towards their targets by the time since the last step; keys 15 and
    // 47 held together ease back to the defaults; a running shake moves the camera offset.
    // Nothing moves while game time is paused.
    void UpdateFromInputImpl() override;
    // The target moved by the target offset and, while a shake runs, by the shake offset.
    WorldVec3 GetTarget() const override;

    // Not owned; null stops the following and leaves the target where it was.
    void SetPlayer(Player* newPlayer) { player = newPlayer; }
    Player* GetPlayer() const { return player; }
    void SetTarget(const WorldVec3& newTarget) { target = newTarget; }
    void UpdateTarget();

    // Distance and pitch limits (pitch in degrees). The camera keeps its present distance and
    // pitch, now expressed between the new limits.
    void SetMovementExtents(float distanceMin, float distanceMax, float pitchMin, float pitchMax);
    // Back to the default distance, yaw and pitch: at once when full, else the controllers
    // start from where the camera is now and run towards the defaults.
    void ResetToDefaults(bool full);

    // Moves the three targets by a tenth of the amount, within [0, 1].
    void Zoom(float amount);
    // The target offset within 40 across and 15 up or down.
    void ClampTargetOffset();
    void SetTargetOffset(const Vec3& offset) { targetOffset = offset; }
    // The volume between the camera and the player in which occluders show transparent, and
    // for underground levels the nearest walls of the lattice the view crosses.
    void UpdateTransparencyFrustum(const Viewport& viewport);
    const WorldFrustum& GetTransparencyFrustum() const { return transparencyFrustum; }
    float GetTransparencyHeight() const { return transparencyHeight; }

    // The target is disturbed by the camera offset for that long, fading linearly.
    void Shake(int32_t milliseconds, float magnitude);
    int32_t GetShakeTimeLeft() const { return shakeTimeLeft; }

    // The extents live in the controllers' two end values.
    const CameraRange& GetDistanceRange() const { return distanceRange; }
    const CameraRange& GetYawRange() const { return yawRange; }
    const CameraRange& GetPitchRange() const { return pitchRange; }
    const Vec3& GetTargetOffset() const { return targetOffset; }

    static constexpr float kDefaultYaw = 50.0f;
    static constexpr float kFieldOfView = 30.0f;
    static constexpr float kHorizontalOffsetLimit = 40.0f;
    static constexpr float kVerticalOffsetLimit = 15.0f;

private:
    // The wall boxes of the lattice that the view from P along dir crosses.
    void UpdateLatticeWalls(const Region& region, const Vec3& position, const Vec3& dir) const;
    static float ShakeNoise(float x);

    Player* player = nullptr;
    WorldVec3 target;
    int32_t shakeTimeLeft = 0;
    int32_t shakeDuration = 0;
    float shakeMagnitude = 0.12f;
    WorldFrustum transparencyFrustum;
    float transparencyHeight = 0.0f;
    Vec3 targetOffset;
    CameraRange distanceRange;
    CameraRange yawRange;
    CameraRange pitchRange;
};

} // namespace GAME
