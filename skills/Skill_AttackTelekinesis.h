#pragma once

#include "characters/CharFxPak.h"
#include "engine/Coords.h"
#include "engine/Name.h"
#include "engine/WorldCoords.h"
#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <string>

namespace GAME {

class ChaosBeam;
class ProjectileTelekinesis;
class Puppet;
class SoundPak;

// A boss reaches with a beam for a telekinetic object lying near, lifts it over its head, holds
// it wobbling there and hurls it at the target on the hit of its ending animation.
class Skill_AttackTelekinesis : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackTelekinesis)

public:
    enum Sequence : int32_t {
        Sequence_Idle = 0,
        Sequence_BeamReaching = 1,
        Sequence_PuppetAnimating = 2,
        Sequence_Lifting = 3,
        Sequence_Carrying = 4,
        Sequence_Holding = 5,
        Sequence_Thrown = 6
    };
    static constexpr float kSearchRadius = 12.0f;

    Skill_AttackTelekinesis();
    ~Skill_AttackTelekinesis() override;

    void Load(const LoadTable& table) override;
    void Install(Character* owner) override;
    void UnInstall(Character* owner) override;
    void PreLoad(bool flag) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void Cancel(Character& owner) override;
    void StopSkill(Character& owner) override;
    void SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    bool EndAction(Character& owner) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    // The whole sequence is over.
    bool IsTelkineFinished() const { return sequence == Sequence_Idle; }
    int32_t GetSequence() const { return sequence; }
    uint32_t GetClaimedObject() const { return claimedId; }
    float GetHeadFraction() const { return headFraction; }

protected:
    bool ClaimObject(Character& owner, const WorldCoords& at);
    bool RetrieveObject(Character& owner, WorldVec3& point);
    void ThrowObject(Character& owner, const WorldVec3& point, uint32_t targetId);
    void ReleaseObject(Character& owner);
    bool MoveBeam(Character& owner, int32_t elapsedMs);
    bool LiftEntity(Character& owner, int32_t elapsedMs);
    bool MoveEntity(Character& owner, int32_t elapsedMs);
    void WobbleEntity(int32_t elapsedMs);
    WorldCoords WobbleCoords(const WorldCoords& coords, int32_t elapsedMs) const;
    void FindObjectToThrow(const WorldVec3& centre);

private:
    ProjectileTelekinesis* GetObjectClaimed() const;
    Puppet* GetPuppet() const;
    ChaosBeam* GetBeam() const;
    // The beam's far end: the puppet's wrist, else the object.
    WorldVec3 FarEnd(const ProjectileTelekinesis& object) const;
    void RefreshBeam(Character& owner, const ProjectileTelekinesis& object);
    // Puppet and object to the coordinates, the object keeping its own rotation.
    void PlaceAt(const WorldCoords& coords);
    // Lets go of the puppet, the beam and its sound, and forgets the object.
    void CleanUp();

    Name loopingAnimation;
    Name endingAnimation;
    float headVelocity = 0.0f;
    std::string chaosBeamName;
    std::string puppetName;
    float liftSpeed = 2.0f;
    float moveOverHeadVelocity = 3.0f;
    std::string beamOriginCharFxPak;
    std::string chaosBeamSound;

    uint32_t candidateId = 0;
    uint32_t claimedId = 0;
    int32_t sequence = Sequence_Idle;
    int32_t wobbleAngle = 0;
    WorldVec3 handPoint;
    float wobblePhase1 = 0.0f;
    float wobblePhase2 = 0.0f;
    int32_t wobbleAmplitude = 10;
    float headFraction = 0.0f;
    uint32_t beamId = 0;
    CharFxPak beamOrigin;
    uint32_t beamSoundId = 0;
    uint32_t puppetId = 0;
    WorldCoords startCoords;
    WorldCoords liftCoords;
    WorldCoords overHeadCoords;
    Coords objectRotation;
    float carryDistance = 0.0f;
    float carried = 0.0f;
};

} // namespace GAME
