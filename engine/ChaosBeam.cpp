#include "engine/ChaosBeam.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ChaosBeam, Entity);

ChaosBeam::~ChaosBeam() = default;

} // namespace GAME
