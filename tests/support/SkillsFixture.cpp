#include "tests/support/SkillsFixture.h"

namespace GAME::Test {

GAME_IMPLEMENT_CLASS(SkillsTarget, Character);

} // namespace GAME::Test
