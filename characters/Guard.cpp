#include "characters/Guard.h"

#include "characters/TeamManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Guard, Monster);

Guard::~Guard() = default;

void Guard::Load(const LoadTable& table)
{
    Monster::Load(table);
    SetTeam(TeamManager::DefaultPlayerTeam());
    invincible = true;
}

} // namespace GAME
