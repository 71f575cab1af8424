#include "characters/AnimationSound.h"

#include "core/RandomHelpers.h"
#include "engine/Actor.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/SoundPak.h"
#include "tests/support/EngineFixture.h"

#include <cmath>

namespace GAME::Test {
namespace {

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

        sounds.PreLoad();
        EXPECT_EQ(sounds.GetSound(roar)->GetPreLoadRequests(), std::vector<bool>{false});
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

TEST_F(AnimationSoundTest, PlaysWhenTheDrawIsAtMostTheChance)
{
    // The draw this seed gives first, found by drawing it.
    Platform::SRand(99);
    const float draw = RandomFloat(0.1f, 100.0f);

    AnimationSound atDraw;
    atDraw.AddSound(roar, "Records/Sounds/Roar.dbr", draw);
    Platform::SRand(99);
    EXPECT_TRUE(atDraw.PlaySound(actor, roar, nullptr));

    AnimationSound belowDraw;
    belowDraw.AddSound(roar, "Records/Sounds/Growl.dbr", std::nextafter(draw, 0.0f));
    Platform::SRand(99);
    EXPECT_FALSE(belowDraw.PlaySound(actor, roar, nullptr));
    EXPECT_TRUE(belowDraw.GetSound(roar)->GetPlayRequests().empty());

    EXPECT_FALSE(atDraw.PlaySound(actor, Name::Create("genericSound1"), nullptr));
    ASSERT_EQ(atDraw.GetSound(roar)->GetPlayRequests().size(), 1u);
    const SoundPak::PlayRequest& played = atDraw.GetSound(roar)->GetPlayRequests()[0];
    EXPECT_TRUE(played.positioned);
    EXPECT_FALSE(played.loop);
}

TEST_F(AnimationSoundTest, ACertainSoundPlaysAtTheGivenPlaceOrWhereTheEntityStands)
{
    AnimationSound sounds;
    sounds.AddSound(roar, "Records/Sounds/Roar.dbr", 100.0f);
    const WorldCoords there(7, Coords());
    Platform::SRand(5);
    for (int play = 0; play < 200; ++play)
        ASSERT_TRUE(sounds.PlaySound(actor, roar, play == 0 ? &there : nullptr));
    const auto& requests = sounds.GetSound(roar)->GetPlayRequests();
    EXPECT_EQ(requests[0].coords.GetRegionId(), 7u);
    EXPECT_EQ(requests[1].coords.GetRegionId(), actor.GetCoords().GetRegionId());
}

} // namespace
} // namespace GAME::Test
