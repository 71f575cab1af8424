#include "host/ScriptCast.h"

#include "characters/Player.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "host/OrderScript.h"
#include "host/ShownName.h"

namespace GAME {

uint32_t ScriptCast::IdOf(const std::string& name) const
{
    for (const auto& [memberName, id] : members) {
        if (memberName == name)
            return id;
    }
    return 0;
}

std::string ScriptCast::Label(uint32_t id) const
{
    for (const auto& [name, memberId] : members) {
        if (memberId == id)
            return ShownName(name);
    }
    return std::to_string(id);
}

Player* ScriptCast::Hero() const
{
    return ObjectManager::Instance().GetObject<Player>(IdOf("Hero"));
}

ControllerPlayer* ScriptCast::HeroController() const
{
    const Player* hero = Hero();
    return hero != nullptr ? hero->GetControllerPlayer() : nullptr;
}

WorldVec3 ScriptCast::Aim(const ScriptOrder& order, const Player& hero, uint32_t region,
                          uint32_t& target) const
{
    target = order.name.empty() ? 0 : IdOf(order.name);
    if (const auto* thing = ObjectManager::Instance().GetObject<Entity>(target))
        return thing->GetCoords().GetPosition();
    if (target != 0)
        return hero.GetCoords().GetPosition();
    return WorldVec3(region, Vec3(order.x, 0.0f, order.z));
}

} // namespace GAME
