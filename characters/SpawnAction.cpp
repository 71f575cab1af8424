#include "characters/SpawnAction.h"

#include "engine/Name.h"
#include "multiplayer/CharacterActionPackets.h"

namespace GAME {

SpawnAction::SpawnAction(uint32_t ownerId) : CharacterActionBase(ownerId, CharacterActionType_Spawn)
{}

SpawnAction::SpawnAction(const SpawnActionPacket& packet) : SpawnAction(packet.ownerId.GetId())
{
    ReadPreMoveData(packet);
}

// Waits for the spawn animation's end; a dead owner may still be spawning.
void SpawnAction::Execute()
{
    if (GetOwner() == nullptr)
        Finish();
}

void SpawnAction::AnimationCallback(const Name& event)
{
    static const Name end = Name::Create("End");
    if (GetOwner() != nullptr && event == end)
        Finish();
}

std::unique_ptr<NetPacket> SpawnAction::GetNetPacket() const
{
    return WithPreMoveData(NewPacket<SpawnActionPacket>());
}

std::string SpawnAction::ToString() const
{
    return "SpawnAction";
}

} // namespace GAME
