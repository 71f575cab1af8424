#include "world/SkillGodBeam.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillGodBeam, ChaosBeam);

SkillGodBeam::~SkillGodBeam() = default;

} // namespace GAME
