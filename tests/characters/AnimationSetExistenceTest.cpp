#include "characters/AnimationBase.h"
#include "characters/AnimationSet.h"
#include "tests/support/AnimationFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using AnimationSetExistenceTest = AnimationFixture;

struct Row {
    const char* name;
    AnimationSet_Type asked;
    // Filled after the set has already answered for the asked kind once.
    AnimationSet_Type filled;
    const char* file;
    bool throughHolder;
    bool existsAfter;
};

// The set remembers its answers: each way of filling a holder must make it ask again.
TEST_F(AnimationSetExistenceTest, FillingAHolderAfterTheQuestionChangesTheAnswer)
{
    graphics.DeclareMissing("Anims/Gone.anm");
    const Row rows[] = {
        {"added through the set", AnimationSet_Walk, AnimationSet_Walk, "Anims/Walk.anm", false,
         true},
        {"added through the holder handed out", AnimationSet_Attack, AnimationSet_Attack,
         "Anims/Hit.anm", true, true},
        {"a name that does not load", AnimationSet_Spawn, AnimationSet_Spawn, "Anims/Gone.anm",
         false, false},
        {"another kind filled", AnimationSet_Run, AnimationSet_Walk, "Anims/Walk.anm", false,
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AnimationSet set;
        EXPECT_FALSE(set.DoesAnimationExist(row.asked));
        if (row.throughHolder)
            set.GetAnimationBase(row.filled).AddAnimation(row.file, 1.0f, 1.0f, "");
        else
            set.AddAnimation(row.filled, row.file, 1.0f, 0.0f, "");
        EXPECT_EQ(set.DoesAnimationExist(row.asked), row.existsAfter);
        EXPECT_EQ(set.DoesAnimationExist(row.asked), row.existsAfter) << "asked twice";
    }
}

} // namespace
} // namespace GAME::Test
