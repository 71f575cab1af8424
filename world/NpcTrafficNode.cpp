#include "world/NpcTrafficNode.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(NpcTrafficNode, BoundingVolume);

NpcTrafficNode::~NpcTrafficNode() = default;

} // namespace GAME
