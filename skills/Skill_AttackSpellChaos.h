#pragma once

#include "engine/WorldVec3.h"
#include "skills/SkillActivatedSpell.h"

#include <string>

namespace GAME {

class ChaosBeam;

// A beam that grows from the caster's hand to the target, strikes when it arrives, then
// retracts.
class Skill_AttackSpellChaos : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackSpellChaos)

public:
    enum BeamState : int32_t {
        Beam_Idle = 0,
        Beam_Requested = 1,
        Beam_Started = 2,
        Beam_Growing = 3,
        Beam_Retracting = 4,
        Beam_Finishing = 5
    };
    // The farthest target the beam is cast at.
    static constexpr float kRange = 20.0f;

    Skill_AttackSpellChaos();
    ~Skill_AttackSpellChaos() override;

    void Load(const LoadTable& table) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void StopSkill(Character& owner) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    int32_t GetBeamState() const { return beamState; }
    uint32_t GetBeamId() const { return beamId; }
    uint32_t GetBeamTarget() const { return targetId; }
    float GetHead() const { return head; }
    float GetTail() const { return tail; }

private:
    ChaosBeam* GetBeam() const;
    void LiberateBeam();

    float maxDistance = 0.0f;
    float headVelocity = 0.0f;
    float tailVelocity = 0.0f;
    std::string chaosBeamName;
    int32_t beamState = Beam_Idle;
    uint32_t targetId = 0;
    WorldVec3 endPoint;
    float head = 0.0f;
    float tail = 0.0f;
    uint32_t beamId = 0;
};

} // namespace GAME
