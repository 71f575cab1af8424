#include "ai/ControllerBandari.h"

#include "ai/ControllerAIStateData.h"
#include "ai/ControllerTerracotta.h"
#include "characters/Character.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/Entity.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/UniqueIdMap.h"
#include "engine/WorldCoords.h"
#include "world/Proxy.h"

#include <string>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerBandari, ControllerMonster);

namespace {

// The first child of `group` of the type; null when none.
const InstanceGroup* FirstChildOfType(const InstanceGroupManager& groups,
                                      const InstanceGroup& group, const std::string& type)
{
    for (int32_t child = 0; child < group.GetNumChildren(); ++child) {
        const InstanceGroup* found = groups.GetGroup(group.GetChildId(child));
        if (found != nullptr && found->GetType() == type)
            return found;
    }
    return nullptr;
}

// The groups holding `id` whose type is `type`, in the manager's order.
std::vector<const InstanceGroup*> GroupsOfType(const InstanceGroupManager& groups,
                                               const UniqueId& id, const std::string& type)
{
    std::vector<int32_t> indices;
    groups.GetGroupsThatContain(id, indices);
    std::vector<const InstanceGroup*> found;
    for (int32_t index : indices) {
        const InstanceGroup* group = groups.GetGroup(index);
        if (group != nullptr && group->GetType() == type)
            found.push_back(group);
    }
    return found;
}

void MarchIfWarrior(uint32_t objectId)
{
    const auto* warrior = ObjectManager::Instance().GetObject<Character>(objectId);
    if (warrior == nullptr)
        return;
    auto* controller =
        ObjectManager::Instance().GetObject<ControllerTerracotta>(warrior->GetControllerId());
    if (controller != nullptr)
        controller->AttackMarch();
}

} // namespace

ControllerBandari::~ControllerBandari() = default;

void ControllerBandari::PostParentAttached()
{
    ControllerMonster::PostParentAttached();
    const Character* self = GetCharacter();
    if (self == nullptr)
        return;
    // A placed boss is in its group itself; one a proxy made is there through the proxy.
    const bool placed = !self->GetUniqueID().IsZero();
    const Proxy* proxy = placed ? nullptr : GetProxy();
    if (!placed && proxy == nullptr)
        return;
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.LockGroupList();
    const std::vector<const InstanceGroup*> bosses =
        GroupsOfType(groups, placed ? self->GetUniqueID() : proxy->GetUniqueID(), "Bandari");
    if (!bosses.empty()) {
        const InstanceGroup* boss = placed ? bosses.front() : bosses.back();
        if (const InstanceGroup* points =
                FirstChildOfType(groups, *boss, "Bandari Teleport Points"))
            points->FillIdList(teleportPoints);
    }
    groups.UnlockGroupList();
}

void ControllerBandari::InitialUpdate()
{
    ControllerAI::InitialUpdate();
    if (const Character* self = GetCharacter())
        startLife = self->GetCurrentLife();
}

void ControllerBandari::Update(int32_t elapsedMs)
{
    ControllerMonster::Update(elapsedMs);
    if (canTeleport && HasPointLeft() && LifeBelowThreshold())
        Jump();
}

// No start life (a boss that began dead or without life) gives no fraction to fall through.
bool ControllerBandari::LifeBelowThreshold() const
{
    const Character* self = GetCharacter();
    if (self == nullptr || startLife <= 0.0f)
        return false;
    const float n = static_cast<float>(teleportPoints.size());
    const float i = static_cast<float>(nextTeleport);
    return self->GetCurrentLife() / startLife < (n - i) / (n + 1.0f);
}

void ControllerBandari::Teleported(const WorldCoords& coords)
{
    canTeleport = true;
    if (Character* self = GetCharacter())
        self->SetSpawnPoint(coords);
    ClearAnger();
}

bool ControllerBandari::ClosestEnemyFoundOverride(uint32_t /*enemyId*/, float /*distance*/)
{
    return canTeleport && HasPointLeft() && Jump();
}

bool ControllerBandari::Jump()
{
    const UniqueId& pointId = teleportPoints[static_cast<size_t>(nextTeleport)];
    const Entity* point = UniqueIdMap::GetEntity(pointId);
    if (point == nullptr)
        return false;
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.LockGroupList();
    const InstanceGroup* warriors = nullptr;
    for (const InstanceGroup* group : GroupsOfType(groups, pointId, "Bandari Teleport Points")) {
        warriors = FirstChildOfType(groups, *group, "Terracotta Warriors");
        if (warriors != nullptr)
            break;
    }
    if (warriors != nullptr)
        SendWarriors(*warriors);
    groups.UnlockGroupList();
    if (warriors == nullptr)
        return false;

    uint32_t skill = 0;
    int32_t timeout = 0;
    int32_t delay = 0;
    uint32_t chance = 0;
    SkillUseRange range = SkillUseRange_None;
    GetSpecialAttack5SkillInfo(skill, timeout, delay, chance, range);
    AddTemporaryState("UseSkillOnPoint",
                      ControllerAIStateData(0, 0, skill, point->GetCoords().GetPosition()));
    ++nextTeleport;
    canTeleport = false;
    return true;
}

void ControllerBandari::SendWarriors(const InstanceGroup& warriors)
{
    std::vector<UniqueId> ids;
    warriors.FillIdList(ids);
    for (const UniqueId& id : ids) {
        Entity* entity = UniqueIdMap::GetEntity(id);
        if (entity == nullptr)
            continue;
        if (const auto* proxy = DynamicCast<Proxy>(entity)) {
            std::vector<uint32_t> placed;
            proxy->GetPlacedObjects(placed);
            for (uint32_t objectId : placed)
                MarchIfWarrior(objectId);
            continue;
        }
        MarchIfWarrior(entity->GetObjectId());
    }
}

} // namespace GAME
