#include "ai/ControllerNpc2.h"

#include "ai/ControllerNpcState.h"
#include "ai/ControllerNpcStateWander.h"
#include "characters/Character.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/LoadTable.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerNpc2, ControllerAI);

ControllerNpc2::ControllerNpc2()
{
    SetIgnoreEquipmentRequirements(true);
}

void ControllerNpc2::Load(const LoadTable& table)
{
    ControllerAI::Load(table);
    socialRadius = table.GetFloat("npcSocialRadius", 0.0f);
    alertRadius = table.GetFloat("npcAlertRadius", 0.0f);
    idleTimeMin = SaturateToInt(table.GetFloat("npcIdleTimeMin", 0.0f) * 1000.0);
    idleTimeMax = SaturateToInt(table.GetFloat("npcIdleTimeMax", 0.0f) * 1000.0);
}

void ControllerNpc2::PostParentAttached()
{
    ControllerAI::PostParentAttached();
    const Npc* npc = DynamicCast<Npc>(GetCharacter());
    if (npc == nullptr || npc->GetUniqueID().IsZero())
        return;

    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.LockGroupList();
    std::vector<int32_t> indices;
    groups.GetGroupsThatContain(npc->GetUniqueID(), indices);
    for (int32_t index : indices) {
        const InstanceGroup* wanderers = groups.GetGroup(index);
        if (wanderers == nullptr || wanderers->GetType() != "Npc Wanderers")
            continue;
        for (int32_t i = 0; i < wanderers->GetNumChildren(); ++i) {
            const InstanceGroup* child = groups.GetGroup(wanderers->GetChildId(i));
            if (child == nullptr || child->GetType() != "Wander Points")
                continue;
            std::vector<UniqueId> ids;
            child->FillIdList(ids);
            wanderPoints.insert(wanderPoints.end(), ids.begin(), ids.end());
        }
    }
    groups.UnlockGroupList();
}

void ControllerNpc2::GetPlayersInRadius(float radius, std::vector<uint32_t>& ids) const
{
    const Character* character = GetCharacter();
    World* world = gEngine->GetWorld();
    if (character == nullptr || world == nullptr)
        return;
    const WorldCoords& coords = character->GetCoords();
    std::vector<Entity*> entities;
    world->GetEntitiesInSphere(entities, coords.GetRegion(), coords.GetRegionCoords().origin,
                               radius);
    for (Entity* entity : entities) {
        if (DynamicCast<Player>(entity) != nullptr)
            ids.push_back(entity->GetObjectId());
    }
}

uint32_t ControllerNpc2::GetSocialTarget() const
{
    Character* character = GetCharacter();
    if (character == nullptr)
        return 0;
    const WorldVec3 from = character->GetCoords().GetPosition();
    std::vector<uint32_t> players;
    GetPlayersInRadius(socialRadius, players);
    if (!players.empty())
        return FindClosestActor(from, players);
    GetPlayersInRadius(alertRadius, players);
    if (players.empty())
        return 0;
    // Only ids of players were gathered; the closest is one while it still exists.
    return FindClosestActor(from, players);
}

void ControllerNpc2::OnDebugRenderClick()
{
    debugRenderClicked = !debugRenderClicked;
    if (Npc* npc = DynamicCast<Npc>(GetCharacter()))
        npc->OnDebugRenderClick();
}

void ControllerNpc2::RegisterStates()
{
    AddState("Idle", new ControllerNpcStateIdle(this));
    AddState("LongIdle", new ControllerNpcStateLongIdle(this));
    AddState("Wander", new ControllerNpcStateWander(this));
    AddState("Chat", new ControllerNpcStateChat(this));
    AddState("WatchAttraction", new ControllerNpcStateWatchAttraction(this));
    AddState("QuestMove", new ControllerNpcStateQuestMove(this));
    AddState("QuestWalk", new ControllerNpcStateQuestWalk(this));
    AddState("QuestPlayAnimation", new ControllerNpcStateQuestPlayAnimation(this));
}

void ControllerNpc2::InitializeStates()
{
    SetState("Idle", ControllerAIStateData());
}

// While the townsperson does something else, its stroll is shown too.
void ControllerNpc2::DebugRender()
{
    ControllerAI::DebugRender();
    PushDebugRenderText("----------------");
    ControllerAIState* wander = GetState("Wander");
    if (wander != nullptr && wander != GetExecutingState())
        wander->DebugRender();
}

} // namespace GAME
