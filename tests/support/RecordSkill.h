#pragma once

#include "skills/Skill.h"

#include <cstdint>

namespace GAME::Test {

// The plainest skill a record can name: at the level it was given, adding nothing.
class RecordSkill : public Skill {
    GAME_DECLARE_CLASS(RecordSkill)

public:
    // "Class = RecordSkill"; naming it through here links the class into the test program.
    static const char* const kClassLine;

    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
};

} // namespace GAME::Test
