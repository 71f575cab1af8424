#pragma once

#include "engine/WorldVec3.h"
#include "skills/SkillSecondary.h"

#include <cstdint>
#include <string>

namespace GAME {

// While its primary runs, pulses a short buff onto the friends round where it started; the
// first pulse gives a bonus instead.
class SkillSecondary_BuffRadius : public SkillSecondary {
    GAME_DECLARE_CLASS(SkillSecondary_BuffRadius)

public:
    static constexpr int32_t kPulseInterval = 1000;
    static constexpr int32_t kBuffTimeToLive = 1500;

    SkillSecondary_BuffRadius();
    ~SkillSecondary_BuffRadius() override;

    void Load(const LoadTable& table) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    // The flag marks the first pulse, which gives the bonus.
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool bonus) override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool fromSave) override;
    void PrimaryActivateNow(Character& owner, uint32_t target, const std::vector<uint32_t>& targets,
                            const WorldVec3& point) override;
    void PrimaryStop(Character& owner) override;

private:
    // Sends the friends round the point, when there are any.
    void Pulse(Character& owner, bool bonus);
    bool Deactivate();

    std::string buffSkillName;
    int32_t pulseInterval = kPulseInterval;
    int32_t pulseCountdown = 0;
    int32_t buffTimeToLive = kBuffTimeToLive;
    WorldVec3 point;
};

} // namespace GAME
