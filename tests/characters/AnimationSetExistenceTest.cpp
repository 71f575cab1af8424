#include "characters/AnimationBase.h"
#include "characters/AnimationSet.h"
#include "tests/support/AnimationFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace GAME::Test {
namespace {

using AnimationSetExistenceTest = AnimationFixture;

struct Row {
    const char* name;
    AnimationSet_Type asked;
    // Fills a kind after the set has already answered for it once.
    std::function<void(AnimationSet&)> fill;
    bool existsAfter;
};

// The set remembers its answers: each way of filling a holder must make it ask again.
TEST_F(AnimationSetExistenceTest, FillingAHolderAfterTheQuestionChangesTheAnswer)
{
    graphics.DeclareMissing("Anims/Gone.anm");
    const std::vector<Row> rows = {
        {"added through the set", AnimationSet_Walk,
         [](AnimationSet& set) {
             set.AddAnimation(AnimationSet_Walk, "Anims/Walk.anm", 1.0f, 0.0f, "");
         },
         true},
        {"added through the holder handed out", AnimationSet_Attack,
         [](AnimationSet& set) {
             set.GetAnimationBase(AnimationSet_Attack)
                 .AddAnimation("Anims/Hit.anm", 1.0f, 1.0f, "");
         },
         true},
        {"a name that does not load", AnimationSet_Spawn,
         [](AnimationSet& set) {
             set.AddAnimation(AnimationSet_Spawn, "Anims/Gone.anm", 1.0f, 0.0f, "");
         },
         false},
        {"another kind filled", AnimationSet_Run,
         [](AnimationSet& set) {
             set.AddAnimation(AnimationSet_Walk, "Anims/Walk.anm", 1.0f, 0.0f, "");
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AnimationSet set;
        EXPECT_FALSE(set.DoesAnimationExist(row.asked));
        row.fill(set);
        EXPECT_EQ(set.DoesAnimationExist(row.asked), row.existsAfter);
        EXPECT_EQ(set.DoesAnimationExist(row.asked), row.existsAfter) << "asked twice";
    }
}

} // namespace
} // namespace GAME::Test
