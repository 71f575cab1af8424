#include "world/BoundingVolumeMultiple.h"

#include "characters/Player.h"
#include "engine/Coords.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "world/BoundingVolume.h"
#include "world/EditorPicking.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(BoundingVolumeMultiple, Entity);

namespace {

constexpr const char* kBoundingVolumeMultipleSource = "Project/Game/BoundingVolumeMultiple";

const char* const radiusKeys[] = {"boundingVolumeRadius1", "boundingVolumeRadius2",
                                  "boundingVolumeRadius3", "boundingVolumeRadius4"};

// Volumes in the editor's filter.
constexpr int32_t kMultipleVolumeFilterType = 1;

// Radii this close to 0 are a designer's "no sphere here".
constexpr float radiusEpsilon = 0.0001f;

} // namespace

BoundingVolumeMultiple::BoundingVolumeMultiple()
    : enterListener("GameEvent_EnterBoundingVolume", &BoundingVolumeMultiple::OnEnterBoundingVolume,
                    this),
      exitListener("GameEvent_ExitBoundingVolume", &BoundingVolumeMultiple::OnExitBoundingVolume,
                   this)
{}

BoundingVolumeMultiple::~BoundingVolumeMultiple()
{
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().RemoveFilterObject(GetObjectId());
    // Attached spheres belong to the entity that carries them now.
    ObjectManager& objects = ObjectManager::Instance();
    for (const VolumeEntry& entry : volumeEntries) {
        if (entry.attached)
            continue;
        if (BoundingVolume* volume = objects.GetObject<BoundingVolume>(entry.volumeId))
            objects.DestroyObjectEx(volume, kBoundingVolumeMultipleSource, __LINE__);
    }
}

void BoundingVolumeMultiple::Load(const LoadTable& table)
{
    Object::Load(table);
    ObjectManager& objects = ObjectManager::Instance();
    const LoadTable empty;
    for (const char* key : radiusKeys) {
        const float radius = table.GetFloat(key, 0.0f);
        if (radius < radiusEpsilon && radius > -radiusEpsilon)
            continue;
        auto* volume = DynamicCast<BoundingVolume>(
            objects.CreateObject("BoundingVolume", objects.CreateObjectID()));
        if (volume == nullptr)
            continue;
        volume->Load(empty);
        volume->SetRadius(radius);
        volumeEntries.push_back({volume->GetObjectId(), radius, false});
    }
}

void BoundingVolumeMultiple::InitialUpdate()
{
    Entity::InitialUpdate();
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().AddFilterObject(GetObjectId(), kMultipleVolumeFilterType);
}

void BoundingVolumeMultiple::UpdateSelf(int32_t elapsedMs)
{
    Entity::UpdateSelf(elapsedMs);
    for (const VolumeEntry& entry : volumeEntries) {
        auto* volume = ObjectManager::Instance().GetObject<BoundingVolume>(entry.volumeId);
        if (volume == nullptr || !entry.attached || volume->GetAttachParent() != this)
            continue;
        if (!volume->HasDoneInitialUpdate())
            volume->InitialUpdate();
        volume->Update(elapsedMs);
    }
}

float BoundingVolumeMultiple::GetOuterRadius() const
{
    return volumeEntries.empty() ? 0.0f : volumeEntries.back().radius;
}

float BoundingVolumeMultiple::GetExtent() const
{
    return GetOuterRadius() + 1.0f;
}

void BoundingVolumeMultiple::UpdateBoundingBox()
{
    const float extent = GetExtent();
    SetRegionBoundingBox(ABBox::FromCenterAndExtents(GetCoords().GetRegionCoords().origin,
                                                     Vec3(extent, extent, extent)));
}

OBBox BoundingVolumeMultiple::GetCollisionBox(int32_t /*index*/) const
{
    const float radius = GetOuterRadius();
    return OBBox(Vec3(radius, radius, radius), GetCoords().GetRegionCoords());
}

void BoundingVolumeMultiple::GetIntersection(const Ray& ray, Intersection& out,
                                             int32_t surface) const
{
    PickEditorSphere(GetCoords().GetRegionCoords().origin, GetExtent(), ray, out, surface);
}

std::string BoundingVolumeMultiple::DescribeDebug() const
{
    static const char* const labels[] = {"Inner Volume:", "Mid Volume:", "Outer Volume:"};
    std::string text;
    for (size_t index = 0; index < 3; ++index) {
        text += labels[index];
        const auto* volume =
            index < volumeEntries.size()
                ? ObjectManager::Instance().GetObject<BoundingVolume>(volumeEntries[index].volumeId)
                : nullptr;
        if (volume != nullptr) {
            for (const uint32_t id : volume->GetEntitiesInVolume())
                text += std::to_string(id) + ",";
        }
        text += "\n";
    }
    return text;
}

void BoundingVolumeMultiple::AttachVolumes(Entity* parent)
{
    std::stable_sort(
        volumeEntries.begin(), volumeEntries.end(),
        [](const VolumeEntry& a, const VolumeEntry& b) { return a.radius < b.radius; });
    // The outermost sphere may have changed places.
    UpdateBoundingBox();
    if (parent == nullptr)
        return;
    for (VolumeEntry& entry : volumeEntries) {
        auto* volume = ObjectManager::Instance().GetObject<BoundingVolume>(entry.volumeId);
        if (volume == nullptr)
            continue;
        entry.attached = true;
        parent->Attach(volume, Coords::Identity(), "");
    }
}

int BoundingVolumeMultiple::FindPlayerVolumeIndex(uint32_t volumeId, uint32_t entityId) const
{
    if (triggered || ObjectManager::Instance().GetObject<Player>(entityId) == nullptr)
        return -1;
    for (size_t index = 0; index < volumeEntries.size(); ++index) {
        if (volumeEntries[index].volumeId == volumeId)
            return static_cast<int>(index);
    }
    return -1;
}

void BoundingVolumeMultiple::OnEnterBoundingVolume(const GameEvent_EnterBoundingVolume& event)
{
    const int index = FindPlayerVolumeIndex(event.volumeId, event.entityId);
    if (index >= 0)
        OnEnterVolume(index);
}

void BoundingVolumeMultiple::OnExitBoundingVolume(const GameEvent_ExitBoundingVolume& event)
{
    const int index = FindPlayerVolumeIndex(event.volumeId, event.entityId);
    if (index >= 0)
        OnExitVolume(index);
}

} // namespace GAME
