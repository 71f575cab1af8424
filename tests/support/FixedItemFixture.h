#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsMeshInstance.h"
#include "tests/support/AiItemRecorder.h"
#include "tests/support/LevelObjectsFixture.h"
#include "world/FixedItem.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace GAME::Test {

// Every "GameEvent_FixedItemUse" as "use OBJECT USER".
class FixedItemUseLog {
public:
    FixedItemUseLog() : use("GameEvent_FixedItemUse", &FixedItemUseLog::OnUse, this) {}
    std::vector<std::string> lines;

private:
    void OnUse(const GameEvent_FixedItemUse& event)
    {
        lines.push_back("use " + std::to_string(event.objectId) + " " +
                        std::to_string(event.userId));
    }
    EventHandler<FixedItemUseLog, GameEvent_FixedItemUse> use;
};

// A level with fixed items: each is made from a record, placed and set up as the level loader
// does; the items the game drops are recorded.
class FixedItemFixture : public LevelObjectsFixture {
protected:
    static constexpr const char* kSword = "Records/Items/Sword.dbr";

    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        database.WriteRecord(kSword, {"Class = ItemEquipment"});
        recorder = std::make_unique<AiItemRecorder>();
    }
    void TearDown() override
    {
        recorder.reset();
        LevelObjectsFixture::TearDown();
    }

    template <typename T>
    T* Place(const std::string& path, std::initializer_list<std::string> lines,
             const Vec3& position = {0, 0, 0})
    {
        T* item = SpawnAt<T>(path, lines, position);
        if (item != nullptr)
            item->InitialUpdate();
        return item;
    }

    // The animation gets an event at the time; it must be loaded already (by a record).
    static void AddAnimationEvent(const std::string& animation, float timeMs, const char* name)
    {
        GraphicsEngine& graphics = GraphicsEngine::Instance();
        GraphicsAnim* anim = graphics.LoadAnimation(animation);
        anim->AddEvent(timeMs, Name::Create(name));
        graphics.UnloadAnimation(anim);
    }

    std::unique_ptr<AiItemRecorder> recorder;
};

} // namespace GAME::Test
