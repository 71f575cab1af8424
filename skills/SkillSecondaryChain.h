#pragma once

#include "engine/WorldVec3.h"
#include "skills/SkillSecondary.h"

#include <cstdint>
#include <vector>

namespace GAME {

class Lightning;

// What the chain and fork secondaries share: one bolt effect per link, from a source to a
// target, completed when it arrives.
class SkillSecondaryBolts : public SkillSecondary {
public:
    // A bound on the rounds of a search and the links of a peer's result, whatever the record.
    static constexpr uint32_t kMaxSparks = 256;

    struct Link {
        uint32_t effectId = 0; // 0 = none yet
        uint32_t targetId = 0;
        bool done = false;
        bool launched = false;
        WorldVec3 targetPoint;
        WorldVec3 sourcePoint;
    };

    const std::vector<Link>& GetLinks() const { return links; }
    uint32_t GetSparkLimit() const;

protected:
    // Draws r in [0, 100] from the shared generator: the spark jumps when r < the chance.
    bool SparkDrawn() const;
    // The foes (or friends) round `centre` within the spark gap, less the excluded.
    uint32_t PickSparkTarget(const Character& owner, const WorldVec3& centre, bool friends,
                             const std::vector<uint32_t>& excluded) const;
    // A peer's result longer than a search makes is refused with one line.
    bool IsResultRefused(size_t count) const;
    // The bolt of a link, from its source to its target; no effect without a lightning record.
    void LaunchEffect(Link& link);
    Lightning* GetEffect(const Link& link) const;
    // The arrival: the target effect, then what the kind does to the target.
    void CompleteLink(Character& owner, const Link& link);
    virtual void ApplyLink(Character& owner, Character& target, const Link& link) = 0;
    // A lightning hit from the link's source, drawn from the result's seed.
    void StrikeLink(Character& owner, Character& target, const Link& link);

    std::vector<Link> links;
    uint32_t seed = 0;
};

// A bolt that jumps from target to target, one at a time, each from where the last arrived;
// the bolts then fade in order.
class SkillSecondaryChain : public SkillSecondaryBolts {
public:
    void ActivateNow(Character& owner, uint32_t target, const std::vector<uint32_t>& targets,
                     const WorldVec3& point) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void Update(Character& owner, int32_t elapsedMs) override;

    bool IsDecaying() const { return decaying; }

protected:
    virtual bool ChainsFriends() const = 0;

private:
    void Grow(Character& owner);
    void Decay();

    bool decaying = false;
    WorldVec3 origin;
};

} // namespace GAME
