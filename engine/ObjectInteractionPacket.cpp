#include "engine/ObjectInteractionPacket.h"

namespace GAME {

ObjectInteractionPacket::~ObjectInteractionPacket() = default;

} // namespace GAME
