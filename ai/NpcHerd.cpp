#include "ai/NpcHerd.h"

#include "ai/ControllerNpcHerder.h"
#include "characters/Npc.h"
#include "engine/ObjectManager.h"

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

} // namespace GAME
