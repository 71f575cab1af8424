#pragma once

#include "characters/AnimationEntry.h"
#include "characters/AnimationSound.h"
#include "core/UniqueId.h"
#include "engine/ActorConfigCommand.h"
#include "engine/GameTimer.h"
#include "engine/Tile.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class DynamicObstacle;
class Light;
class Player;
class SoundPak;

enum StrategicMovementBaseState : int32_t {
    StrategicMovementUndetermined = 0,
    StrategicMovementEditor = 1,
    StrategicMovementNotOnMap = 2,
    StrategicMovementDormant = 3,
    StrategicMovementActive = 4
};

// The base of the landmarks a player discovers by walking up to them: markers, respawn shrines
// and teleport shrines. Each shows a dormant look until the local player has discovered it and
// an active one afterwards, with its animations, sounds and a light that fades in.
class StrategicMovementBase : public Tile {
    GAME_DECLARE_CLASS(StrategicMovementBase)

public:
    StrategicMovementBase();
    // Stops and destroys the three state sounds.
    ~StrategicMovementBase() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void AnimationCallback(int32_t kind, const Name& name) override;
    bool IsStatic() const override { return true; }
    bool ShouldServerSpawn() const override { return false; }
    bool ShouldSaveState() const override { return true; }
    void SaveState(BinaryWriter& writer) const override;
    // A word that is not a state is refused; the object then decides from the player.
    bool RestoreState(BinaryReader& reader) override;
    void OnRemoveFromLevel(World* level) override;

    // Virtual operations, in the order of their slots.
    // Where a character stands to use the object: its own position.
    virtual WorldVec3 GetMoveToPoint(uint32_t user);
    // Only the shrines react to a use.
    virtual void RequestToUse(uint32_t /*user*/) {}
    virtual bool IsOfInterest() const { return state != StrategicMovementNotOnMap; }
    // What a replicated target command asks of the object; only the respawn shrine heals.
    virtual void HandleTargets(const std::vector<uint32_t>& /*targets*/) {}
    // Only a change of state does anything; an instant one shows the new look at once and in
    // silence until the animation's "End".
    virtual void SetState(StrategicMovementBaseState newState, bool instant);
    // What the local player's discoveries make of the object; undetermined without a player.
    virtual StrategicMovementBaseState DetermineStateFromPlayer()
    {
        return StrategicMovementUndetermined;
    }
    // The player came near: records the discovery; true when the object turns active.
    virtual bool InstallOnPlayerProximity(Player* /*player*/) { return false; }
    // Forgets the light and destroys every attached entity.
    virtual void RemoveAndDestroyAttachments();
    virtual bool QualifyMapData() const;
    // One obstacle per hit box of the mesh, for walkers to steer round.
    void CreatePathObstacle();
    void RemovePathObstacle();
    size_t GetNumPathObstacles() const { return pathObstacles.size(); }

    StrategicMovementBaseState GetState() const { return state; }
    bool IsInstant() const { return instant; }
    float GetBindDistance() const { return bindDistance; }
    int32_t GetLightFadeInTime() const { return lightFadeInTime; }
    Light* GetLight() const;
    SoundPak* GetDormantSound() const { return Sound(dormantSoundId); }
    SoundPak* GetDormantToActiveSound() const { return Sound(dormantToActiveSoundId); }
    SoundPak* GetActiveSound() const { return Sound(activeSoundId); }
    // The record's "description" tag, localised.
    std::wstring GetGameDescription(bool flag) const;

    static constexpr float kNormalAnimationSpeed = 1.0f;
    static constexpr float kInstantAnimationSpeed = 100.0f;
    static constexpr int32_t kDormantSoundFade = 10;
    static constexpr int32_t kRecheckInterval = 250;

protected:
    // The local player's object, or null.
    static Player* GetLocalPlayer();
    // Active when the local player knows the object, dormant when not.
    static StrategicMovementBaseState StateFromPlayer(bool (Player::*knows)(const UniqueId&) const,
                                                      const UniqueId& id);
    // This frame's milliseconds, as the object's timer measured them.
    int32_t GetElapsed() const { return elapsed; }
    void SetNeedsMapQualification(bool value) { needsMapQualification = value; }
    // One detail-map entry of that type for the object.
    void AppendNugget(std::vector<MinimapGameNugget>& list, uint32_t type) const;

private:
    static SoundPak* Sound(uint32_t id);
    void PlaySound(uint32_t id, bool loop, bool flag) const;
    void ReplayIfSilent(uint32_t id) const;
    void UpdateDormant();
    void UpdateActive();

    float bindDistance = 0.0f;
    AnimationSound animationSounds;
    std::string sounds[5];
    AnimationEntry dormantAnimation;
    AnimationEntry activeAnimation;
    uint32_t dormantSoundId = 0;
    uint32_t dormantToActiveSoundId = 0;
    uint32_t activeSoundId = 0;
    StrategicMovementBaseState state = StrategicMovementUndetermined;
    std::string lightName;
    std::string lightAttachPointName;
    int32_t lightFadeInTime = 1;
    uint32_t lightId = 0;
    int32_t lightFadeTimeLeft = 0;
    int32_t recheckTimeLeft = 0;
    int32_t elapsed = 0;
    GameTimer timer;
    bool needsMapQualification = true;
    bool instant = false;
    std::string descriptionTag;
    std::vector<std::unique_ptr<DynamicObstacle>> pathObstacles;
};

// Carries a strategic-movement object's targets to every machine: the respawn shrine's heal.
class StrategicMovementTargetConfigCmd : public ActorConfigCommand {
public:
    StrategicMovementTargetConfigCmd(uint32_t objectId, std::vector<uint32_t> targets);
    // Nothing when the object is gone.
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    const std::vector<uint32_t>& GetTargets() const { return targets; }

private:
    std::vector<uint32_t> targets;
};

} // namespace GAME
