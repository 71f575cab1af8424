#include "tests/support/RecordSkill.h"

namespace GAME::Test {

GAME_IMPLEMENT_CLASS(RecordSkill, Skill);

const char* const RecordSkill::kClassLine = "Class = RecordSkill";

} // namespace GAME::Test
