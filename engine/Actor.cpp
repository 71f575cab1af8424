#include "engine/Actor.h"

#include "engine/ActorConfigCommand.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/LoadTable.h"
#include "engine/NetworkShim.h"

#include "core/BinaryWriter.h"
#include "core/Helpers.h"
#include "core/Saturate.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Actor, Entity);

Actor::Actor() = default;

Actor::~Actor() = default;

void Actor::Load(const LoadTable& table)
{
    Entity::Load(table);
    const std::string mesh = table.GetString("mesh", "");
    if (mesh.empty())
        return;
    if (meshInstance == ownMesh.get())
        meshInstance = nullptr;
    ownMesh = std::make_unique<GraphicsMeshInstance>();
    ownMesh->SetMesh(mesh);
    if (meshInstance == nullptr)
        meshInstance = ownMesh.get();
    UpdateBoundingBox();
}

GraphicsMeshInstance* Actor::SetMeshInstance(GraphicsMeshInstance* instance)
{
    GraphicsMeshInstance* before = meshInstance;
    meshInstance = instance != nullptr ? instance : ownMesh.get();
    UpdateBoundingBox();
    return before;
}

OBBox Actor::GetCollisionBox(int32_t index) const
{
    if (meshInstance == nullptr || index < 0 || index >= meshInstance->GetNumHitBoxes())
        return OBBox();
    const OBBox local = meshInstance->GetHitBox(index);
    return OBBox(local.extents, GetCoords().GetRegionCoords() * local.coords);
}

void Actor::UpdateBoundingBox()
{
    Entity::UpdateBoundingBox();
    if (meshInstance == nullptr)
        return;
    meshInstance->SetObjectToRegionCoords(GetCoords().GetRegionCoords());
    SetRegionBoundingBox(meshInstance->GetRegionSpaceBoundingBox());
}

namespace {
Actor::CommandObserver& Observer()
{
    static Actor::CommandObserver observer;
    return observer;
}
} // namespace

void Actor::SetCommandObserver(CommandObserver observer)
{
    Observer() = std::move(observer);
}

void Actor::Enqueue(std::unique_ptr<ActorConfigCommand> command)
{
    if (command == nullptr)
        return;
    if (Observer())
        Observer()(*this, *command);
    // Sent before it runs: what it sends while running must reach the peers after it, in the
    // order this machine applied them. An object the server does not spawn is each machine's
    // own, under an id of its own (the level's landmarks): no peer has it under this id.
    if (command->IsNetworked() && ShouldServerSpawn())
        NetworkShim::SendCommand(*command);
    command->Execute();
}

void Actor::LocalEnqueue(std::unique_ptr<ActorConfigCommand> command)
{
    if (command != nullptr)
        command->Execute();
}

WorldCoords Actor::GetAttachedCoords(const Name& attachPoint) const
{
    const auto found = attachPoints.find(attachPoint);
    if (found == attachPoints.end())
        return GetCoords();
    const WorldCoords& own = GetCoords();
    return WorldCoords(own.GetRegionId(), own.GetRegionCoords() * found->second);
}

void Actor::SetAttachPointPlacement(const Name& attachPoint, const Coords& placement)
{
    attachPoints[attachPoint] = placement;
}

Coords Actor::GetAttachPointPlacement(const Name& attachPoint) const
{
    const auto found = attachPoints.find(attachPoint);
    return found == attachPoints.end() ? Coords::Identity() : found->second;
}

bool Actor::PlayAnimation(int32_t channel, GraphicsAnim* animation, bool keepPlaying, float speed,
                          int32_t blendTimeMs)
{
    if (animation == nullptr || channel < 0)
        return false;
    AnimationChannel& state = animationChannels[channel];
    state.animation = animation;
    state.keepPlaying = keepPlaying;
    state.speed = speed;
    state.blendTimeMs = blendTimeMs;
    state.timeMs = 0.0;
    state.nextEvent = 0;
    state.ended = false;
    state.playRequests.Add({animation, keepPlaying, speed, blendTimeMs});
    return true;
}

void Actor::SetAnimationSpeedMultiplier(int32_t channel, float multiplier)
{
    if (channel >= 0)
        animationChannels[channel].speedMultiplier = multiplier;
}

const AnimationChannel* Actor::GetAnimationChannel(int32_t channel) const
{
    const auto found = animationChannels.find(channel);
    return found == animationChannels.end() ? nullptr : &found->second;
}

void Actor::BeginDissolve(int32_t red, int32_t green, int32_t blue, float seconds,
                          const std::string& texture)
{
    dissolveRequests.push_back({red, green, blue, seconds, texture});
    dissolving = true;
    dissolved = false;
    dissolveElapsedMs = 0;
}

void Actor::BeginUnDissolve(int32_t red, int32_t green, int32_t blue, float seconds,
                            const std::string& texture)
{
    dissolveRequests.push_back({red, green, blue, seconds, texture});
    ++unDissolveCount;
    dissolving = false;
    dissolved = false;
    dissolveElapsedMs = 0;
}

void Actor::UpdateSelf(int32_t elapsedMs)
{
    lastUpdateFrame = gEngine->GetFrameCount();
    if (!dissolving || dissolved)
        return;
    dissolveElapsedMs = AddSaturating(dissolveElapsedMs, Max(elapsedMs, 0));
    // A time that is not a number never ends.
    const float timeMs = dissolveRequests.back().seconds * 1000.0f;
    dissolved = static_cast<float>(dissolveElapsedMs) >= timeMs;
}

void Actor::SaveState(BinaryWriter& writer) const
{
    writer.WriteBool(visible);
}

bool Actor::RestoreState(BinaryReader& reader)
{
    return reader.ReadBool(visible);
}

} // namespace GAME
