#include "engine/ActorConfigCommand.h"

#include "engine/NetPacket.h"

namespace GAME {

ActorConfigCommand::~ActorConfigCommand() = default;

} // namespace GAME
