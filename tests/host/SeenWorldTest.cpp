#include "host/SeenWorld.h"
#include "ai/ControllerCombat.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "host/ArenaSamples.h"
#include "host/HostSamples.h"
#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace GAME::Test {
namespace {

// A monster destroyed alive has died for good; what a host gone made is forgotten.
TEST(SeenWorld, FollowsWhatEntersDiesAndLeavesTheWorld)
{
    ObjectManager& objects = ObjectManager::Instance();
    ASSERT_TRUE(objects.GetDatabase().SetRoot(SampleDatabase()));
    std::ostringstream err;
    ASSERT_TRUE(HostSamples::InWorld(err, [&] {
        World& world = *gEngine->GetWorld();
        const auto jackal = [&](float x) {
            auto* made = HostSamples::Make<Monster>(ArenaSamples::kJackal, err);
            HostSamples::EnterWorld(*made, WorldCoords(WorldVec3(1, Vec3(x, 0.0f, 0.0f))));
            return made;
        };
        Monster* before = jackal(1.0f);
        SeenWorld seen(world);
        Monster* after = jackal(3.0f);
        // Between two looks, what entered and was destroyed is never seen, and what left and
        // came back is seen once.
        Monster* passing = jackal(5.0f);
        world.RemoveEntity(passing);
        HostSamples::Destroy(passing);
        Monster* back = jackal(7.0f);
        world.RemoveEntity(back);
        HostSamples::EnterWorld(*back, WorldCoords(WorldVec3(1, Vec3(7.0f, 0.0f, 0.0f))));
        std::ostringstream out;
        seen.Observe(out);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(seen.GetMonsters().size(), 3u);
        EXPECT_EQ(seen.GetMonsters().count(back->GetObjectId()), 1u);
        objects.GetObject<ControllerCombat>(before->GetControllerId())->KillMe();
        const uint32_t gone = after->GetObjectId();
        world.RemoveEntity(after);
        HostSamples::Destroy(after);
        seen.Observe(out);
        // The gold it drops is seen where it lands, in the order it came.
        std::string lines;
        for (const auto& [id, item] : seen.GetItems()) {
            EXPECT_TRUE(item.itemLine.ends_with(" at (1.50, 1.00, 0.00)")) << item.itemLine;
            lines += item.itemLine + '\n';
        }
        EXPECT_FALSE(seen.GetItems().empty());
        EXPECT_EQ(out.str(), lines + "monster " + std::to_string(before->GetObjectId()) +
                                 " died\nmonster " + std::to_string(gone) + " died\n");
        seen.Forget(0);
        EXPECT_TRUE(seen.GetMonsters().empty() && seen.GetItems().empty());
        return true;
    })) << err.str();
}

} // namespace
} // namespace GAME::Test
