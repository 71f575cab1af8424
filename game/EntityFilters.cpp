#include "game/EntityFilters.h"

#include "characters/Player.h"
#include "engine/CharacterAction.h"
#include "world/FixedItemQuestObject.h"
#include "world/NpcTrafficNode.h"
#include "world/PlayerSpawnPoint.h"

namespace GAME {

bool FilterGetAllPlayers::operator()(const Entity* candidate) const
{
    return DynamicCast<Player>(candidate) != nullptr;
}

bool FilterGetAllTrafficNodes::operator()(const Entity* candidate) const
{
    return DynamicCast<NpcTrafficNode>(candidate) != nullptr;
}

bool FilterGetEndPortals::operator()(const Entity* candidate) const
{
    return DynamicCast<FixedItemTyphonPortal>(candidate) != nullptr;
}

bool FilterGetPlayerSpawnPoint::operator()(const Entity* candidate) const
{
    return DynamicCast<PlayerSpawnPoint>(candidate) != nullptr;
}

bool FilterGetSpawnObjects::operator()(const Entity* candidate) const
{
    return candidate != nullptr && candidate->ShouldServerSpawn();
}

bool FilterCharacterAction::operator()(const CharacterAction*) const
{
    return true;
}

bool FilterMountAction::operator()(const CharacterAction*) const
{
    return true;
}

bool FilterMountedCharacterAction::operator()(const CharacterAction*) const
{
    return true;
}

} // namespace GAME
