#include "world/ChainLaserBeam.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ChainLaserBeam, ChaosBeam);

ChainLaserBeam::~ChainLaserBeam() = default;

} // namespace GAME
