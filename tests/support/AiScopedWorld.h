#pragma once

#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/World.h"

#include <memory>

namespace GAME::Test {

// A world of one region round the origin in the engine while it lives; the previous world comes
// back afterwards. Made after the library starts, dropped after the test's objects are destroyed.
class AiScopedWorld {
public:
    static constexpr uint32_t kRegion = 1;

    explicit AiScopedWorld(float halfHeight, float halfWidth = 100.0f)
        : previous(gEngine->SetWorld(std::make_unique<World>()))
    {
        gEngine->GetWorld()->CreateRegion(kRegion, Vec3(),
                                          ABBox(Vec3(-halfWidth, -halfHeight, -halfWidth),
                                                Vec3(halfWidth, halfHeight, halfWidth)));
    }
    ~AiScopedWorld() { gEngine->SetWorld(std::move(previous)); }
    AiScopedWorld(const AiScopedWorld&) = delete;
    AiScopedWorld& operator=(const AiScopedWorld&) = delete;

    World& operator*() const { return *gEngine->GetWorld(); }
    World* operator->() const { return gEngine->GetWorld(); }

private:
    std::unique_ptr<World> previous;
};

} // namespace GAME::Test
