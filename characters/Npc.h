#pragma once

#include "characters/Character.h"

namespace GAME {

// A non-player character: merchants, quest givers and the people of the towns. So far its class
// record, which the editor's wanderer groups accept.
class Npc : public Character {
    GAME_DECLARE_CLASS(Npc)

public:
    Npc() = default;
    ~Npc() override;
};

} // namespace GAME
