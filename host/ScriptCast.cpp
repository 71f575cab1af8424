#include "host/ScriptCast.h"

#include "characters/Player.h"
#include "engine/ObjectManager.h"

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
            return name;
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

} // namespace GAME
