#include "characters/AnimationSet.h"

#include "engine/Name.h"
#include "tests/support/AnimationFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace GAME::Test {
namespace {

using AnimationSetTest = AnimationFixture;

TEST_F(AnimationSetTest, TypeNamesAreExactAndAKindOutsideTheTableIsNone)
{
    EXPECT_EQ(AnimationSet::GetAnimTextAsType("attack"), AnimationSet_None);
    EXPECT_EQ(AnimationSet::GetAnimTextAsType("Attack"), 16);
    EXPECT_EQ(AnimationSet::GetAnimTextAsType(""), AnimationSet_None);
    EXPECT_EQ(AnimationSet::GetAnimTypeAsText(AnimationSet_IdleTransition), "IdleTransition");
    EXPECT_EQ(AnimationSet::GetAnimTypeAsText(AnimationSet_TurnLeft180), "TurnLeft180");
    EXPECT_EQ(AnimationSet::GetAnimTypeAsText(static_cast<AnimationSet_Type>(32)), "");
    EXPECT_EQ(AnimationSet::GetAnimTypeAsText(static_cast<AnimationSet_Type>(-1)), "");
    for (int32_t type = 0; type < kAnimationSetTypeCount; ++type) {
        const auto value = static_cast<AnimationSet_Type>(type);
        EXPECT_EQ(AnimationSet::GetAnimTextAsType(AnimationSet::GetAnimTypeAsText(value)), value);
    }

    // A kind outside the table is None.
    AnimationSet set;
    const auto outside = static_cast<AnimationSet_Type>(40);
    EXPECT_EQ(&set.GetAnimationBase(outside), &set.GetAnimationBase(AnimationSet_None));
    EXPECT_TRUE(set.DoesAnimationExist(outside));
    EXPECT_TRUE(set.PlayAnimation(actor, outside, Name::noName, 1.0f, false, 0));
    EXPECT_EQ(set.GetCurrentType(), AnimationSet_None);
}

TEST_F(AnimationSetTest, AnEmptyTypeFallsBackToNoneUnlessOnlyPlayedIfAvailable)
{
    AnimationSet set;
    set.AddAnimation(AnimationSet_Attack, "Anims/Swing.anm", 1.0f, 1.0f, "");
    ASSERT_TRUE(set.PlayAnimation(actor, AnimationSet_Attack, Name::noName, 1.0f, false, 0));
    EXPECT_EQ(set.GetCurrentType(), AnimationSet_Attack);
    EXPECT_FALSE(set.DoesAnimationExist(AnimationSet_Walk));

    EXPECT_FALSE(
        set.PlayAnimationIfAvailable(actor, AnimationSet_Walk, Name::noName, 1.0f, true, 0));
    EXPECT_EQ(set.GetCurrentType(), AnimationSet_Attack);
    EXPECT_EQ(Playing()->GetName(), "Anims/Swing.anm");

    EXPECT_FALSE(set.PlayAnimation(actor, AnimationSet_Walk, Name::noName, 1.0f, true, 0));
    EXPECT_EQ(set.GetCurrentType(), AnimationSet_None);
    EXPECT_EQ(Playing(), graphics.GetDefaultAnimation());
    EXPECT_TRUE(actor.GetAnimationChannel(0)->keepPlaying);
}

TEST_F(AnimationSetTest, CallbacksAndRetimingGoToTheKindPlayingNow)
{
    AnimationSet set;
    set.AddAnimation(AnimationSet_Die, "Anims/Fall.anm", 1.0f, 1.0f, "");
    set.AddAnimation(AnimationSet_Run, "Anims/Run.anm", 2.0f, 0.0f, "");
    const Name end = Name::Create("End");
    set.PlayAnimation(actor, AnimationSet_Die, Name::noName, 1.0f, false, 2);
    EXPECT_TRUE(set.HandleAnimationCallback(actor, end));
    EXPECT_FALSE(set.HandleAnimationCallback(actor, end));

    set.PlayAnimation(actor, AnimationSet_Run, Name::noName, 1.0f, true, 0);
    set.AdjustAnimation(actor, 0.5f);
    EXPECT_EQ(actor.GetAnimationChannel(0)->speedMultiplier, 1.0f);
    EXPECT_TRUE(set.SetLastPost(actor, AnimationSet_Die));
    EXPECT_EQ(actor.GetPose().frame, 29);

    set.Cancel();
    EXPECT_EQ(set.GetCurrentType(), AnimationSet_None);
    EXPECT_EQ(set.GetAnimationBase().GetCurrentAnimation(), graphics.GetDefaultAnimation());
}

TEST_F(AnimationSetTest, SpawnBlendsFromNothingAndDieTakesItsOwnBlendTime)
{
    AnimationSet set;
    set.AddAnimation(AnimationSet_Spawn, "Anims/Rise.anm", 1.0f, 0.0f, "");
    set.AddAnimation(AnimationSet_Walk, "Anims/Walk.anm", 1.0f, 0.0f, "");
    set.AddAnimation(AnimationSet_Die, "Anims/Fall.anm", 1.0f, 1.0f, "");
    set.SetAnimationBlendTime(AnimationSet_Die, 120.0f);

    set.PlayAnimation(actor, AnimationSet_Spawn, Name::noName, 1.0f, false, 0);
    EXPECT_EQ(actor.GetAnimationChannel(0)->blendTimeMs, 0);
    set.PlayAnimation(actor, AnimationSet_Walk, Name::noName, 1.0f, false, 0);
    EXPECT_EQ(actor.GetAnimationChannel(0)->blendTimeMs, 250);
    set.PlayAnimation(actor, AnimationSet_Die, Name::noName, 1.0f, false, 0);
    EXPECT_EQ(actor.GetAnimationChannel(0)->blendTimeMs, 120);
}

TEST_F(AnimationSetTest, PreLoadPassesEachKindsFlag)
{
    AnimationSet set;
    for (int32_t type = 1; type < kAnimationSetTypeCount; ++type) {
        const auto value = static_cast<AnimationSet_Type>(type);
        const std::string name = AnimationSet::GetAnimTypeAsText(value);
        set.AddAnimation(value, "Anims/" + name + ".anm", 1.0f, 1.0f, name);
    }
    set.PreLoad();

    std::map<std::string, bool> flags;
    for (const ResourceLoader::Request& request : ResourceLoader::Instance().GetRequests())
        flags[request.name] = request.flag;
    ASSERT_EQ(flags.size(), 32u);
    EXPECT_TRUE(flags[graphics.GetDefaultAnimation()->GetName()]);
    const char* const noPreload[] = {
        "Fidget",    "Pickup",    "PassItem", "Chat",       "Stun",  "CriticalHit", "BuffSelf",
        "BuffOther", "SpellCast", "Special",  "BeginMount", "Mount", "Dismount",    "EndDismount"};
    for (const char* name : noPreload)
        EXPECT_FALSE(flags["Anims/" + std::string(name) + ".anm"]) << name;
    size_t preloaded = 0;
    for (const auto& [name, flag] : flags)
        preloaded += flag ? 1 : 0;
    EXPECT_EQ(preloaded, 18u);
}

} // namespace
} // namespace GAME::Test
