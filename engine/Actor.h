#pragma once

#include "engine/ABBox.h"
#include "engine/AnimationChannel.h"
#include "engine/BoundedLog.h"
#include "engine/Color.h"
#include "engine/Entity.h"
#include "engine/Name.h"
#include "engine/SkeletalPose.h"
#include "engine/Vec3.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class ActorConfigCommand;
class CollisionData;
class GraphicsMeshInstance;
class LoadTable;

// An entity that animates and takes commands.
class Actor : public Entity {
    GAME_DECLARE_CLASS(Actor)

public:
    Actor();
    ~Actor() override;

    // "mesh": the actor's own mesh instance, made when the name is not empty.
    void Load(const LoadTable& table) override;
    // The mesh drawn now: the actor's own, one put in its place, or null.
    GraphicsMeshInstance* GetMeshInstance() const { return meshInstance; }
    // Shows another instance (not owned; null for the actor's own) and answers the one shown
    // before.
    GraphicsMeshInstance* SetMeshInstance(GraphicsMeshInstance* instance);
    // The mesh's hit box of that index placed in the region frame; an empty box without one.
    OBBox GetCollisionBox(int32_t index) const override;
    // Keeps the mesh placed where the actor stands.
    void UpdateBoundingBox() override;
    // The engine frame count at the actor's last update; 0 before the first.
    uint32_t GetLastUpdateFrame() const { return lastUpdateFrame; }

    // Channel 0 carries the body. False, recording nothing, for a null animation or a negative
    // channel.
    bool PlayAnimation(int32_t channel, GraphicsAnim* animation, bool keepPlaying, float speed,
                       int32_t blendTimeMs);
    void SetAnimationSpeedMultiplier(int32_t channel, float multiplier);
    // Null for a channel never played or re-timed.
    const AnimationChannel* GetAnimationChannel(int32_t channel) const;
    // Every channel stops where it is; the next play starts afresh.
    void StopAnimations();

    // The animation player, once a frame: each channel advances by the elapsed time at its
    // speed, raising the events placed on its animation as the play position passes them, and
    // "End" once when an animation that does not keep playing has run its length.
    void UpdateAnimations(int32_t elapsedMs) override;
    // Receives the animation events (kind 0 for the animations' own). The engine's handler
    // only keeps them.
    struct AnimationEvent {
        int32_t kind = 0;
        Name name;
    };
    virtual void AnimationCallback(int32_t kind, const Name& name);
    // The physics engine's report of a contact; a plain actor ignores it.
    virtual void CollisionCallback(const CollisionData& /*data*/) {}
    const BoundedLog<AnimationEvent>& GetAnimationEvents() const { return animationEvents; }

    // Offset from the actor's position to its middle: half way up, the size value being about
    // half its height. Sight lines run between middles, not feet.
    virtual Vec3 GetCenterOfMass() const { return Vec3(0.0f, GetSizeValue(), 0.0f); }

    // The ground velocity the body animation carries the actor at: its facing times the
    // animation's speed times the speed it plays at. Zero with nothing playing or once a
    // non-looping animation has ended.
    Vec3 GetMotion() const;
    // The engine frame count when the actor was last drawn (`World::UpdateEntities` draws
    // every actor in the render pre-load frustum).
    uint32_t GetLastFrameRendered() const { return lastFrameRendered; }
    void SetLastFrameRendered(uint32_t frame) { lastFrameRendered = frame; }

    virtual const SkeletalPose& GetPose() const { return pose; }
    virtual void SetPose(const SkeletalPose& newPose) { pose = newPose; }
    // Adjusts the pose after the animations have posed the skeleton; the engine's own leaves it.
    virtual void TweakPose() {}
    // Where the named bone of the pose stands in the world, oriented as the actor; an actor
    // whose pose lacks the bone answers its own coordinates.
    WorldCoords GetBoneCoords(const Name& bone) const;

    // What the actor's meshes are multiplied by; white leaves them as drawn.
    const Color& GetTintColor() const { return tintColor; }
    void SetTintColor(const Color& color)
    {
        tintColor = color;
        ++tintColorSetCount;
    }
    // Tells a tint left alone from one set again to the same colour.
    uint32_t GetTintColorSetCount() const { return tintColorSetCount; }

    // Takes the command, runs it here and then, in a network game, when the command is
    // networked and the actor one the server spawns on its clients, sends its packet: a client
    // to its server, a server to all its clients. The command may destroy this actor, so
    // nothing of the actor is touched after it ran.
    virtual void Enqueue(std::unique_ptr<ActorConfigCommand> command);
    // Told of every command an actor takes, before it runs (a host's transcript); empty for none.
    using CommandObserver = std::function<void(const Actor& actor, const ActorConfigCommand&)>;
    static void SetCommandObserver(CommandObserver observer);
    // Runs the command here only: one rebuilt from a packet that already went where it must.
    virtual void LocalEnqueue(std::unique_ptr<ActorConfigCommand> command);

    virtual void SetVisibility(bool visible) { this->visible = visible; }
    virtual bool GetVisibility() const { return visible; }
    // Where the named point of the mesh stands in the world; an actor without that point
    // answers its own coordinates.
    virtual WorldCoords GetAttachedCoords(const Name& attachPoint) const;
    // The mesh's points in the actor's own frame, as the mesh loader (or a test) gives them.
    void SetAttachPointPlacement(const Name& attachPoint, const Coords& placement);
    // Identity for a point the mesh lacks.
    Coords GetAttachPointPlacement(const Name& attachPoint) const;
    // After this the actor makes no more attachments of its own (a dead body's effects).
    void DisableCreateAttachements() { createAttachementsDisabled = true; }
    bool AreCreateAttachementsDisabled() const { return createAttachementsDisabled; }

    // The mesh's bounding box in the actor's frame, as the mesh loader (or a test) gives it.
    const ABBox& GetMeshBoundingBox() const { return meshBoundingBox; }
    void SetMeshBoundingBox(const ABBox& box) { meshBoundingBox = box; }
    // Half the box's diagonal.
    float GetMeshBoundingRadius() const;

    // A mesh and textures worn in place of the record's own (clothing, a vestment); empty names
    // mean the record's own.
    void SetMesh(const std::string& mesh) { meshOverride = mesh; }
    void RestoreMesh() { meshOverride.clear(); }
    const std::string& GetMeshOverride() const { return meshOverride; }
    void SetBaseTexture(const std::string& texture) { baseTexture = texture; }
    const std::string& GetBaseTexture() const { return baseTexture; }
    void SetBumpTexture(const std::string& texture) { bumpTexture = texture; }
    const std::string& GetBumpTexture() const { return bumpTexture; }

    // What the mesh was asked to dissolve with: a colour (0 to 255 each), a time and a texture.
    struct DissolveRequest {
        int32_t red = 0;
        int32_t green = 0;
        int32_t blue = 0;
        float seconds = 0.0f;
        std::string texture;
    };
    // Starts the mesh dissolving over the seconds, from the start again if it already was.
    void BeginDissolve(int32_t red, int32_t green, int32_t blue, float seconds,
                       const std::string& texture);
    const std::vector<DissolveRequest>& GetDissolveRequests() const { return dissolveRequests; }
    // Brings a dissolved mesh back over the seconds; recorded and the mesh counts as whole again.
    void BeginUnDissolve(int32_t red, int32_t green, int32_t blue, float seconds,
                         const std::string& texture);
    uint32_t GetUnDissolveCount() const { return unDissolveCount; }
    // True once updates have carried a dissolve through its whole time.
    bool GetIsDissolved() const { return dissolved; }

    // The engine's update of the actor each frame: the dissolve advances.
    void UpdateSelf(int32_t elapsedMs) override;

    float GetCurrentScale() const { return scale; }
    void SetScale(float value) { scale = value; }
    float GetScale() const { return scale; }
    // The scale the actor returns to when nothing grows or shrinks it.
    float GetBaseScale() const { return baseScale; }
    void SetBaseScale(float value) { baseScale = value; }

    // The outline drawn round the actor when it is under the pointer.
    const Color& GetOutlineColor() const { return outlineColor; }
    void SetOutlineColor(const Color& color) { outlineColor = color; }

    // The actor's own level state: its visibility, as a 32-bit word.
    void SaveState(BinaryWriter& writer) const override;
    bool RestoreState(BinaryReader& reader) override;

    // Whether the mesh carries the rigid bodies a rag doll needs; none are loaded here, so whoever
    // plays the mesh loader says so.
    bool HasRigidBodyData() const { return rigidBodyData; }
    void SetHasRigidBodyData(bool value) { rigidBodyData = value; }
    // The mesh's rigid bodies, each hung between two bones; a rag doll of the actor takes them.
    void AddRigidBodyBones(const Name& first, const Name& second)
    {
        rigidBodyBones.emplace_back(first, second);
        rigidBodyData = true;
    }
    const std::vector<std::pair<Name, Name>>& GetRigidBodyBones() const { return rigidBodyBones; }

private:
    // False when the channel did not move on this frame, or a handler replaced what it played.
    bool AdvanceChannel(AnimationChannel& channel, int32_t elapsedMs);
    bool RaiseAnimationEvents(AnimationChannel& channel, double upToMs);

    std::map<int32_t, AnimationChannel> animationChannels;
    SkeletalPose pose;
    Color tintColor;
    uint32_t tintColorSetCount = 0;
    bool visible = true;
    Color outlineColor;
    std::map<Name, Coords> attachPoints;
    std::string meshOverride;
    std::string baseTexture;
    std::string bumpTexture;
    std::vector<DissolveRequest> dissolveRequests;
    bool dissolving = false;
    bool dissolved = false;
    int32_t dissolveElapsedMs = 0;
    uint32_t unDissolveCount = 0;
    float scale = 1.0f;
    float baseScale = 1.0f;
    bool rigidBodyData = false;
    std::vector<std::pair<Name, Name>> rigidBodyBones;
    BoundedLog<AnimationEvent> animationEvents;
    uint32_t lastFrameRendered = 0;
    bool createAttachementsDisabled = false;
    ABBox meshBoundingBox;
    std::unique_ptr<GraphicsMeshInstance> ownMesh;
    GraphicsMeshInstance* meshInstance = nullptr;
    uint32_t lastUpdateFrame = 0;
};

} // namespace GAME
