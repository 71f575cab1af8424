#pragma once

#include "engine/PhysicsRagDoll.h"
#include "engine/Vec3.h"

#include <cstdint>
#include <string>

namespace GAME {

class Character;
class WorldCoords;
class WorldVec3;

// The character's rag doll: when the physics takes the body over, every rigid body starts off
// as the character's last blow or fall asks, and the death handlers hear when it comes to rest.
class CharacterRagDoll : public PhysicsRagDoll {
public:
    enum Effect : int32_t {
        Crumple = 0,
        TakeHit = 1,
        Random = 2,
    };

    struct EffectData {
        Effect effect = Random;
        Vec3 direction{0.0f, 1.0f, 0.0f};
        float speed = 1.0f;
        // Only a take-hit blow sets it; left unset it would feed garbage into the clamp.
        float amplification = 0.0f;
    };

    explicit CharacterRagDoll(Character* character);
    ~CharacterRagDoll() override = default;

    // Exact and case-sensitive, as the records spell them.
    static Effect GetEffectEnum(const std::string& text);
    static Vec3 GetDirectionVec(const std::string& text, const WorldVec3& from,
                                const WorldVec3& to);
    static Vec3 GetPushVec(const std::string& text, const WorldCoords& coords);
    static Vec3 GetElevationVec(const std::string& text);

protected:
    void OnDisabled() override;
    void SetInitialState() override;

private:
    void SetRandom();
    void SetTakeHit();
    void SetCrumple();
    Coords GetBodyCoords(const Coords& region, const SkeletalPose& pose,
                         const RigidBody& body) const;

    Character* character;
};

} // namespace GAME
