#pragma once

#include "engine/Name.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

struct SkeletalPose;

// One loaded skeletal animation: its length in frames, its frame rate and its own speed (the
// ground speed it was authored for). Made and counted by `GraphicsEngine`. Named events may be
// placed on it at times from its start; the actor's animation player raises them.
class GraphicsAnim {
public:
    GraphicsAnim(const std::string& name, int32_t length, int32_t frameRate, float speed);
    GraphicsAnim(const GraphicsAnim&) = delete;
    GraphicsAnim& operator=(const GraphicsAnim&) = delete;

    const std::string& GetName() const { return name; }
    int32_t GetLength() const { return length; }
    int32_t GetFrameRate() const { return frameRate; }
    float GetSpeed() const { return speed; }
    void SetSpeed(float value) { speed = value; }
    // Length over frame rate; 0 for an animation without frames or with no positive rate.
    double GetDurationMs() const;

    struct Event {
        float timeMs = 0.0f;
        Name name;
        int32_t kind = 0;
    };
    // Kept in time order; events at one time stay in the order they were placed. A time that
    // is not a number is refused.
    bool AddEvent(float timeMs, const Name& name, int32_t kind = 0);
    const std::vector<Event>& GetEvents() const { return events; }

    // How a body killed during this animation is thrown; all empty when it says nothing.
    struct RagDollInfo {
        std::string effectType;
        std::string direction;
        std::string push;
        std::string elevation;
    };
    const RagDollInfo& GetRagDollInfo() const { return ragDollInfo; }
    void SetRagDollInfo(const RagDollInfo& info) { ragDollInfo = info; }

    // False, leaving the pose alone, for a frame outside the animation.
    bool GetFramePose(int32_t frame, SkeletalPose& pose) const;

private:
    std::string name;
    int32_t length;
    int32_t frameRate;
    float speed;
    std::vector<Event> events;
    RagDollInfo ragDollInfo;
};

} // namespace GAME
