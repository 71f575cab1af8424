#pragma once

#include "engine/Color.h"

#include <cstdint>

namespace GAME {

class Character;
class Name;

// One step of the presentation of a character's death. The character's death manager holds
// the handlers in order, starts them together and ends the death once each says it is
// finished. The base finishes only when told to.
class DeathHandler {
public:
    explicit DeathHandler(Character* owner) : owner(owner) {}
    DeathHandler(const DeathHandler&) = default;
    DeathHandler& operator=(const DeathHandler&) = default;

    virtual ~DeathHandler();
    virtual void Execute();
    virtual void Update(int32_t /*elapsedMs*/) {}
    virtual void AnimationCallback(const Name& /*name*/) {}
    virtual void ExternalEvent(const Name& /*name*/) {}
    virtual void PostProcess() {}
    virtual void Finish();
    virtual void Reset();
    virtual void PreLoad() {}
    virtual bool NeedsObjectId() const { return false; }
    virtual void SetObjectId(uint32_t /*id*/) {}

    bool IsFinished() const { return finished; }

protected:
    // The dying character; not owned.
    Character* owner;

private:
    bool finished = false;
};

// The death animation (or the rag doll) with its sound; always first.
class DefaultDeathHandler : public DeathHandler {
public:
    explicit DefaultDeathHandler(Character* owner) : DeathHandler(owner) {}

    void Execute() override;
    void AnimationCallback(const Name& name) override;
    void ExternalEvent(const Name& name) override;
    // Also stops the effects left on the body.
    void Finish() override;
};

// Takes the body away when the death ends, dissolving it first unless the record only asks
// for it to be deleted.
class DissolveActorDeathHandler : public DeathHandler {
public:
    explicit DissolveActorDeathHandler(Character* owner) : DeathHandler(owner) {}
    DissolveActorDeathHandler(const DissolveActorDeathHandler&) = default;
    DissolveActorDeathHandler& operator=(const DissolveActorDeathHandler&) = default;
    ~DissolveActorDeathHandler() override;

    void Execute() override;
    void Update(int32_t elapsedMs) override;
    void AnimationCallback(const Name& name) override;
    void ExternalEvent(const Name& name) override;
    void PostProcess() override;
    virtual void StartDissolve();

protected:
    // Destroys the light and leaves the effect to the world, whichever is still held.
    void ReleaseEffects();

    uint32_t effectId = 0;
    uint32_t lightId = 0;
    float lightRadius = 0.0f;
};

// Dissolves as its base does; made only by hosts that ask for it by name.
class TelkineDeathHandler : public DissolveActorDeathHandler {
public:
    explicit TelkineDeathHandler(Character* owner) : DissolveActorDeathHandler(owner) {}
};

// Fades the body's tint out over the record's dissolve time, then takes it away.
class FadeActorDeathHandler : public DeathHandler {
public:
    explicit FadeActorDeathHandler(Character* owner) : DeathHandler(owner) {}

    void Execute() override;
    void Update(int32_t elapsedMs) override;
    void PostProcess() override;
    void Reset() override;

protected:
    Color startTint{0.0f, 0.0f, 0.0f, 0.0f};
    int32_t elapsed = 0;
    float fadeTime = 0.0f; // milliseconds
};

// Plays the character's death sound.
class PlaySoundDeathHandler : public DeathHandler {
public:
    explicit PlaySoundDeathHandler(Character* owner) : DeathHandler(owner) {}

    void Execute() override;
};

// Spawns the record's death actor where the character died, under an id every machine agrees
// on.
class SpawnActorDeathHandler : public DeathHandler {
public:
    explicit SpawnActorDeathHandler(Character* owner) : DeathHandler(owner) {}

    void Execute() override;
    void AnimationCallback(const Name& name) override;
    // A rag-doll death sends no "End".
    void ExternalEvent(const Name& name) override;
    void PreLoad() override;
    bool NeedsObjectId() const override { return true; }
    void SetObjectId(uint32_t id) override { objectId = id; }
    virtual void SpawnActor();

protected:
    Character* spawnedActor = nullptr;
    uint32_t objectId = 0;
};

// Raises a bones monster from the body, under an id every machine agrees on. The bones ride on
// the body until the death animation ends (or the rag doll comes to rest), then stand up in the
// world. They are held by object id: the body may go first.
class SpawnMyBonesDeathHandler : public DeathHandler {
public:
    explicit SpawnMyBonesDeathHandler(Character* owner) : DeathHandler(owner) {}
    SpawnMyBonesDeathHandler(const SpawnMyBonesDeathHandler&) = default;
    SpawnMyBonesDeathHandler& operator=(const SpawnMyBonesDeathHandler&) = default;
    // Bones that never stood up go with the handler.
    ~SpawnMyBonesDeathHandler() override;

    void Execute() override;
    void AnimationCallback(const Name& name) override;
    // A rag-doll death sends no "End": the bones rise when the body comes to rest.
    void ExternalEvent(const Name& name) override;
    void PreLoad() override;
    bool NeedsObjectId() const override { return true; }
    void SetObjectId(uint32_t id) override { objectId = id; }

protected:
    void RaiseBones();

    uint32_t objectId = 0;
    uint32_t bonesId = 0;
    // The bones' own controller, kept aside until they stand up. Monsters do not hand theirs
    // over yet, so it stays 0 and the bones keep their controller throughout.
    uint32_t brainId = 0;
};

// Leaves the record's death effect on the body.
class PlayEffectDeathHandler : public DeathHandler {
public:
    explicit PlayEffectDeathHandler(Character* owner) : DeathHandler(owner) {}
    PlayEffectDeathHandler(const PlayEffectDeathHandler&) = default;
    PlayEffectDeathHandler& operator=(const PlayEffectDeathHandler&) = default;
    // The effect rides on the body to the end and goes with it.
    ~PlayEffectDeathHandler() override;

    void Execute() override;

protected:
    uint32_t effectId = 0;
};

} // namespace GAME
