#pragma once

#include <cstdint>
#include <string>

namespace GAME {

struct SkeletalPose;

// One loaded skeletal animation: its length in frames, its frame rate and its own speed (the
// ground speed it was authored for). Made and counted by `GraphicsEngine`.
class GraphicsAnim {
public:
    GraphicsAnim(const std::string& name, int32_t length, int32_t frameRate, float speed);
    GraphicsAnim(const GraphicsAnim&) = delete;
    GraphicsAnim& operator=(const GraphicsAnim&) = delete;

    const std::string& GetName() const { return name; }
    int32_t GetLength() const { return length; }
    int32_t GetFrameRate() const { return frameRate; }
    float GetSpeed() const { return speed; }

    // False, leaving the pose alone, for a frame outside the animation.
    bool GetFramePose(int32_t frame, SkeletalPose& pose) const;

private:
    std::string name;
    int32_t length;
    int32_t frameRate;
    float speed;
};

} // namespace GAME
