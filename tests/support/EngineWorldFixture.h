#pragma once

#include "engine/Engine.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "tests/support/EngineFixture.h"

#include <memory>

namespace GAME::Test {

// An engine fixture playing in a fresh world installed in the engine; the previous world comes
// back afterwards. A test adds the regions it needs.
class EngineWorldFixture : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        previous = gEngine->SetWorld(std::make_unique<World>());
        world = gEngine->GetWorld();
    }
    void TearDown() override
    {
        gEngine->SetWorld(std::move(previous));
        EngineFixture::TearDown();
    }

    std::unique_ptr<World> previous;
    World* world = nullptr;
};

} // namespace GAME::Test
