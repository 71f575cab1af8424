#include "characters/TeamManager.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"

namespace GAME {

TeamManager::TeamManager() = default;

TeamManager::~TeamManager() = default;

Team TeamManager::BuildTeam(uint32_t major, uint32_t minor)
{
    Team team;
    team.Set(major, minor);
    return team;
}

Team TeamManager::DefaultPlayerTeam()
{
    return BuildTeam(2, 0);
}

Team TeamManager::DefaultMonsterTeam()
{
    return BuildTeam(3, 0);
}

Team TeamManager::InvisibleTeam()
{
    return BuildTeam(0, 0);
}

bool TeamManager::IsFriend(const Team& a, const Team& b) const
{
    return a.IsFriend(b);
}

bool TeamManager::IsFoe(const Team& a, const Team& b) const
{
    return a.IsFoe(b);
}

bool TeamManager::IsFriend(const Character& a, const Character& b) const
{
    return IsFriend(a.GetTeam(), b.GetTeam());
}

bool TeamManager::IsFoe(const Character& a, const Character& b) const
{
    return IsFoe(a.GetTeam(), b.GetTeam());
}

bool TeamManager::IsFriend(uint32_t id1, uint32_t id2) const
{
    const ObjectManager& objects = ObjectManager::Instance();
    const Character* a = objects.GetObject<Character>(id1);
    const Character* b = objects.GetObject<Character>(id2);
    if (a == nullptr || b == nullptr)
        return false;
    return IsFriend(*a, *b);
}

bool TeamManager::IsFoe(uint32_t id1, uint32_t id2) const
{
    if (id1 == id2)
        return false;
    const ObjectManager& objects = ObjectManager::Instance();
    const Character* a = objects.GetObject<Character>(id1);
    const Character* b = objects.GetObject<Character>(id2);
    if (a == nullptr || b == nullptr)
        return false;
    return IsFoe(*a, *b);
}

} // namespace GAME
