#include "game/RespawnActivity.h"

#include "engine/GraphicsCanvas.h"
#include "engine/RegionLoader.h"
#include "engine/World.h"
#include "game/RespawnLocalClientActivity.h"
#include "game/RespawnLocalServerActivity.h"
#include "game/RespawnNonLocalServerActivity.h"
#include "multiplayer/NetworkRegionLoaderBase.h"
#include "multiplayer/NetworkRegionLoaderServer.h"
#include "tests/support/GameEngineFixture.h"

#include <memory>

namespace GAME::Test {

namespace {

class RespawnActivityTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        RegionLoader::SetFramesToLoad(1);
        gEngine->GetWorld()->CreateRegion(1, Vec3(), ABBox(Vec3(0, -10, 0), Vec3(64, 10, 64)));
        player = MakeMainPlayer();
    }

    void TearDown() override
    {
        RegionLoader::SetFramesToLoad(RegionLoader::kDefaultFramesToLoad);
        GameEngineFixture::TearDown();
    }

    const WorldVec3 target{1, Vec3(10, 0, 10)};
    Player* player = nullptr;
};

TEST_F(RespawnActivityTest, TheLocalClientFadesLoadsAndFinishesOnlyBelowTheLastStep)
{
    auto respawn = std::make_unique<RespawnLocalClientActivity>();
    EXPECT_TRUE(Game().IsMouseLocked());
    respawn->Begin(target, player->GetObjectId());
    EXPECT_EQ(respawn->GetRegionLoader()->GetPlayerId(), player->GetObjectId());
    respawn->Update(500);
    EXPECT_FLOAT_EQ(respawn->GetFadeLevel(), 0.5f);
    EXPECT_FALSE(Game().NeedsSleep());
    respawn->Update(500);
    EXPECT_EQ(respawn->GetState(), 1);
    EXPECT_TRUE(gEngine->IsTeleportMode());
    EXPECT_FALSE(Game().IsRenderingEnabled());
    EXPECT_TRUE(Game().NeedsSleep());

    respawn->GetRegionLoader()->SetRemoteState(2);
    respawn->Update(1);
    respawn->Update(998);
    EXPECT_EQ(respawn->GetState(), 1);
    respawn->Update(1);
    EXPECT_EQ(respawn->GetState(), 2);
    EXPECT_TRUE(respawn->IsRespawnComplete());
    EXPECT_FALSE(gEngine->IsTeleportMode());
    EXPECT_TRUE(Game().IsRenderingEnabled());

    respawn->Update(1000);
    EXPECT_FLOAT_EQ(respawn->GetFadeLevel(), 1.0f) << "one frame is held";
    EXPECT_FALSE(respawn->IsFinished());
    respawn->Update(999);
    EXPECT_FALSE(respawn->IsFinished());
    respawn->Update(1);
    EXPECT_EQ(respawn->GetFadeLevel(), 0.0f);
    EXPECT_TRUE(respawn->IsFinished());
    respawn.reset();
    EXPECT_FALSE(Game().NeedsSleep());
    EXPECT_FALSE(Game().IsMouseLocked());
}

TEST_F(RespawnActivityTest, RenderShowsTheFadeAndThePieOnlyWhileLoading)
{
    RespawnLocalServerActivity respawn;
    respawn.Begin(target, player->GetObjectId());
    GraphicsCanvas canvas(1024, 768);
    respawn.Render(canvas);
    EXPECT_TRUE(canvas.GetDraws().empty());
    respawn.Update(1000);
    respawn.Update(500);
    respawn.Render(canvas);
    ASSERT_EQ(canvas.GetDraws().size(), 3u);
    EXPECT_FLOAT_EQ(canvas.GetDraws()[0].color.alpha, 1.0f);
    EXPECT_FLOAT_EQ(canvas.GetDraws()[2].rect.x, 924.0f);
}

TEST_F(RespawnActivityTest, TheNonLocalServerTouchesNoSwitchAndNeverCompletes)
{
    const uint32_t modeSwitches = gEngine->GetTeleportModeSwitchCount();
    auto respawn = std::make_unique<RespawnNonLocalServerActivity>();
    EXPECT_FALSE(Game().IsMouseLocked());
    respawn->Begin(target, player->GetObjectId());
    ASSERT_NE(dynamic_cast<NetworkRegionLoaderServer*>(respawn->GetRegionLoader()), nullptr);
    respawn->GetRegionLoader()->SetRemoteState(2);
    for (int frame = 0; frame < 8 && respawn->GetState() < 2; ++frame)
        respawn->Update(1000);
    EXPECT_EQ(respawn->GetState(), 2);
    EXPECT_FALSE(respawn->IsRespawnComplete());
    EXPECT_FALSE(Game().NeedsSleep());
    EXPECT_EQ(gEngine->GetTeleportModeSwitchCount(), modeSwitches);
    GraphicsCanvas canvas(1024, 768);
    respawn->Render(canvas);
    EXPECT_TRUE(canvas.GetDraws().empty());
}

TEST_F(RespawnActivityTest, AVanishedPlayerFadesOutAndTheCounterIsRaisedOnce)
{
    auto respawn = std::make_unique<RespawnLocalClientActivity>();
    respawn->Begin(target, player->GetObjectId());
    respawn->Update(1000);
    ASSERT_EQ(respawn->GetState(), 1);
    ObjectManager::Instance().DestroyObjectEx(player, "test", 1);
    respawn->Update(10);
    EXPECT_EQ(respawn->GetState(), 2);
    EXPECT_FALSE(respawn->IsRespawnComplete());
    EXPECT_TRUE(Game().IsRenderingEnabled());
    respawn->Update(10);
    respawn->Update(1000);
    EXPECT_TRUE(respawn->IsFinished());
    respawn.reset();
    EXPECT_FALSE(Game().NeedsSleep()) << "raised at loading and at the vanishing, lowered once";
}

} // namespace

} // namespace GAME::Test
