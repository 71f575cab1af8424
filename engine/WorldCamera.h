#pragma once

#include "engine/GameTimer.h"
#include "engine/Vec3.h"
#include "engine/WorldCoords.h"
#include "engine/WorldFrustum.h"

namespace GAME {

struct Viewport;

// The engine's camera: it looks at a target from a distance, turned by a yaw about the vertical
// axis and tilted down by a pitch, through a vertical field of view. Nothing is rendered here; the
// camera keeps what it was told and places itself on `Update`, so that view frustums and every
// setting can be read back.
class WorldCamera {
public:
    WorldCamera();
    virtual ~WorldCamera();
    WorldCamera(const WorldCamera&) = delete;
    WorldCamera& operator=(const WorldCamera&) = delete;

    // Places the camera behind the target at its distance, yaw and pitch.
    virtual void Update();
    // What the camera looks at; the bare engine camera looks at nothing in particular.
    virtual WorldVec3 GetTarget() const { return WorldVec3(); }
    // Once a frame, from the host: the camera answers what the player asked of it.
    virtual void UpdateFromInput() { UpdateFromInputImpl(); }
    virtual void UpdateFromInputImpl() {}

    // The defaults are only kept for the game's camera resets. The pitch default is kept in
    // whatever unit its owner uses; the game keeps degrees there.
    void SetCameraDistanceDefault(float distance) { distanceDefault = distance; }
    float GetCameraDistanceDefault() const { return distanceDefault; }
    void SetCameraPitchDefault(float pitch) { pitchDefault = pitch; }
    float GetCameraPitchDefault() const { return pitchDefault; }

    void SetCameraDistance(float value) { distance = value; }
    float GetCameraDistance() const { return distance; }
    // Radians.
    void SetCameraPitch(float radians) { pitch = radians; }
    float GetCameraPitch() const { return pitch; }
    void SetCameraYaw(float radians) { yaw = radians; }
    float GetCameraYaw() const { return yaw; }
    void SetCameraFOV(float radians) { fieldOfView = radians; }
    float GetCameraFOV() const { return fieldOfView; }

    // An extra displacement of the point looked at, for shakes.
    void SetCameraOffset(const Vec3& offset) { cameraOffset = offset; }
    const Vec3& GetCameraOffset() const { return cameraOffset; }

    // Where the last `Update` put the camera: forward is the view direction.
    const WorldCoords& GetCoords() const { return coords; }
    // The view volume of the last `Update` for a viewport of that shape, in the region of the
    // target: near, far, then the two side planes and the top and bottom ones.
    WorldFrustum GetFrustum(const Viewport& viewport) const;
    // The view volume through a rectangle of the screen, given in fractions of its width and
    // height from the top left, reaching `depth` from the eye.
    WorldFrustum GetSubFrustum(float left, float top, float right, float bottom, float depth,
                               const Viewport& viewport) const;

    // Measures the time between zoom steps.
    GameTimer& GetZoomTimer() { return zoomTimer; }

    static constexpr float kNearDistance = 0.1f;
    static constexpr float kFarDistance = 1000.0f;

private:
    float distanceDefault;
    float pitchDefault;
    float distance;
    float yaw = 0.0f;
    float pitch;
    float fieldOfView;
    Vec3 cameraOffset;
    WorldCoords coords;
    GameTimer zoomTimer;
};

} // namespace GAME
