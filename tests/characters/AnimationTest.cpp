#include "characters/AnimationBase.h"
#include "characters/AnimationHandle.h"
#include "characters/AnimationPool.h"
#include "characters/AnimationSelected.h"
#include "characters/AnimationSet.h"
#include "characters/AnimationSound.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/Actor.h"
#include "engine/GraphicsEngine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "items/EquipLocations.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/AnimationFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameEngineFixture.h"

#include <cmath>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class AnimationHandleTest : public AnimationFixture {
protected:
    void SetUp() override
    {
        AnimationFixture::SetUp();
        graphics.DescribeAnimation("Anims/Swing.anm", {12, 24, 3.0f});
        handle = AnimationHandle(graphics.LoadAnimation("Anims/Swing.anm"), 1.5f, 0.0f);
    }
    void TearDown() override
    {
        graphics.UnloadAnimation(handle.animation);
        AnimationFixture::TearDown();
    }

    AnimationHandle handle;
};

TEST_F(AnimationHandleTest, PlaysOnTheBodyChannelWithScaledSpeedAndASaturatedBlend)
{
    ASSERT_TRUE(handle.Play(actor, 2.0f, false, 0));
    const AnimationChannel* body = Must(actor.GetAnimationChannel(0));
    EXPECT_FALSE(body->keepPlaying);
    EXPECT_EQ(body->speed, 3.0f);

    // Repeats or a loop keep it playing; a blend time no clock could hold saturates.
    handle.blendTime = 1e20f;
    handle.Play(actor, 1.0f, false, 2);
    EXPECT_TRUE(body->keepPlaying);
    EXPECT_EQ(body->blendTimeMs, INT32_MAX);
    handle.Play(actor, 1.0f, true, 0);
    EXPECT_TRUE(body->keepPlaying);

    handle.Adjust(actor, 2.0f);
    EXPECT_EQ(body->speedMultiplier, 3.0f);
}

TEST_F(AnimationHandleTest, WithoutAnAnimationNothingPlaysButLoopAndCountAreKept)
{
    AnimationHandle empty;
    EXPECT_FALSE(empty.Play(actor, 1.0f, false, 2));
    EXPECT_EQ(actor.GetAnimationChannel(0), nullptr);
    EXPECT_FALSE(empty.SetLastPose(actor));
}

TEST_F(AnimationHandleTest, RepeatTwoAnswersTheFirstEndTrueAndTheSecondFalse)
{
    const Name end = Name::Create("End");
    handle.Play(actor, 1.0f, false, 2);
    EXPECT_FALSE(handle.HandleAnimationCallback(Name::Create("Hit")));
    EXPECT_TRUE(handle.HandleAnimationCallback(end));
    EXPECT_FALSE(handle.HandleAnimationCallback(end));

    // A looping handle never counts its ends.
    handle.Play(actor, 1.0f, true, 2);
    EXPECT_FALSE(handle.HandleAnimationCallback(end));
    EXPECT_EQ(handle.repeatCount, 2);
}

TEST_F(AnimationHandleTest, PosesAndSpeedComeFromTheAnimation)
{
    EXPECT_TRUE(handle.SetLastPose(actor));
    EXPECT_EQ(actor.GetPose().animation, handle.animation);
    EXPECT_EQ(actor.GetPose().frame, 11);
    EXPECT_FALSE(handle.SetPose(actor, 12));
    EXPECT_EQ(actor.GetPose().frame, 11);

    EXPECT_EQ(handle.GetAnimSpeed(), 2.0f);
}

using AnimationPoolTest = AnimationFixture;

TEST_F(AnimationPoolTest, AnEmptyNameOrAnAnimationThatDoesNotLoadLeavesThePoolEmpty)
{
    graphics.DeclareMissing("Anims/Gone.anm");
    AnimationPool pool;
    pool.AddAnimation("", 1.0f, 5.0f, "");
    pool.AddAnimation("Anims/Gone.anm", 1.0f, 5.0f, "");
    EXPECT_TRUE(pool.IsEmpty());
    EXPECT_FALSE(pool.PlayAnimation(actor, Name::noName, 1.0f, false, 0));
    EXPECT_EQ(pool.GetAnimSpeed(), 0.0f);
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {1, "AnimationPool:: Unable to load animation (Anims/Gone.anm)"}}));
}

TEST_F(AnimationPoolTest, SpeedIsTheMeanOfTheAnimationsHeld)
{
    graphics.DescribeAnimation("Anims/Slow.anm", {30, 30, 2.0f});
    graphics.DescribeAnimation("Anims/Fast.anm", {30, 30, 6.0f});
    AnimationPool pool;
    pool.AddAnimation("Anims/Slow.anm", 1.0f, 1.0f, "");
    pool.AddAnimation("Anims/Fast.anm", 2.0f, 1.0f, "");
    EXPECT_EQ(pool.GetAnimSpeed(), 2.5f); // (2 / 1 + 6 / 2) / 2
}

using AnimationSelectedTest = AnimationFixture;

TEST_F(AnimationSelectedTest, AnEmptyReferenceIsRefusedAndARepeatedOneKeepsItsFirstAnimation)
{
    AnimationSelected special;
    special.AddAnimation("", 1.0f, 0.0f, "");
    EXPECT_EQ(log.Count(1, "AnimationSelected: Invalid reference () name for animation ()"), 0u);
    special.AddAnimation("Anims/Leap.anm", 1.0f, 0.0f, "");
    EXPECT_TRUE(special.IsEmpty());
    EXPECT_EQ(log.Count(1, "AnimationSelected: Invalid reference () name for animation "
                           "(Anims/Leap.anm)"),
              1u);
    EXPECT_EQ(graphics.GetLoadCount("Anims/Leap.anm"), 0);

    special.AddAnimation("Anims/Leap.anm", 1.0f, 0.0f, "Leap");
    special.AddAnimation("Anims/Other.anm", 1.0f, 0.0f, "Leap");
    EXPECT_EQ(graphics.GetLoadCount("Anims/Other.anm"), 0);
    special.PlayAnimation(actor, Name::Create("Leap"), 1.0f, false, 0);
    EXPECT_EQ(Playing()->GetName(), "Anims/Leap.anm");
}

using AnimationSetTest = AnimationFixture;

TEST_F(AnimationSetTest, AKindOutsideTheTableIsNone)
{
    EXPECT_EQ(AnimationSet::GetAnimTypeAsText(static_cast<AnimationSet_Type>(32)), "");
    EXPECT_EQ(AnimationSet::GetAnimTypeAsText(static_cast<AnimationSet_Type>(-1)), "");
    AnimationSet set;
    const auto outside = static_cast<AnimationSet_Type>(40);
    EXPECT_EQ(&set.GetAnimationBase(outside), &set.GetAnimationBase(AnimationSet_None));
    EXPECT_TRUE(set.DoesAnimationExist(outside));
    EXPECT_TRUE(set.PlayAnimation(actor, outside, Name::noName, 1.0f, false, 0));
    EXPECT_EQ(set.GetCurrentType(), AnimationSet_None);
}

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
TEST_F(AnimationSetTest, FillingAHolderAfterTheQuestionChangesTheAnswer)
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

class AnimationSoundTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("Records/Sounds/Roar.dbr", {"Class = SoundPak"});
        database.WriteRecord("Records/Sounds/Growl.dbr", {"Class = SoundPak"});
    }

    ObjectManager& objects = ObjectManager::Instance();
    const Name roar = Name::Create("voxSound");
    Actor actor;
};

TEST_F(AnimationSoundTest, ANameKeepsItsFirstPackAndEveryPackIsDestroyedWithTheMap)
{
    {
        AnimationSound sounds;
        sounds.AddSound(roar, "", 50.0f);
        sounds.AddSound(roar, "Records/Sounds/Roar.dbr", 0.0f);
        sounds.AddSound(roar, "Records/Sounds/Roar.dbr", NAN);
        sounds.AddSound(roar, "Records/Sounds/Missing.dbr", 50.0f);
        EXPECT_EQ(sounds.GetSound(roar), nullptr);

        sounds.AddSound(roar, "Records/Sounds/Roar.dbr", 50.0f);
        sounds.AddSound(roar, "Records/Sounds/Growl.dbr", 80.0f);
        ASSERT_NE(sounds.GetSound(roar), nullptr);
        EXPECT_EQ(sounds.GetSound(roar)->GetObjectName(), "Records/Sounds/Roar.dbr");
        EXPECT_EQ(objects.GetObjectCount(), 1u);
    }
    EXPECT_EQ(objects.GetObjectCount(), 0u);
    ASSERT_EQ(objects.GetDestroyHistory().size(), 1u);
    EXPECT_EQ(objects.GetDestroyHistory()[0].file, "Project/Game/AnimationSound");
    EXPECT_EQ(objects.GetDestroyHistory()[0].line, 36);
}

TEST_F(AnimationSoundTest, APackTornDownFirstIsLeftAlone)
{
    AnimationSound sounds;
    sounds.AddSound(roar, "Records/Sounds/Roar.dbr", 100.0f);
    // Everything goes at once at shut-down, the pack perhaps before its owner.
    objects.DestroyAllObjects();
    EXPECT_EQ(sounds.GetSound(roar), nullptr);
    sounds.PlaySound(actor, roar, nullptr);
    sounds.PreLoad();
}

// Allocates its sets again on demand, as a character whose loot arrives after loading does.
template <class Base> class Reallocating : public Base {
public:
    using Base::AllocateAnimSets;
};

// Each test ends with every animation its characters loaded given back.
class CharacterAnimationTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        graphics.Reset();
        loadedBefore = graphics.GetLoadedAnimationCount();
        Start();
    }
    void TearDown() override
    {
        GameEngineFixture::TearDown();
        EXPECT_EQ(graphics.GetLoadedAnimationCount(), loadedBefore) << "an animation was kept";
        graphics.Reset();
    }

    // Made from its record like a level's character, holding `weapon` (none when empty) in
    // `location` when its record is read.
    template <class T>
    T* Make(const std::string& path, std::initializer_list<std::string> lines,
            const char* weapon = nullptr, EquipLocations location = EquipLocations_LeftHand)
    {
        return Place<T>(database, path, lines, [&](T& character) {
            if (weapon != nullptr)
                Hold(character, weapon, location);
        });
    }

    static uint32_t Hold(Character& character, const char* weapon, EquipLocations location)
    {
        Object* item = ObjectManager::Instance().CreateObject(weapon);
        character.GetCombatManager().AttachItemAction(item->GetObjectId(), location);
        return item->GetObjectId();
    }

    AnimationSet* SetOf(Character& character, EquipManager_HandState handState)
    {
        character.SetAnimation(handState);
        return character.GetAnimationSet();
    }

    GraphicsEngine& graphics = GraphicsEngine::Instance();
    size_t loadedBefore = 0;
};

TEST_F(CharacterAnimationTest, SwitchingCancelsTheOldSetButNeverTheCurrentOne)
{
    auto* player = Make<Player>("Records/Creatures/Hero.dbr", {"bowAttackAnim1 = Bow"});
    AnimationSet* bow = SetOf(*player, EquipManager_HandState_Bow);
    ASSERT_TRUE(bow->PlayAnimation(*player, AnimationSet_Attack, Name::noName, 1.0f, false));
    EXPECT_EQ(SetOf(*player, EquipManager_HandState_Bow), bow);
    EXPECT_EQ(bow->GetCurrentType(), AnimationSet_Attack);

    EXPECT_NE(SetOf(*player, EquipManager_HandState_Staff), bow);
    EXPECT_EQ(bow->GetCurrentType(), AnimationSet_None);
}

// Allocating again keeps every set it made and adds only what the hands now need; the fixture
// sees every animation given back once the characters go.
TEST_F(CharacterAnimationTest, AllocatingAgainKeepsTheSetsAndAddsOnlyMissingOnes)
{
    auto* monster = Make<Reallocating<Monster>>(
        "Records/Creatures/Archer.dbr", {"bowAttackAnim1 = Bow", "spearAttackAnim1 = Spear"},
        "WeaponHunting_Bow");
    AnimationSet* bow = monster->GetAnimationSet();
    monster->AllocateAnimSets();
    EXPECT_EQ(monster->GetAnimationSet(), bow);

    const uint32_t bowId = monster->GetCombatManager().GetEquipManager().GetLeftHandWeapon();
    monster->GetCombatManager().DetachItemAction(bowId);
    Hold(*monster, "WeaponHunting_Spear", EquipLocations_RightHand);
    monster->AllocateAnimSets();
    AnimationSet* spear = monster->GetAnimationSet();
    EXPECT_NE(spear, bow);
    EXPECT_EQ(SetOf(*monster, EquipManager_HandState_Bow), bow);
    EXPECT_EQ(SetOf(*monster, EquipManager_HandState_Unarmed), bow) << "never allocated";

    auto* player = Make<Reallocating<Player>>("Records/Creatures/Hero.dbr", {"bowAttackAnim1 = B"});
    AnimationSet* playerBow = SetOf(*player, EquipManager_HandState_Bow);
    AnimationSet* unarmed = SetOf(*player, EquipManager_HandState_Unarmed);
    player->AllocateAnimSets();
    EXPECT_EQ(player->GetAnimationSet(), unarmed);
    EXPECT_EQ(SetOf(*player, EquipManager_HandState_Bow), playerBow);
    EXPECT_TRUE(player->CanPlayAnimation(AnimationSet_Attack)) << "still filled";
}

} // namespace
} // namespace GAME::Test
