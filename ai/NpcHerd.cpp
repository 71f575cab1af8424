#include "ai/NpcHerd.h"

#include "ai/ControllerNpcHerder.h"
#include "characters/Npc.h"
#include "core/RandomHelpers.h"
#include "engine/ObjectManager.h"
#include "engine/WorldVec3.h"

#include <vector>

namespace GAME {

namespace {
const char* const kHerdAnimalControllerRecord =
    "Records/Controllers/Npc/NpcHerdAnimalController.dbr";
const char* const kHerderControllerRecord = "Records/Controllers/Npc/NpcHerderController.dbr";
} // namespace

void NpcHerd::AddMember(uint32_t id)
{
    if (!members.empty()) {
        if (Npc* npc = ObjectManager::Instance().GetObject<Npc>(id))
            npc->SetController(kHerdAnimalControllerRecord);
    }
    members.push_back(id);
}

void NpcHerd::SetHerder(uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    Npc* npc = objects.GetObject<Npc>(id);
    if (npc == nullptr)
        return;
    npc->SetController(kHerderControllerRecord);
    if (auto* herder = objects.GetObject<ControllerNpcHerder>(npc->GetControllerId()))
        herder->SetHerdName(name);
    herderId = id;
}

bool NpcHerd::CheckHerdPositioning(uint32_t id, WorldVec3& position) const
{
    ObjectManager& objects = ObjectManager::Instance();
    const Character* follower = objects.GetObject<Character>(id);
    if (follower == nullptr)
        return false;
    if (id == herderId && !members.empty()) {
        const Character* last = objects.GetObject<Character>(members.back());
        return last != nullptr && GetPositionNear(*follower, *last, kPositionLimit, position);
    }
    for (size_t index = 1; index < members.size(); ++index) {
        if (members[index] != id)
            continue;
        if (const Character* ahead = objects.GetObject<Character>(members[index - 1]))
            return GetPositionNear(*follower, *ahead, kPositionLimit, position);
    }
    return false;
}

bool NpcHerd::GetPositionNear(const Character& follower, const Character& leader, float limit,
                              WorldVec3& position)
{
    Vec3 there;
    const WorldVec3 here = follower.GetCoords().GetPosition();
    if (!leader.GetCoords().GetPosition().GetPositionInRegion(here.GetRegionId(), there))
        return false;
    const Vec3 apart = there - here.GetRegionPosition();
    const float squared = apart.x * apart.x + apart.y * apart.y + apart.z * apart.z;
    if (!(squared > limit))
        return false;
    std::vector<WorldVec3> spots;
    leader.GetConversationPartnerLocation(spots);
    if (spots.empty())
        return false;
    position = spots[static_cast<size_t>(RandomInt(0, static_cast<int>(spots.size()) - 1))];
    return true;
}

} // namespace GAME
