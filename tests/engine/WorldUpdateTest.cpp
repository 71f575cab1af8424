#include "engine/World.h"

#include "engine/Actor.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/GraphicsAnim.h"
#include "engine/Region.h"
#include "engine/WorldCoords.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr uint32_t kRegion = 1;

// Writes each step of its frame into a shared journal and runs an optional chore in UpdateSelf.
class Journaling : public Actor {
public:
    Journaling(std::string label, std::vector<std::string>& journal)
        : label(std::move(label)), journal(journal)
    {}
    void PreAnimationUpdate(int32_t elapsedMs) override { Write("pre", elapsedMs); }
    void AnimationCallback(int32_t, const Name& name) override { Write(name.GetString(), 0); }
    void UpdateSelf(int32_t elapsedMs) override
    {
        Write("self", elapsedMs);
        if (chore)
            std::exchange(chore, nullptr)();
    }
    std::function<void()> chore;

private:
    void Write(const std::string& step, int32_t ms)
    {
        journal.push_back(label + ":" + step + (ms != 0 ? "/" + std::to_string(ms) : ""));
    }
    std::string label;
    std::vector<std::string>& journal;
};

class WorldUpdateTest : public GAME::Test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        previous = gEngine->SetWorld(std::make_unique<World>());
        world = gEngine->GetWorld();
        world->CreateRegion(kRegion, {0, 0, 0}, ABBox({-50, -10, -50}, {50, 10, 50}));
    }
    void TearDown() override
    {
        gEngine->SetWorld(std::move(previous));
        EngineFixture::TearDown();
    }
    Journaling* Make(const std::string& label)
    {
        actors.push_back(std::make_unique<Journaling>(label, journal));
        world->AddEntity(actors.back().get(), WorldCoords(kRegion, Coords()), true);
        return actors.back().get();
    }

    std::unique_ptr<World> previous;
    World* world = nullptr;
    std::vector<std::string> journal;
    std::vector<std::unique_ptr<Journaling>> actors;
};

TEST_F(WorldUpdateTest, EachEntityRunsItsWholeFrameInTheOrderItWasAdded)
{
    GraphicsAnim wave("Wave", 3, 30, 1.0f);
    Journaling* a = Make("a");
    Journaling* b = Make("b");
    Make("c");
    a->PlayAnimation(0, &wave, false, 1.0f, 0);
    world->RemoveEntity(b);
    world->AddEntity(b, WorldCoords(kRegion, Coords()), true); // now last
    gEngine->RunFrame(100);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:pre/100", "a:End", "a:self/100", "c:pre/100",
                                                 "c:self/100", "b:pre/100", "b:self/100"}));
}

TEST_F(WorldUpdateTest, EntitiesAddedOrRemovedDuringAFrameWaitOrAreLeftAlone)
{
    Journaling* a = Make("a");
    Make("b");
    Make("c");
    // Deleting c mid-frame must not leave the world touching it; d joins from the next frame.
    a->chore = [&] {
        actors.back().reset();
        Make("d");
    };
    world->UpdateEntities(0);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:pre", "a:self", "b:pre", "b:self"}));
    journal.clear();
    world->UpdateEntities(16);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:pre/16", "a:self/16", "b:pre/16", "b:self/16",
                                                 "d:pre/16", "d:self/16"}));
    EXPECT_EQ(world->GetEntityCount(), 3u);
}

TEST_F(WorldUpdateTest, ActorsInThePreLoadFrustumCountAsDrawnEachFrame)
{
    Journaling* seen = Make("seen");
    Journaling* hidden = Make("hidden");
    hidden->SetInRenderPreLoadFrustum(false);
    for (int i = 0; i < 8; ++i)
        gEngine->RunFrame(16);
    EXPECT_EQ(seen->GetLastFrameRendered(), gEngine->GetFrameCount() - 1);
    EXPECT_EQ(hidden->GetLastFrameRendered(), 0u);
}

TEST_F(WorldUpdateTest, TheRecordsOfPresentationRequestsStayBounded)
{
    for (int32_t i = 0; i < 300; ++i) {
        world->CreateDisturbance(WorldVec3(kRegion, Vec3(float(i), 0, 0)), 0.5f, 2.0f, i % 2);
        gEngine->GetDebugRenderManager().RenderSphere(WorldVec3(kRegion, Vec3()), 0.1f,
                                                      Color(0.25f, 1, 0.25f, 1));
    }
    Journaling* gone = Make("gone");
    gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(gone);
    gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(nullptr);

    const auto& disturbances = world->GetDisturbances();
    ASSERT_EQ(disturbances.GetSize(), 256u);
    EXPECT_EQ(disturbances.GetTotalCount(), 300u);
    EXPECT_EQ(disturbances[0].position.GetRegionPosition().x, 44.0f) << "oldest kept";
    EXPECT_EQ(disturbances.GetLast().splashType, 1);
    EXPECT_EQ(disturbances.GetLast().radius, 0.5f);
    EXPECT_EQ(gEngine->GetDebugRenderManager().GetSpheres().GetSize(), 256u);
    ASSERT_EQ(gEngine->GetPhysicsEngine().GetRemovedEntities().GetSize(), 1u);
    EXPECT_EQ(gEngine->GetPhysicsEngine().GetRemovedEntities()[0], gone->GetObjectId());
}

} // namespace
} // namespace GAME
