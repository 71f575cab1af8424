#include "characters/TyphonChained.h"
#include "ai/ControllerTyphonChained.h"
#include "characters/AnimationSet.h"
#include "core/GameEvents.h"
#include "engine/FilterFunction.h"
#include "engine/Name.h"
#include "engine/World.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/HeardEvents.h"
#include "world/FixedItemTeleport.h"
#include "world/TyphonChains.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kChains = "Records/Creatures/Chains.dbr";
constexpr const char* kBurst = "Records/Fx/ChainBurst.dbr";

class OfRecord : public FilterFunction<Entity> {
public:
    explicit OfRecord(std::string record) : record(std::move(record)) {}
    bool operator()(const Entity* candidate) const override
    {
        return candidate->GetObjectName() == record;
    }

private:
    std::string record;
};

class TyphonChainedTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        AiWorldFixture::SetUp();
        database.WriteRecord("Records/Controllers/Chained.dbr",
                             {"Class = ControllerTyphonChained"});
        database.WriteRecord(kBurst, {"Class = EffectEntity"});
        database.WriteRecord(kChains, {"Class = TyphonChains", "dissolveColorG = 40",
                                       std::string("burstFX = ") + kBurst});
    }

    TyphonChained* Giant(bool chained = true)
    {
        TyphonChained* giant = Make<TyphonChained>(
            chained ? "Giant" : "FreeGiant", 0, 0,
            {"controller = Records/Controllers/Chained.dbr", "dissolveTime = 2.5",
             "unarmedWalkAnim = Walk", "unarmedRunAnim = Run", "dissolveColorR = 9",
             chained ? std::string("chains = ") + kChains : "chains ="});
        giant->SetLifeState(LifeState_Alive);
        ControllerOf(*giant).Update(0);
        return giant;
    }
    static size_t Count(const char* record)
    {
        std::vector<Entity*> found;
        TheWorld().GetEntities(found, OfRecord(record));
        return found.size();
    }
    static void Callback(TyphonChained& giant, const char* name)
    {
        giant.AnimationCallback(0, Name::Create(name));
    }
};

TEST_F(TyphonChainedTest, TheSceneRunsFromChainsToThePortal)
{
    Heard<GameEvent_GenericEntity> animated{"GameEvent_AnimationCompleted"};
    Heard<GameEvent_GenericEntity> moved{"GameEvent_MoveCompleted"};
    TyphonChained* giant = Giant();
    ControllerAI& brain = ControllerOf(*giant);
    EXPECT_EQ(StateOf(*giant), "Chained");
    EXPECT_TRUE(giant->IsInvincible());
    EXPECT_EQ(brain.GetState("Idle"), nullptr);

    // Only the breaking animation frees it.
    giant->QuestCommandMove(0, At(5, 0), false);
    EXPECT_EQ(StateOf(*giant), "Chained");
    giant->QuestCommandPlayAnimation(AnimationSet_Attack, false, false);
    EXPECT_EQ(StateOf(*giant), "BreakingTheChains");
    EXPECT_TRUE(animated.events.empty());

    brain.HandleEvent(Name::Create("End"));
    EXPECT_EQ(StateOf(*giant), "WaitToWalk");
    ASSERT_EQ(animated.events.size(), 1u);
    EXPECT_EQ(animated.events[0].objectName, giant->GetObjectName());

    giant->QuestCommandWalk(0, At(6, 0), false);
    EXPECT_EQ(StateOf(*giant), "WalkToPortal");
    EXPECT_EQ(brain.GetCurrentPointOfInterest(), At(6, 0));
    EXPECT_TRUE(moved.events.empty());
    brain.EndOfPathReached();
    EXPECT_EQ(moved.events.size(), 1u);
    EXPECT_TRUE(giant->IsInvincible());
}

TEST_F(TyphonChainedTest, BreakingTheChainsBurstsAtTheThreeBeamsWithTheRecordsOwnDefaults)
{
    TyphonChained* giant = Giant();
    TyphonChains* chains = giant->GetChains();
    ASSERT_NE(chains, nullptr);
    EXPECT_TRUE(giant->AreChainsAttached());
    Callback(*giant, "BreakTheChains");
    EXPECT_EQ(Count(kBurst), 3u);
    ASSERT_EQ(chains->GetDissolveRequests().size(), 1u);
    const Actor::DissolveRequest& request = chains->GetDissolveRequests()[0];
    EXPECT_EQ((std::vector<int32_t>{request.red, request.green, request.blue}),
              (std::vector<int32_t>{0, 40, 0}));
    EXPECT_FLOAT_EQ(request.seconds, 0.0f);

    TyphonChained* free = Giant(false);
    EXPECT_EQ(free->GetChains(), nullptr);
    Callback(*free, "BreakTheChains");
    EXPECT_EQ(Count(kBurst), 3u);
}

TEST_F(TyphonChainedTest, OpenPortalUnlocksOnlyPortalsWithinForty)
{
    TyphonChained* giant = Giant(false);
    std::vector<FixedItemTeleport*> portals;
    for (float x : {39.0f, 41.0f}) {
        auto* portal = SpawnAt<FixedItemTeleport>("Records/Items/Portal" +
                                                      std::to_string(static_cast<int>(x)) + ".dbr",
                                                  {"Class = FixedItemTeleport"}, Vec3(x, 0, 0));
        portal->SetLock(true);
        portals.push_back(portal);
    }
    Callback(*giant, "OpenPortal");
    EXPECT_FALSE(portals[0]->IsLocked());
    EXPECT_TRUE(portals[1]->IsLocked());
}

TEST_F(TyphonChainedTest, EnteringThePortalDissolvesTheGiantWithItsOwnSettings)
{
    TyphonChained* giant = Giant(false);
    Callback(*giant, "EnterPortal");
    ASSERT_EQ(giant->GetDissolveRequests().size(), 1u);
    EXPECT_EQ(giant->GetDissolveRequests()[0].red, 9);
    EXPECT_FLOAT_EQ(giant->GetDissolveRequests()[0].seconds, 2.5f);
}

} // namespace
} // namespace GAME::Test
