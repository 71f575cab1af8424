#pragma once

#include "engine/Actor.h"
#include "engine/GraphicsEngine.h"
#include "engine/ResourceLoader.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME::Test {

// Each test starts with no animation described or declared missing and an empty resource
// queue, and must have given back every animation it loaded by the time it ends.
class AnimationFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        graphics.Reset();
        ResourceLoader::Instance().Reset();
        loadedBefore = graphics.GetLoadedAnimationCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(graphics.GetLoadedAnimationCount(), loadedBefore) << "an animation was kept";
        graphics.Reset();
        ResourceLoader::Instance().Reset();
    }

    // The animation last asked of the actor's body channel, or null.
    const GraphicsAnim* Playing() const
    {
        const AnimationChannel* channel = actor.GetAnimationChannel(0);
        return channel != nullptr ? channel->animation : nullptr;
    }

    GraphicsEngine& graphics = GraphicsEngine::Instance();
    LogCapture log;
    Actor actor;
    size_t loadedBefore = 0;
};

} // namespace GAME::Test
