// Hostile level state of a fixed item: the first byte picks the kind, the rest is the state the
// level kept for it. The item is made, restored, set up and updated for 10 frames while the
// main player stands by. Cut short, a state that is none, lengths beyond the bytes: no crash,
// and a refused state is never left pending, so nothing half-applied reaches the item.
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "fuzz/StandingCharacter.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/FixedItem.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using namespace GAME;

constexpr const char* kKinds[] = {
    "FixedItemContainer",   "FixedItemDoor",         "FixedItemDoorSwapping", "FixedItemShrine",
    "FixedItemQuestObject", "FixedItemTyphonPortal", "FixedItemWell",         "FixedItemTeleport",
};
constexpr size_t kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

// The world, made once for the run, and the main player standing by.
Character& Hero()
{
    static StandingCharacter hero = [] {
        StartQuietGame();
        HoldRunRecords({});
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, Vec3(), ABBox(Vec3(-50, -10, -50), Vec3(50, 10, 50)));
        return MainPlayer(WorldVec3(1, Vec3(2, 0, 2)), false);
    }();
    return hero.Get();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Character& hero = Hero();
    if (size == 0)
        return 0;
    ObjectManager& objects = ObjectManager::Instance();
    const InputStart start;
    auto* item = DynamicCast<FixedItem>(objects.CreateObject(kKinds[data[0] % kKindCount]));
    if (item == nullptr)
        abort();
    item->Load(LoadTable());
    BinaryReader reader(data + 1, size - 1);
    item->RestoreState(reader);
    if (!IsFixedItemState(static_cast<uint32_t>(item->GetPendingState())))
        abort();
    gEngine->GetWorld()->AddEntity(item, WorldCoords(WorldVec3(1, Vec3())), true);
    item->InitialUpdate();
    item->RequestToUse(hero.GetObjectId());
    for (int frame = 0; frame < 10; ++frame)
        gEngine->RunFrame(frame % 2 == 0 ? 0 : 250);
    EndInput(start);
    return 0;
}
