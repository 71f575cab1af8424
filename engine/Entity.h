#pragma once

#include "core/UniqueId.h"
#include "engine/ABBox.h"
#include "engine/OBBox.h"
#include "engine/Object.h"
#include "engine/PhysicsObject.h"
#include "engine/WorldCoords.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class BinaryReader;
class BinaryWriter;
class Name;
class NetPacketInBuffer;
class NetPacketOutBuffer;
class World;
struct Intersection;
struct MinimapGameNugget;
struct Ray;

// An object that can be placed in the world.
class Entity : public Object {
    GAME_DECLARE_CLASS(Entity)

public:
    Entity() = default;
    ~Entity() override;

    // Whether a server creates this entity on its clients; scenery stays local.
    virtual bool ShouldServerSpawn() const { return false; }
    // Once, when the engine first places the entity in the world; a plain entity has nothing to
    // set up. Overrides call it, so area queries can pass over entities not set up yet.
    virtual void InitialUpdate() { initialUpdateDone = true; }
    bool HasDoneInitialUpdate() const { return initialUpdateDone; }
    // The entity's own markers on the detail map; a plain entity has none.
    virtual void AppendDetailMapData(std::vector<MinimapGameNugget>& /*list*/) const {}
    // The world's frame runs these three for each entity in turn (`World::UpdateEntities`):
    // before the animations advance, the animations, then the entity's own update.
    virtual void PreAnimationUpdate(int32_t /*elapsedMs*/) {}
    virtual void UpdateAnimations(int32_t /*elapsedMs*/) {}
    virtual void UpdateSelf(int32_t /*elapsedMs*/) {}
    // The three steps above in their order, as the world runs them.
    void Update(int32_t elapsedMs);
    // For an entity registered with `Engine::RegisterForForcedUpdates` while it is out of the
    // world's frame; a plain entity does nothing more.
    virtual void ForcedUpdate(int32_t /*elapsedMs*/) {}
    // The world's word as it takes the entity in and as it lets it go (also when the entity
    // moves between worlds); a plain entity does nothing.
    virtual void OnAddToLevel(World* /*level*/) {}
    virtual void OnRemoveFromLevel(World* /*level*/) {}
    // Just before the object manager deletes the entity; a plain entity has nothing to let go.
    virtual void OnDestroy() {}
    // The record that makes a copy of the entity elsewhere (another machine, the paper doll):
    // written by the original, read into the copy, then applied. A plain entity carries none.
    virtual void WriteReplicationData(NetPacketOutBuffer& /*out*/) {}
    virtual void ReadReplicationData(NetPacketInBuffer& /*in*/) {}
    virtual void ApplyReplicationData() {}
    // What the entity keeps while its level is unloaded; a plain entity keeps nothing. A restore
    // answers false when the state is refused.
    virtual bool ShouldSaveState() const { return false; }
    virtual void SaveState(BinaryWriter& /*writer*/) const {}
    virtual bool RestoreState(BinaryReader& /*reader*/) { return true; }
    // The world tells the entity when it moves it within the level.
    virtual void OnMoveInLevel() {}
    // The marks a marked query of the world picks entities by (see World); a plain entity bears
    // none. An entity whose marks change tells its world (`World::UpdateMarks`).
    virtual uint32_t GetWorldMarks() const { return 0; }
    // Set by whoever restores the entity from its level's saved state.
    bool GetRestoredFromLevelState() const { return restoredFromLevelState; }
    void SetRestoredFromLevelState(bool value) { restoredFromLevelState = value; }
    // -- Y --
    // A summoned entity whose owner plays on a client; the machines agree on it by message.
    void SetOwnedByClient(bool value) { ownedByClient = value; }
    bool IsOwnedByClient() const { return ownedByClient; }
    // -- end Y --

    // How the physics engine moves the entity (0 as scenery). A new type hands the entity over
    // anew: the old physics object goes, the entity makes the one of its new type, and that one
    // starts at once (a rag doll falls from where the body stands).
    void SetPhysicsType(int32_t type);
    // Makes the physics object of the entity's type; a plain entity has none.
    virtual void CreatePhysicsObject() {}
    int32_t GetPhysicsType() const { return physicsType; }
    // Scenery (physics type 0) never moves.
    virtual bool IsStatic() const { return physicsType == 0; }
    // Owned; null until one is made. Setting another destroys the one before.
    PhysicsObject* GetPhysicsObject() const { return physicsObject.get(); }
    void SetPhysicsObject(std::unique_ptr<PhysicsObject> object)
    {
        physicsObject = std::move(object);
    }
    // Whether path finders must go round the entity.
    virtual bool OccludesPathing() const { return true; }

    // The box around the entity in its region's frame; the world refreshes it whenever it
    // places or moves the entity. A plain entity has no size: a point at its position.
    virtual void UpdateBoundingBox();
    const ABBox& GetRegionBoundingBox() const { return regionBoundingBox; }
    // What the collision test sees of the entity; a plain entity shows an empty box.
    virtual OBBox GetCollisionBox(int32_t /*index*/) const { return OBBox(); }
    // Where a ray picks the entity; a plain entity is never picked.
    virtual void GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const;

    // The engine's measure of how big the entity is (about half its height, in world units);
    // growing and shrinking effects add to it and take from it.
    float GetSizeValue() const { return sizeValue; }
    void SetSizeValue(float value) { sizeValue = value; }
    // Set for an entity that stays shown when a saved dead state is restored.
    bool GetStayVisibleWhenDead() const { return stayVisibleWhenDead; }
    void SetStayVisibleWhenDead(bool value) { stayVisibleWhenDead = value; }

    // Where the entity stands, or last stood; written by the world (`World::AddEntity`,
    // `World::SetCoords`).
    const WorldCoords& GetCoords() const { return coords; }
    virtual bool IsInWorld() const { return world != nullptr; }
    // Whether the physics engine moves the entity: from the moment a world takes it until it
    // leaves the world or the physics engine drops it (`RemoveEntityFromSimulation`).
    bool IsSimulationEnabled() const { return world != nullptr && simulationEnabled; }
    void SetSimulationEnabled(bool value) { simulationEnabled = value; }
    // Whether the renderer would be loading the entity by now, being near enough the view.
    // Nothing is rendered here, so every entity counts as near unless told otherwise.
    bool InRenderPreLoadFrustum() const { return inPreLoadFrustum; }
    void SetInRenderPreLoadFrustum(bool value) { inPreLoadFrustum = value; }

    // Zero until the level gives the entity one or `EnsureUniqueID` makes one.
    const UniqueId& GetUniqueID() const { return uniqueId; }
    void SetUniqueID(const UniqueId& id) { uniqueId = id; }
    void EnsureUniqueID();

    // Carries `child` with this entity at the named attach point (empty or null: the entity's
    // own frame), placed there by `placement`. A child attached elsewhere moves here.
    void Attach(Entity* child, const Coords& placement, const char* attachPoint);
    void Attach(Entity* child, const Coords& placement, const Name& attachPoint);
    // Nothing for an entity that is not attached to this one.
    void Detach(Entity* child);
    Entity* GetAttachParent() const { return attachParent; }
    // The entity this one is carried by, or null.
    Entity* GetParent() const { return attachParent; }
    const std::string& GetAttachPointName() const { return attachPointName; }
    const Coords& GetAttachPlacement() const { return attachPlacement; }
    const std::vector<Entity*>& GetAttachedChildren() const { return attachedChildren; }
    size_t GetNumAttachedEntities() const { return attachedChildren.size(); }
    // Null past the end.
    Entity* GetAttachedEntity(size_t index) const
    {
        return index < attachedChildren.size() ? attachedChildren[index] : nullptr;
    }

protected:
    void SetRegionBoundingBox(const ABBox& box) { regionBoundingBox = box; }
    // Tells the world the entity is in that its marks have changed.
    void MarksChanged();

private:
    friend class World;
    World* world = nullptr;
    WorldCoords coords;
    ABBox regionBoundingBox;
    UniqueId uniqueId;
    int32_t physicsType = 0;
    std::unique_ptr<PhysicsObject> physicsObject;
    float sizeValue = 1.0f;
    bool stayVisibleWhenDead = false;
    bool restoredFromLevelState = false;
    bool inPreLoadFrustum = true;
    bool initialUpdateDone = false;
    bool simulationEnabled = true;
    // -- Y --
    bool ownedByClient = false;
    // -- end Y --
    // Both sides are plain pointers; whichever side is deleted first unlinks the other.
    Entity* attachParent = nullptr;
    std::string attachPointName;
    Coords attachPlacement;
    std::vector<Entity*> attachedChildren;
};

} // namespace GAME
