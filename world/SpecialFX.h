#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class Actor;
class EffectEntity;
class Entity;
class WorldCoords;

// One particle effect hung on an entity (a fixed item, a projectile): loaded stopped, started,
// then either left to the world to play out or deleted. The owner releases or deletes it before
// it goes; the destructor leaves the effect alone.
class SpecialFX {
public:
    SpecialFX() = default;
    SpecialFX(const SpecialFX&) = delete;
    SpecialFX& operator=(const SpecialFX&) = delete;
    virtual ~SpecialFX();

    virtual void LoadFX(const std::string& name, Actor* owner);
    virtual void StartFx();
    virtual void StopFx();
    virtual void ReleaseFx(const WorldCoords& coords);
    virtual void DeleteFx();
    void PreLoad(bool flag);

    // Null before loading, after releasing or deleting, or once the effect is gone.
    EffectEntity* GetEffect() const;
    bool IsStarted() const { return started; }

private:
    void DetachFromOwner(EffectEntity& effect);

    // Held by id: the effect may be destroyed by others (a level unloading) before we let go.
    uint32_t effectId = 0;
    Entity* owner = nullptr;
    bool started = false;
};

} // namespace GAME
