#include "characters/Npc.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Npc, Character);

Npc::~Npc() = default;

} // namespace GAME
